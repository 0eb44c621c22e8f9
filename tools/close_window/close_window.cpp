// Asks an X window to close, as a window manager's close button does: a WM_DELETE_WINDOW message.
// With --destroy it destroys the window instead, as another program on the display may. Used by
// the scripted play sessions, where no window manager runs.
//
//   close_window [--destroy] WINDOW-ID
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

Status SendCloseRequest(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  return XSendEvent(display, window, False, NoEventMask, &event);
}

}  // namespace

int main(int argc, char** argv) {
  bool destroy = argc == 3 && std::strcmp(argv[1], "--destroy") == 0;
  if (argc != 2 && !destroy) {
    std::fprintf(stderr, "usage: close_window [--destroy] WINDOW-ID\n");
    return 2;
  }
  const char* id = argv[argc - 1];
  char* end = nullptr;
  unsigned long window = std::strtoul(id, &end, 0);
  if (!end || *end != '\0' || window == 0) {
    std::fprintf(stderr, "close_window: not a window id: %s\n", id);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "close_window: no display\n");
    return 1;
  }
  Status sent = True;
  if (destroy) {
    XDestroyWindow(display, window);
  } else {
    sent = SendCloseRequest(display, window);
  }
  XSync(display, False);
  XCloseDisplay(display);
  return sent ? 0 : 1;
}
