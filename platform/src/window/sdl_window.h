// The SDL window behind a window handle, for the renderers that draw into it. Windows are made
// with SDL_WINDOW_OPENGL (when the video driver has OpenGL), hidden until ShowWindow.
#pragma once

#include <SDL.h>

#include "platform/win32_types.h"

namespace platform {

// Null for a handle that is not a live window.
SDL_Window* SdlWindowOf(HWND window);

}  // namespace platform
