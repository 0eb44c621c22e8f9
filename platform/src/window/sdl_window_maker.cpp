#include "window/sdl_window_maker.h"

#include <vector>

#include "window/resize_listener.h"
#include "window/sdl_video.h"

namespace platform {
namespace {

// Where an event names the window it is for.
Uint32* WindowIdOf(SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      return &event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return &event.key.windowID;
    case SDL_TEXTEDITING:
      return &event.edit.windowID;
    case SDL_TEXTINPUT:
      return &event.text.windowID;
    case SDL_MOUSEMOTION:
      return &event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return &event.button.windowID;
    case SDL_MOUSEWHEEL:
      return &event.wheel.windowID;
    default:
      return nullptr;
  }
}

// The queued events for one SDL window go to another, in their order.
void RetargetQueuedEvents(Uint32 from, Uint32 to) {
  SDL_PumpEvents();
  std::vector<SDL_Event> events;
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
    Uint32* id = WindowIdOf(event);
    if (id && *id == from) *id = to;
    events.push_back(event);
  }
  if (!events.empty())
    SDL_PeepEvents(events.data(), static_cast<int>(events.size()), SDL_ADDEVENT, 0, 0);
}

}  // namespace

SDL_Window* CreateSdlWindow(const char* title, POINT origin, int width, int height, int depthBits) {
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
  Uint32 flags = SDL_WINDOW_HIDDEN;
  SDL_Window* window =
      SDL_CreateWindow(title, origin.x, origin.y, width, height, flags | SDL_WINDOW_OPENGL);
  if (!window) window = SDL_CreateWindow(title, origin.x, origin.y, width, height, flags);
  return window;
}

bool RemakeSdlWindow(Window& window, int depthBits) {
  SDL_Window* old = window.sdl;
  POINT origin{0, 0};
  int width = 0;
  int height = 0;
  SDL_GetWindowPosition(old, &origin.x, &origin.y);
  SDL_GetWindowSize(old, &width, &height);
  SDL_Window* fresh = CreateSdlWindow(SDL_GetWindowTitle(old), origin, width, height, depthBits);
  if (!fresh) return false;

  Uint32 flags = SDL_GetWindowFlags(old);
  bool focused = SDL_GetKeyboardFocus() == old;
  SDL_SetWindowBordered(fresh, (flags & SDL_WINDOW_BORDERLESS) ? SDL_FALSE : SDL_TRUE);
  SDL_DisplayMode mode;
  if (SDL_GetWindowDisplayMode(old, &mode) == 0) SDL_SetWindowDisplayMode(fresh, &mode);
  SDL_SetWindowMouseRect(fresh, SDL_GetWindowMouseRect(old));
  NotifyWindowResizing(old);
  // Before the old window goes: what its going away sends is not for the window.
  RetargetQueuedEvents(SDL_GetWindowID(old), SDL_GetWindowID(fresh));
  SDL_DestroyWindow(old);
  window.sdl = fresh;
  window.frameBufferDepthBits = depthBits;

  SDL_SetWindowFullscreen(fresh, flags & SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (flags & SDL_WINDOW_SHOWN) SDL_ShowWindow(fresh);
  if (flags & SDL_WINDOW_MINIMIZED) SDL_MinimizeWindow(fresh);
  if (focused && VideoTracksFocus()) {
    SDL_RaiseWindow(fresh);
    SDL_SetWindowInputFocus(fresh);
  }
  return true;
}

void PrepareContextFor(SDL_Window* sdlWindow) {
  Window* window = sdlWindow ? FindWindowBySdlId(SDL_GetWindowID(sdlWindow)) : nullptr;
  if (!window || !FrameBufferMadeWithWindow()) return;
  // SDL chooses a configuration when it makes a window: a small hidden one made alike does.
  SDL_Window* alike = CreateSdlWindow("", POINT{0, 0}, 1, 1, window->frameBufferDepthBits);
  if (alike) SDL_DestroyWindow(alike);
}

}  // namespace platform
