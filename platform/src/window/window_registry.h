// The live windows and the registered window classes behind the window handles.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/win32_user.h"

namespace platform {

struct Window {
  HWND handle = nullptr;
  HDC deviceContext = nullptr;
  SDL_Window* sdl = nullptr;
  WNDPROC procedure = nullptr;
  UINT classStyle = 0;
  DWORD style = 0;
  LONG_PTR userData = 0;
  RECT frame{};  // outer rectangle in screen coordinates
  bool visible = false;
  bool minimized = false;  // as ShowWindow or the scripted seam left it
  bool needsPaint = false;
  bool fullScreen = false;
  int pixelFormat = 0;  // as SetPixelFormat set it, 0 until then
  // The depth buffer the SDL window was made with, where that decides the frame buffer's.
  int frameBufferDepthBits = 0;
};

Window* FindWindow(HWND handle);
Window* FindWindowBySdlId(Uint32 id);
// Live windows, oldest first.
std::vector<Window*> AllWindows();
// The most recently shown visible window (what counts as in front without focus tracking).
Window* LastShownWindow();
void MarkShown(Window& window);
// No window in front of scripted input.
void ForgetScriptedForeground();

Window* AddWindow();
void RemoveWindow(HWND handle);
bool FindClass(const char* name, UINT* style, WNDPROC* procedure);

// The frame a style puts around a client area.
RECT FrameMargins(DWORD style);
// The client area's top-left corner in screen coordinates.
POINT ClientOrigin(const Window& window);

}  // namespace platform
