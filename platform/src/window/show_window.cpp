// Showing and minimising windows, and which window is in front.
#include <SDL.h>

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
