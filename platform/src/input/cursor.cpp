// The cursor: position in screen coordinates, the display counter and the clip rectangle.
#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "input/cursor_state.h"
#include "input/key_state.h"
#include "input/server_pointer.h"
#include "platform/input_seams.h"
#include "platform/win32_input.h"
#include "window/message_queue.h"
#include "window/window_registry.h"

namespace {

POINT g_scriptedCursor{0, 0};
int g_displayCount = 0;
bool g_clipped = false;
RECT g_clip{};

POINT Clipped(POINT point) {
  if (!g_clipped) return point;
  point.x = std::clamp<LONG>(point.x, g_clip.left, std::max(g_clip.left, g_clip.right - 1));
  point.y = std::clamp<LONG>(point.y, g_clip.top, std::max(g_clip.top, g_clip.bottom - 1));
  return point;
}

bool ClientContains(const platform::Window& window, POINT point) {
  RECT client;
  if (!window.visible || !GetClientRect(window.handle, &client)) return false;
  ScreenToClient(window.handle, &point);
  return point.x >= 0 && point.y >= 0 && point.x < client.right && point.y < client.bottom;
}

// Confines the real cursor: the part of the clip rectangle over each window's client area.
void ApplyClipToWindows() {
  for (platform::Window* window : platform::AllWindows()) {
    if (!window->sdl) continue;
    if (!g_clipped) {
      SDL_SetWindowMouseRect(window->sdl, nullptr);
      continue;
    }
    POINT origin = platform::ClientOrigin(*window);
    SDL_Rect area{g_clip.left - origin.x, g_clip.top - origin.y, g_clip.right - g_clip.left,
                  g_clip.bottom - g_clip.top};
    SDL_Rect client{0, 0, 0, 0};
    SDL_GetWindowSize(window->sdl, &client.w, &client.h);
    SDL_Rect inside;
    SDL_SetWindowMouseRect(window->sdl,
                           SDL_IntersectRect(&area, &client, &inside) ? &inside : nullptr);
  }
}

}  // namespace

namespace platform {

HWND WindowUnderCursor() {
  POINT cursor;
  GetCursorPos(&cursor);
  std::vector<Window*> windows = AllWindows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    if (ClientContains(**it, cursor)) return (*it)->handle;
  return nullptr;
}

POINT LastKnownCursor() {
  if (IsInputScripted()) return g_scriptedCursor;
  int x = 0;
  int y = 0;
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_GetGlobalMouseState(&x, &y);
  return POINT{x, y};
}

void ResetScriptedCursor() {
  g_scriptedCursor = POINT{0, 0};
  g_clipped = false;
}

void ScriptCursor(int x, int y) {
  g_scriptedCursor = Clipped(POINT{x, y});
  HWND window = WindowUnderCursor();
  if (!window) return;
  POINT client = g_scriptedCursor;
  ScreenToClient(window, &client);
  QueueMouseMove(window, MouseKeyFlags(), MAKELPARAM(client.x, client.y));
}

}  // namespace platform

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  if (platform::IsInputScripted()) {
    *point = g_scriptedCursor;
    return TRUE;
  }
  *point = POINT{0, 0};
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return TRUE;
  Uint32 buttons = 0;
  if (platform::QueryServerPointer(point, &buttons)) return TRUE;
  int x = 0;
  int y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  *point = POINT{x, y};
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  POINT target = Clipped(POINT{x, y});
  if (platform::IsInputScripted()) {
    platform::ScriptCursor(target.x, target.y);
    return TRUE;
  }
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return FALSE;
  if (SDL_WarpMouseGlobal(target.x, target.y) == 0) return TRUE;
  // Drivers without a global cursor can still place it inside one of our windows.
  for (platform::Window* window : platform::AllWindows()) {
    if (!window->sdl || !ClientContains(*window, target)) continue;
    POINT client = target;
    ScreenToClient(window->handle, &client);
    SDL_WarpMouseInWindow(window->sdl, client.x, client.y);
    return TRUE;
  }
  return FALSE;
}

BOOL ScreenToClient(HWND handle, LPPOINT point) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window || !point) return FALSE;
  POINT origin = platform::ClientOrigin(*window);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

BOOL ClientToScreen(HWND handle, LPPOINT point) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window || !point) return FALSE;
  POINT origin = platform::ClientOrigin(*window);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

int ShowCursor(BOOL show) {
  g_displayCount += show ? 1 : -1;
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(g_displayCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return g_displayCount;
}

BOOL ClipCursor(const RECT* rect) {
  bool same = g_clipped ? rect && std::memcmp(rect, &g_clip, sizeof g_clip) == 0 : !rect;
  // Games clip on every frame: only a change reaches the windows.
  if (same) return TRUE;
  g_clipped = rect != nullptr;
  if (rect) g_clip = *rect;
  if (platform::IsInputScripted()) {
    g_scriptedCursor = Clipped(g_scriptedCursor);
  } else if (SDL_WasInit(SDL_INIT_VIDEO)) {
    ApplyClipToWindows();
  }
  return TRUE;
}
