// The display mode in effect, and full screen for the windows that cover it.
#pragma once

#include "window/window_registry.h"

namespace platform {

// A popup window that covers the whole screen is shown full screen in the mode in effect; any
// other window is windowed.
void ApplyDisplayMode(Window& window);

}  // namespace platform
