#include "window/sdl_video.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "platform/input_seams.h"
#include "window/x11_window_watch.h"

namespace {

bool g_started = false;
bool g_tracksFocus = true;
bool g_frameBufferMadeWithWindow = false;

}  // namespace

namespace platform {

void UseHeadlessDisplay() {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
}

bool StartVideo() {
  if (g_started) return true;
  // Closing a window asks that window to close, nothing more.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "no video driver: %s\n", SDL_GetError());
    return false;
  }
  // Keep the GL library loaded for the life of the process: otherwise SDL unloads it with the last
  // GL window and loads it again with the next, and what the driver keeps would be lost with it.
  SDL_GL_LoadLibrary(nullptr);
  const char* driver = SDL_GetCurrentVideoDriver();
  g_tracksFocus =
      driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
  g_frameBufferMadeWithWindow = !driver || std::strcmp(driver, "x11") != 0 ||
                                SDL_GetHintBoolean(SDL_HINT_VIDEO_X11_FORCE_EGL, SDL_FALSE);
  WatchForWindowsDestroyedByOthers();
  g_started = true;
  return true;
}

bool VideoTracksFocus() {
  return g_tracksFocus;
}

bool FrameBufferMadeWithWindow() {
  return g_frameBufferMadeWithWindow;
}

}  // namespace platform
