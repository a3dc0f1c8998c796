#pragma once

#include "mapping/ui/EditorHooks.h"

#include <memory>

// frmFM_ESU: the scroll bar scrGrid that shows the same conditions in all four grids.
std::unique_ptr<EditorHooks> esuHooks();
