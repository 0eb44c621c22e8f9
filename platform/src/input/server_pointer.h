// The pointer as the display server sees it. SDL follows the pointer only while it is over one of
// its windows; the cursor functions must know it anywhere on the screen.
#pragma once

#include <SDL.h>

#include "platform/win32_types.h"

namespace platform {

// Screen position and SDL button mask; false when the display server can't be asked (then SDL's
// own idea of the pointer has to do).
bool QueryServerPointer(POINT* position, Uint32* buttons);

}  // namespace platform
