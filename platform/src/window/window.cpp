// Creating, destroying and describing windows.
#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "window/display_mode.h"
#include "window/message_queue.h"
#include "window/sdl_video.h"
#include "window/sdl_window_maker.h"
#include "window/window_registry.h"

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU, HINSTANCE, LPVOID) {
  UINT classStyle = 0;
  WNDPROC procedure = nullptr;
  if (!platform::FindClass(className, &classStyle, &procedure)) return nullptr;
  if (!platform::StartVideo()) return nullptr;
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 640;

  RECT margins = platform::FrameMargins(style);
  int clientWidth = std::max(1, width - margins.left - margins.right);
  int clientHeight = std::max(1, height - margins.top - margins.bottom);
  POINT origin{x + margins.left, y + margins.top};
  // Without a depth buffer: a pixel format that asks for one gets it with its contexts, or by
  // making the SDL window again where the driver makes the frame buffer with the window.
  SDL_Window* sdl =
      platform::CreateSdlWindow(windowName ? windowName : "", origin, clientWidth, clientHeight, 0);
  if (!sdl) return nullptr;

  platform::Window* window = platform::AddWindow();
  window->sdl = sdl;
  window->procedure = procedure;
  window->classStyle = classStyle;
  window->style = style & ~WS_VISIBLE;
  window->frame = RECT{x, y, x + width, y + height};
  HWND handle = window->handle;
  if (SendMessageA(handle, WM_CREATE, 0, 0) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
  return handle;
}

BOOL DestroyWindow(HWND handle) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window) return FALSE;
  SendMessageA(handle, WM_DESTROY, 0, 0);
  // The procedure may have destroyed the window itself meanwhile.
  window = platform::FindWindow(handle);
  if (!window) return TRUE;
  if (window->sdl) SDL_DestroyWindow(window->sdl);
  platform::DropMessagesFor(handle);
  platform::RemoveWindow(handle);
  return TRUE;
}

BOOL IsWindow(HWND handle) {
  return platform::FindWindow(handle) ? TRUE : FALSE;
}

LONG_PTR SetWindowLongA(HWND handle, int index, LONG_PTR value) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window) return 0;
  LONG_PTR previous = 0;
  switch (index) {
    case GWL_USERDATA:
      previous = window->userData;
      window->userData = value;
      return previous;
    case GWL_STYLE: {
      previous = static_cast<LONG_PTR>(window->style | (window->visible ? WS_VISIBLE : 0));
      DWORD style = static_cast<DWORD>(value);
      window->style = style & ~WS_VISIBLE;
      if (window->sdl) {
        SDL_SetWindowBordered(window->sdl,
                              platform::FrameMargins(style).top > 1 ? SDL_TRUE : SDL_FALSE);
      }
      if ((style & WS_VISIBLE) && !window->visible) ShowWindow(handle, SW_SHOWNOACTIVATE);
      platform::ApplyDisplayMode(*window);
      return previous;
    }
    default:
      return 0;
  }
}

LONG_PTR GetWindowLongA(HWND handle, int index) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window) return 0;
  if (index == GWL_USERDATA) return window->userData;
  if (index == GWL_STYLE)
    return static_cast<LONG_PTR>(window->style | (window->visible ? WS_VISIBLE : 0) |
                                 (IsIconic(handle) ? WS_MINIMIZE : 0));
  return 0;
}

BOOL SetWindowTextA(HWND handle, LPCSTR text) {
  platform::Window* window = platform::FindWindow(handle);
  if (!window) return FALSE;
  if (window->sdl) SDL_SetWindowTitle(window->sdl, text ? text : "");
  return TRUE;
}

HDC GetDC(HWND handle) {
  platform::Window* window = platform::FindWindow(handle);
  return window ? window->deviceContext : nullptr;
}

int ReleaseDC(HWND handle, HDC context) {
  platform::Window* window = platform::FindWindow(handle);
  return window && window->deviceContext == context ? 1 : 0;
}

HWND WindowFromDC(HDC context) {
  if (!context) return nullptr;
  for (platform::Window* window : platform::AllWindows())
    if (window->deviceContext == context) return window->handle;
  return nullptr;
}

// The program carries no resources of its own; the system's icons and cursors get handles.
HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (instance) return nullptr;
  return reinterpret_cast<HICON>(const_cast<char*>(name));
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance) return nullptr;
  return reinterpret_cast<HCURSOR>(const_cast<char*>(name));
}

HGDIOBJ GetStockObject(int object) {
  if (object < WHITE_BRUSH || object > NULL_BRUSH) return nullptr;
  return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(0x100 + object));
}
