#include "window/x11_window_watch.h"

#include <SDL_syswm.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "window/window_registry.h"

// Last: X11's headers define short macro names.
#include <X11/Xlib.h>

namespace {

struct WatchState {
  bool watching = false;
  XErrorHandler previousHandler = nullptr;
  // X windows of ours found gone: requests on them still in flight fail, and those errors are
  // expected. Ids are not used again by this connection.
  std::vector<XID> goneWindows;
  // Gone windows whose platform window has not been destroyed yet.
  bool destructionPending = false;
};
WatchState g_watch;

XID XWindowOf(SDL_Window* sdl) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!sdl || !SDL_GetWindowWMInfo(sdl, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  return info.info.x11.window;
}

bool IsGone(XID window) {
  return std::find(g_watch.goneWindows.begin(), g_watch.goneWindows.end(), window) !=
         g_watch.goneWindows.end();
}

// True for the X window of one of our windows, or one that was.
bool IsOurs(XID window) {
  if (IsGone(window)) return true;
  for (platform::Window* ours : platform::AllWindows())
    if (XWindowOf(ours->sdl) == window) return true;
  return false;
}

void NoteGone(XID window) {
  if (IsGone(window)) return;
  g_watch.goneWindows.push_back(window);
  g_watch.destructionPending = true;
}

// Xlib calls this from inside its own calls: it must make no request, so it only takes notes.
int OnXError(Display* display, XErrorEvent* error) {
  bool aboutAWindow = error->error_code == BadWindow || error->error_code == BadDrawable;
  if (aboutAWindow && IsOurs(error->resourceid)) {
    NoteGone(error->resourceid);
    return 0;
  }
  return g_watch.previousHandler ? g_watch.previousHandler(display, error) : 0;
}

}  // namespace

namespace platform {

void WatchForWindowsDestroyedByOthers() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (g_watch.watching || !driver || std::strcmp(driver, "x11") != 0) return;
  g_watch.watching = true;
  g_watch.previousHandler = XSetErrorHandler(OnXError);
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void NoteSystemEvent(const SDL_SysWMEvent& event) {
  if (!event.msg || event.msg->subsystem != SDL_SYSWM_X11) return;
  const XEvent& x = event.msg->msg.x11.event;
  if (x.type == DestroyNotify && IsOurs(x.xdestroywindow.window)) NoteGone(x.xdestroywindow.window);
}

void DestroyWindowsGoneFromDisplay() {
  if (!g_watch.destructionPending) return;
  g_watch.destructionPending = false;
  for (Window* window : AllWindows()) {
    XID x = XWindowOf(window->sdl);
    if (x != 0 && IsGone(x)) DestroyWindow(window->handle);
  }
}

}  // namespace platform
