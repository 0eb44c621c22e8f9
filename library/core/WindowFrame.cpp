#include "WindowFrame.h"

namespace {

constexpr int kIconResource = 160;

DWORD StyleOf(bool fullScreen) {
  return fullScreen ? WindowFrame::kFullScreenStyle : WindowFrame::kWindowedStyle;
}

// The outer rectangle around a width x height client area in the style, centred on the screen.
RECT CentredFrame(int16_t width, int16_t height, DWORD style) {
  RECT frame;
  SetRect(&frame, 0, 0, width, height);
  AdjustWindowRect(&frame, style, FALSE);
  LONG outerWidth = frame.right - frame.left, outerHeight = frame.bottom - frame.top;
  LONG x = (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2;
  LONG y = (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2;
  return {x, y, x + outerWidth, y + outerHeight};
}

}  // namespace

void WindowFrame::RegisterWindowClass(const char* className, WNDPROC procedure, int stockBrush) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(kIconResource));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(stockBrush));
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
}

HWND WindowFrame::Create(const char* className, const char* title, bool fullScreen, int16_t width,
                         int16_t height) {
  DWORD style = StyleOf(fullScreen);
  RECT frame = CentredFrame(width, height, style);
  return CreateWindowExA(0, className, title, style, frame.left, frame.top,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                         nullptr, nullptr);
}

void WindowFrame::Restyle(HWND window, bool fullScreen, int16_t width, int16_t height) {
  DWORD style = StyleOf(fullScreen);
  SetWindowLongA(window, GWL_STYLE, LONG_PTR(style));
  RECT frame = fullScreen ? RECT{0, 0, width, height} : CentredFrame(width, height, style);
  MoveWindow(window, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
             TRUE);
  UpdateWindow(window);
}
