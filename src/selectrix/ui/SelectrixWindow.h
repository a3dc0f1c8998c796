#pragma once

class Dialog;
class frmHauptmenu;

// Plugs the Selectrix window into the main menu's "S&ystem" › "&Selectrix": each choice opens
// a new window, modal, on the main window's link and file dialog; it is deleted when it closes.
void installSelectrixWindow(frmHauptmenu& menu, Dialog& dialog);
