// The window the cursor is over, for mouse messages of scripted input.
#pragma once

#include "platform/win32_types.h"

namespace platform {

// The newest visible window whose client area holds the cursor; null when none does.
HWND WindowUnderCursor();
// Where the cursor was last seen, without asking the display server: for the position every
// message carries.
POINT LastKnownCursor();
// Back to the top-left corner of the screen, unclipped.
void ResetScriptedCursor();

}  // namespace platform
