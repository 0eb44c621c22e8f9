// Another program on the display may destroy a window's X window, which is no close request: the
// window is gone. Xlib's own answer to the errors that requests on it then raise is to end the
// process with exit code 1. Under the X11 video driver the window layer takes the X window's end as
// the window's destruction instead: DestroyWindow runs for it (the procedure gets WM_DESTROY), and
// the errors about it are dropped.
#pragma once

#include <SDL.h>

namespace platform {

// Called once the video driver runs; does nothing under drivers other than X11.
void WatchForWindowsDestroyedByOthers();
// Notes the end of an X window that a system event reports.
void NoteSystemEvent(const SDL_SysWMEvent& event);
// Destroys each window whose X window was found gone since the last call.
void DestroyWindowsGoneFromDisplay();

}  // namespace platform
