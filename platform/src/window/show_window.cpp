// Showing, minimising, moving and painting windows, and which window is in front.
#include <SDL.h>

#include <algorithm>

#include "platform/input_seams.h"
#include "window/display_mode.h"
#include "window/message_queue.h"
#include "window/sdl_video.h"
#include "window/window_registry.h"

namespace {

HWND g_scriptedForeground = nullptr;

void Activate(platform::Window& window) {
  if (platform::IsInputScripted()) {
    platform::ScriptForeground(window.handle);
  } else if (window.sdl && platform::VideoTracksFocus()) {
    SDL_RaiseWindow(window.sdl);
    SDL_SetWindowInputFocus(window.sdl);
  }
}

}  // namespace

BOOL ShowWindow(HWND handle, int command) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window) return FALSE;
  BOOL wasVisible = window->visible ? TRUE : FALSE;
  if (command == SW_HIDE) {
    window->visible = false;
    if (window->sdl) SDL_HideWindow(window->sdl);
    return wasVisible;
  }
  window->visible = true;
  if (window->sdl) SDL_ShowWindow(window->sdl);
  window->needsPaint = true;
  if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED) {
    window->minimized = true;
    if (window->sdl) SDL_MinimizeWindow(window->sdl);
    return wasVisible;
  }
  if (command == SW_SHOWNORMAL || command == SW_RESTORE) {
    window->minimized = false;
    if (window->sdl) SDL_RestoreWindow(window->sdl);
  }
  platform::MarkShown(*window);
  if (command != SW_SHOWNOACTIVATE) Activate(*window);
  return wasVisible;
}

BOOL UpdateWindow(HWND handle) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window) return FALSE;
  if (window->needsPaint) SendMessageA(handle, WM_PAINT, 0, 0);
  return TRUE;
}

BOOL IsIconic(HWND handle) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window) return FALSE;
  // Scripted, ShowWindow and the seam decide; otherwise the window manager does (a display
  // without one never minimises a window).
  if (platform::IsInputScripted()) return window->minimized ? TRUE : FALSE;
  return window->sdl && (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_MINIMIZED) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window) return FALSE;
  window->frame = RECT{x, y, x + width, y + height};
  RECT margins = platform::FrameMargins(window->style);
  if (window->sdl) {
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

HWND GetForegroundWindow() {
  if (platform::IsInputScripted()) {
    return platform::FindWindow(g_scriptedForeground) ? g_scriptedForeground : nullptr;
  }
  if (!platform::VideoTracksFocus()) {
    platform::Window* front = platform::LastShownWindow();
    return front ? front->handle : nullptr;
  }
  SDL_Window* focus = SDL_GetKeyboardFocus();
  if (!focus) return nullptr;
  platform::Window* window = platform::FindWindowBySdlId(SDL_GetWindowID(focus));
  return window ? window->handle : nullptr;
}

BOOL SetForegroundWindow(HWND handle) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window) return FALSE;
  Activate(*window);
  return TRUE;
}

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

namespace platform {

void ForgetScriptedForeground() {
  g_scriptedForeground = nullptr;
}

void ScriptForeground(HWND handle) {
  HWND previous = GetForegroundWindow();
  g_scriptedForeground = handle;
  if (previous == handle) return;
  if (previous) PostMessageA(previous, WM_ACTIVATEAPP, FALSE, 0);
  if (handle) PostMessageA(handle, WM_ACTIVATEAPP, TRUE, 0);
}

void ScriptMinimized(HWND handle, bool minimized) {
  Window* window = FindWindow(handle);
  if (window) window->minimized = minimized;
}

}  // namespace platform
