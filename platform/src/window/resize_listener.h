// Tells the renderer before the window layer changes an SDL window's size or full-screen state,
// so that pixels it keeps in the window's own buffers can be taken out while they still exist.
#pragma once

#include <SDL.h>

namespace platform {

using WindowResizeListener = void (*)(SDL_Window* window);

void SetWindowResizeListener(WindowResizeListener listener);
void NotifyWindowResizing(SDL_Window* window);

}  // namespace platform
