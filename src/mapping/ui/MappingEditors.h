#pragma once

class Dialog;
class frmHauptmenu;
struct AppContext;

// Plugs every function-mapping editor into its entry of the main menu's "Funktionsmapping"
// menu. Each entry opens its editor modal, a fresh window each time; the main menu sets
// the busy pointer before it where it should, and the editor's load resets it. The ESU
// CV 49 / CV 124 calculator goes into its "E&xtras" entry the same way.
void registerMappingEditors(frmHauptmenu& window, AppContext& ctx, Dialog& dialog);
