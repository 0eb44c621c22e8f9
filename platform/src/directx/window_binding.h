// Which SDL window a window handle stands for.
#pragma once

#include <SDL.h>

#include "platform/win32_types.h"

namespace platform::directx {

// Null when the handle names no window.
SDL_Window* SdlWindowFor(HWND window);

}  // namespace platform::directx
