// Painting: a window's repaint request ends when BeginPaint takes it.
#include "window/window_registry.h"

HDC BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window || !paint) return nullptr;
  *paint = PAINTSTRUCT{};
  paint->hdc = window->deviceContext;
  GetClientRect(handle, &paint->rcPaint);
  window->needsPaint = false;
  return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT*) {
  return TRUE;
}
