#include <SDL_syswm.h>

#include "input/server_pointer.h"
#include "window/window_registry.h"

// Last: X11's headers define short macro names.
#include <X11/Xlib.h>

namespace platform {

bool QueryServerPointer(POINT* position, Uint32* buttons) {
  std::vector<Window*> windows = AllWindows();
  if (windows.empty() || !windows.front()->sdl) return false;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(windows.front()->sdl, &info) || info.subsystem != SDL_SYSWM_X11)
    return false;
  Display* display = info.info.x11.display;
  ::Window root;
  ::Window child;
  int rootX = 0;
  int rootY = 0;
  int windowX = 0;
  int windowY = 0;
  unsigned int mask = 0;
  if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                     &windowY, &mask))
    return false;
  *position = POINT{rootX, rootY};
  *buttons = ((mask & Button1Mask) ? SDL_BUTTON_LMASK : 0) |
             ((mask & Button2Mask) ? SDL_BUTTON_MMASK : 0) |
             ((mask & Button3Mask) ? SDL_BUTTON_RMASK : 0);
  return true;
}

}  // namespace platform
