// The frame both window variants give their game window: the window class, the windowed and
// full-screen styles, and where the window stands on the screen.
#pragma once

#include <cstdint>

#include "platform/win32.h"

class WindowFrame {
 public:
  // A windowed game window has no maximise box and no sizing border.
  static constexpr DWORD kWindowedStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  // A full-screen one has no frame at all.
  static constexpr DWORD kFullScreenStyle = WS_POPUP | WS_VISIBLE;

  // Registers a game-window class: double clicks, the procedure, the program's icon resource
  // 160, the arrow cursor and the stock brush (BLACK_BRUSH, NULL_BRUSH ...) as background. A
  // name that is registered already keeps its first registration.
  static void RegisterWindowClass(const char* className, WNDPROC procedure, int stockBrush);

  // A window of the class in the style of the mode, whose client area is width x height, its
  // frame centred on the screen as the screen is now; null when it can't be made.
  static HWND Create(const char* className, const char* title, bool fullScreen, int16_t width,
                     int16_t height);

  // Gives the window the style of the mode and moves it: full screen to the screen's top-left
  // corner at the client size, windowed with its frame centred; then repaints it.
  static void Restyle(HWND window, bool fullScreen, int16_t width, int16_t height);
};
