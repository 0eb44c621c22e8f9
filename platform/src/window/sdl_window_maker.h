// Making the SDL window behind a window, and making it again with another frame buffer.
#pragma once

#include <SDL.h>

#include "window/window_registry.h"

namespace platform {

// A hidden SDL window with its client area at `origin`, with OpenGL when the driver has it (the
// dummy driver has none, and a window there still works for everything else). Its frame buffer,
// where the driver makes one with the window, has no alpha channel and a depth buffer of at least
// `depthBits` (none for 0).
SDL_Window* CreateSdlWindow(const char* title, POINT origin, int width, int height, int depthBits);

// Replaces the window's SDL window with one whose frame buffer has a depth buffer of `depthBits`,
// keeping what the window shows of it: title, position, size, frame, full-screen state, cursor
// clipping, visibility, focus and the SDL events not yet taken. Anything still drawing into the
// old SDL window is told first, as before a resize. False (the old one kept) when no new one
// can be made.
bool RemakeSdlWindow(Window& window, int depthBits);

// Where the frame buffer is made with the window, SDL makes a context with the frame buffer
// configuration it chose for the SDL window made last, and that context can't draw into a window
// of another configuration. This makes the next context fit the window of `sdlWindow`, if it is a
// window's; elsewhere it does nothing.
void PrepareContextFor(SDL_Window* sdlWindow);

}  // namespace platform
