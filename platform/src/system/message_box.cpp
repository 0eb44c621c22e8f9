#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/message_boxes.h"
#include "platform/win32_user.h"

namespace {

std::mutex g_boxesLock;
bool g_capture = false;
std::vector<platform::MessageBoxRecord> g_captured;

// A real box needs a display and somebody in front of it: our scripts mark the virtual display
// they start, and CI runs have nobody to press the button.
bool APersonCanAnswer() {
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  bool hasDisplay = (display && *display) || (wayland && *wayland);
  return hasDisplay && !std::getenv("TUNDREL_ON_VIRTUAL_DISPLAY") && !std::getenv("CI");
}

}  // namespace

namespace platform {

void CaptureMessageBoxes(bool capture) {
  std::lock_guard<std::mutex> lock(g_boxesLock);
  g_capture = capture;
}

std::vector<MessageBoxRecord> TakeMessageBoxes() {
  std::lock_guard<std::mutex> lock(g_boxesLock);
  std::vector<MessageBoxRecord> taken;
  taken.swap(g_captured);
  return taken;
}

}  // namespace platform

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
  // Windows shows "Error" when a box has no caption.
  const char* shownCaption = caption ? caption : "Error";
  const char* shownText = text ? text : "";
  std::fprintf(stderr, "[%s] %s\n", shownCaption, shownText);
  {
    std::lock_guard<std::mutex> lock(g_boxesLock);
    if (g_capture) {
      g_captured.push_back({shownCaption, shownText});
      return IDOK;
    }
  }
  if (APersonCanAnswer()) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, shownCaption, shownText, nullptr);
  }
  return IDOK;
}
