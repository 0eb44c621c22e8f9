#include <SDL.h>

#include <cstring>

#include "platform/win32_display.h"
#include "window/display_mode.h"
#include "window/resize_listener.h"
#include "window/sdl_video.h"

namespace {

struct Mode {
  int width;
  int height;
  int bitsPerPixel;
  int frequency;
};

// A change in effect; without one the desktop's own mode is.
bool g_changed = false;
Mode g_mode{};

constexpr Mode kNoDisplay{1024, 768, 32, 60};

// Colour depth as the system reports it: 24-bit colour in 32-bit pixels counts as 32.
int BitsOf(Uint32 format) {
  int bits = SDL_BITSPERPIXEL(format);
  return bits == 24 ? 32 : bits;
}

Mode ModeOf(const SDL_DisplayMode& mode) {
  return Mode{mode.w, mode.h, BitsOf(mode.format), mode.refresh_rate ? mode.refresh_rate : 60};
}

Mode DesktopMode() {
  SDL_DisplayMode mode;
  if (!platform::StartVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return kNoDisplay;
  return ModeOf(mode);
}

Mode CurrentMode() {
  return g_changed ? g_mode : DesktopMode();
}

bool IsSupportedDepth(DWORD bits) {
  return bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Whether the display offers a size (at the frequency, unless it is 0).
bool DisplayOffers(int width, int height, int frequency) {
  Mode desktop = DesktopMode();
  if (width == desktop.width && height == desktop.height &&
      (frequency == 0 || frequency == desktop.frequency))
    return true;
  int count = platform::StartVideo() ? SDL_GetNumDisplayModes(0) : 0;
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
    Mode offered = ModeOf(mode);
    if (offered.width == width && offered.height == height &&
        (frequency == 0 || offered.frequency == frequency))
      return true;
  }
  return false;
}

void Fill(LPDEVMODEA out, const Mode& mode) {
  WORD size = out->dmSize;
  std::memset(out, 0, sizeof(DEVMODEA));
  out->dmSize = size ? size : static_cast<WORD>(sizeof(DEVMODEA));
  out->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
  out->dmBitsPerPel = static_cast<DWORD>(mode.bitsPerPixel);
  out->dmPelsWidth = static_cast<DWORD>(mode.width);
  out->dmPelsHeight = static_cast<DWORD>(mode.height);
  out->dmDisplayFrequency = static_cast<DWORD>(mode.frequency);
}

void ApplyToAllWindows() {
  for (platform::Window* window : platform::AllWindows()) platform::ApplyDisplayMode(*window);
}

}  // namespace

namespace platform {

void ApplyDisplayMode(Window& window) {
  if (!window.sdl) return;
  Mode mode = CurrentMode();
  bool covers = (window.style & WS_POPUP) && !(window.style & WS_CAPTION) &&
                window.frame.left == 0 && window.frame.top == 0 &&
                window.frame.right == mode.width && window.frame.bottom == mode.height;
  if (covers) {
    SDL_DisplayMode wanted{SDL_PIXELFORMAT_UNKNOWN, mode.width, mode.height, 0, nullptr};
    SDL_DisplayMode closest;
    if (SDL_GetClosestDisplayMode(0, &wanted, &closest)) {
      NotifyWindowResizing(window.sdl);
      SDL_SetWindowDisplayMode(window.sdl, &closest);
    }
  }
  if (covers == window.fullScreen) return;
  NotifyWindowResizing(window.sdl);
  window.fullScreen = covers;
  SDL_SetWindowFullscreen(window.sdl, covers ? SDL_WINDOW_FULLSCREEN : 0);
}

}  // namespace platform

BOOL EnumDisplaySettingsA(LPCSTR, DWORD modeNumber, LPDEVMODEA mode) {
  if (!mode) return FALSE;
  if (modeNumber == ENUM_CURRENT_SETTINGS) {
    Fill(mode, CurrentMode());
    return TRUE;
  }
  if (modeNumber == ENUM_REGISTRY_SETTINGS) {
    Fill(mode, DesktopMode());
    return TRUE;
  }
  SDL_DisplayMode offered;
  if (!platform::StartVideo() || SDL_GetDisplayMode(0, static_cast<int>(modeNumber), &offered) != 0)
    return FALSE;
  Fill(mode, ModeOf(offered));
  return TRUE;
}

LONG ChangeDisplaySettingsA(LPDEVMODEA mode, DWORD) {
  if (!mode) {
    g_changed = false;
    ApplyToAllWindows();
    return DISP_CHANGE_SUCCESSFUL;
  }
  Mode next = CurrentMode();
  if (mode->dmFields & DM_BITSPERPEL) {
    if (!IsSupportedDepth(mode->dmBitsPerPel)) return DISP_CHANGE_BADMODE;
    next.bitsPerPixel = static_cast<int>(mode->dmBitsPerPel);
  }
  if (mode->dmFields & DM_PELSWIDTH) next.width = static_cast<int>(mode->dmPelsWidth);
  if (mode->dmFields & DM_PELSHEIGHT) next.height = static_cast<int>(mode->dmPelsHeight);
  int frequency = 0;
  if (mode->dmFields & DM_DISPLAYFREQUENCY) frequency = static_cast<int>(mode->dmDisplayFrequency);
  // 0 and 1 stand for the display's default frequency.
  if (frequency <= 1) frequency = 0;
  if (!DisplayOffers(next.width, next.height, frequency)) return DISP_CHANGE_BADMODE;
  if (frequency) next.frequency = frequency;
  Mode desktop = DesktopMode();
  g_changed = next.width != desktop.width || next.height != desktop.height ||
              next.bitsPerPixel != desktop.bitsPerPixel || next.frequency != desktop.frequency;
  g_mode = next;
  ApplyToAllWindows();
  return DISP_CHANGE_SUCCESSFUL;
}

int GetSystemMetrics(int index) {
  Mode mode = CurrentMode();
  if (index == SM_CXSCREEN) return mode.width;
  if (index == SM_CYSCREEN) return mode.height;
  return 0;
}
