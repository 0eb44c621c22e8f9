#include "directx/window_binding.h"

#include <map>

#include "platform/directx_seams.h"
#include "window/sdl_window.h"

namespace platform::directx {
namespace {

std::map<HWND, SDL_Window*>& BoundWindows() {
  static std::map<HWND, SDL_Window*> windows;
  return windows;
}

}  // namespace

SDL_Window* SdlWindowFor(HWND window) {
  auto bound = BoundWindows().find(window);
  return bound == BoundWindows().end() ? SdlWindowOf(window) : bound->second;
}

}  // namespace platform::directx

namespace platform {

void BindSdlWindow(HWND window, SDL_Window* sdlWindow) {
  directx::BoundWindows()[window] = sdlWindow;
}

void UnbindSdlWindow(HWND window) {
  directx::BoundWindows().erase(window);
}

}  // namespace platform
