#pragma once

#include "mapping/ui/EditorHooks.h"

#include <memory>

// frmFM_Uhlenbrock: the CV 49 toggle panel and the warning lblHinweis for bits 3 and 4.
std::unique_ptr<EditorHooks> uhlenbrockHooks();
