// The window the cursor is over, for mouse messages of scripted input.
#pragma once

#include "platform/win32_types.h"

namespace platform {

// The newest visible window whose client area holds the cursor; null when none does.
HWND WindowUnderCursor();
// Back to the top-left corner of the screen, unclipped.
void ResetScriptedCursor();

}  // namespace platform
