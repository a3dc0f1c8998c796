#pragma once

#include "mapping/ui/EditorHooks.h"

#include <memory>

// The Kühn editors' CV 56 panel: the toggle panel over bits 0..2 of the store "pnlCV56".
std::unique_ptr<EditorHooks> kuehnHooks();
