#include "window/sdl_video.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "platform/input_seams.h"

namespace {

bool g_started = false;
bool g_tracksFocus = true;

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
  // OpenGL stays loaded for the life of the process, not only while a window uses it: unloading
  // it with the last window and loading it again with the next costs time, and libraries that
  // were unloaded can no longer tell what they still held at exit.
  SDL_GL_LoadLibrary(nullptr);
  const char* driver = SDL_GetCurrentVideoDriver();
  g_tracksFocus =
      driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
  g_started = true;
  return true;
}

bool VideoTracksFocus() {
  return g_tracksFocus;
}

}  // namespace platform
