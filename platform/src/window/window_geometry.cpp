// Window and client rectangles, and the frame a style puts around a client area.
#include <SDL.h>

#include <algorithm>

#include "window/display_mode.h"
#include "window/resize_listener.h"
#include "window/window_registry.h"

namespace {

// A captioned window's frame: a thin border all round and the caption above.
constexpr int kBorder = 3;
constexpr int kCaption = 23;

}  // namespace

namespace platform {

RECT FrameMargins(DWORD style) {
  if (style & WS_CHILD) return RECT{0, 0, 0, 0};
  if ((style & WS_CAPTION) == WS_CAPTION)
    return RECT{kBorder, kBorder + kCaption, kBorder, kBorder};
  if (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) return RECT{1, 1, 1, 1};
  return RECT{0, 0, 0, 0};
}

POINT ClientOrigin(const Window& window) {
  if (window.sdl) {
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(window.sdl, &x, &y);
    return POINT{x, y};
  }
  RECT margins = FrameMargins(window.style);
  return POINT{window.frame.left + margins.left, window.frame.top + margins.top};
}

}  // namespace platform

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window) return FALSE;
  window->frame = RECT{x, y, x + width, y + height};
  RECT margins = platform::FrameMargins(window->style);
  if (window->sdl) {
    platform::NotifyWindowResizing(window->sdl);
    SDL_SetWindowSize(window->sdl, std::max(1, width - margins.left - margins.right),
                      std::max(1, height - margins.top - margins.bottom));
    SDL_SetWindowPosition(window->sdl, x + margins.left, y + margins.top);
  }
  platform::ApplyDisplayMode(*window);
  if (repaint) window->needsPaint = true;
  return TRUE;
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window || !rect) return FALSE;
  RECT margins = platform::FrameMargins(window->style);
  int width = window->frame.right - window->frame.left - margins.left - margins.right;
  int height = window->frame.bottom - window->frame.top - margins.top - margins.bottom;
  if (window->sdl) SDL_GetWindowSize(window->sdl, &width, &height);
  *rect = RECT{0, 0, width, height};
  return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL) {
  if (!rect) return FALSE;
  RECT margins = platform::FrameMargins(style);
  rect->left -= margins.left;
  rect->top -= margins.top;
  rect->right += margins.right;
  rect->bottom += margins.bottom;
  return TRUE;
}

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}
