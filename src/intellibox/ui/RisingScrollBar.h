#pragma once

// The spin bar is shared with the Selectrix window; it lives with the other widgets in app/ui.
#include "app/ui/RisingScrollBar.h"
