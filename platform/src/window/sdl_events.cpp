// SDL's events become window messages.
#include <SDL.h>

#include <algorithm>
#include <functional>
#include <string>

#include "input/key_state.h"
#include "input/key_table.h"
#include "input/mouse_messages.h"
#include "platform/input_seams.h"
#include "platform/win32_input.h"
#include "window/message_queue.h"
#include "window/window_registry.h"
#include "window/x11_window_watch.h"

namespace {

std::function<void()> g_pumpHook;
bool g_inHook = false;

HWND HandleOf(Uint32 sdlWindowId) {
  platform::Window* window = platform::FindWindowBySdlId(sdlWindowId);
  return window ? window->handle : nullptr;
}

void OnWindowEvent(const SDL_WindowEvent& event) {
  platform::Window* window = platform::FindWindowBySdlId(event.windowID);
  if (!window) return;
  bool scripted = platform::IsInputScripted();
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      platform::QueueMessage(window->handle, WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      window->needsPaint = true;
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (!scripted) {
        WPARAM active = event.event == SDL_WINDOWEVENT_FOCUS_GAINED ? TRUE : FALSE;
        platform::QueueMessage(window->handle, WM_ACTIVATEAPP, active, 0);
      }
      break;
    default:
      break;
  }
}

void OnKey(const SDL_KeyboardEvent& event) {
  HWND window = HandleOf(event.windowID);
  const platform::KeyRow* row = platform::KeyRowOf(event.keysym.scancode);
  if (!window || !row) return;
  bool down = event.state == SDL_PRESSED;
  int virtualKey = platform::MessageKeyOf(*row, (event.keysym.mod & KMOD_NUM) != 0);
  bool alt = (event.keysym.mod & KMOD_ALT) != 0;
  bool system = (alt || virtualKey == VK_MENU) && !(event.keysym.mod & KMOD_CTRL);
  UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  platform::QueueMessage(window, message, static_cast<WPARAM>(virtualKey),
                         platform::KeyMessageLParam(*row, down, event.repeat != 0, alt));
}

// Typed text in the system's single-byte form: characters beyond 255 are dropped.
std::string SingleByteText(const char* utf8) {
  std::string text;
  const unsigned char* at = reinterpret_cast<const unsigned char*>(utf8);
  while (*at) {
    unsigned codePoint = *at;
    int extra = codePoint >= 0xF0 ? 3 : codePoint >= 0xE0 ? 2 : codePoint >= 0xC0 ? 1 : 0;
    if (extra) codePoint &= 0x3Fu >> extra;
    ++at;
    for (int i = 0; i < extra && (*at & 0xC0) == 0x80; ++i, ++at)
      codePoint = (codePoint << 6) | (*at & 0x3F);
    if (codePoint < 256) text += static_cast<char>(codePoint);
  }
  return text;
}

void OnText(const SDL_TextInputEvent& event) {
  HWND window = HandleOf(event.windowID);
  std::string text = SingleByteText(event.text);
  if (!window || text.empty()) return;
  if (platform::AttachTextToKeyDown(window, text)) return;
  for (char c : text) platform::QueueMessage(window, WM_CHAR, static_cast<unsigned char>(c), 0);
}

void OnMouseButton(const SDL_MouseButtonEvent& event) {
  HWND window = HandleOf(event.windowID);
  int button = event.button == SDL_BUTTON_LEFT     ? 1
               : event.button == SDL_BUTTON_RIGHT  ? 2
               : event.button == SDL_BUTTON_MIDDLE ? 3
                                                   : 0;
  if (!window || !button) return;
  platform::QueueButtonMessage(window, button, event.state == SDL_PRESSED, event.clicks,
                               POINT{event.x, event.y});
}

void OnWheel(const SDL_MouseWheelEvent& event) {
  HWND window = HandleOf(event.windowID);
  if (!window || event.y == 0) return;
  int notches = event.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.y : event.y;
  POINT cursor;
  GetCursorPos(&cursor);
  platform::QueueWheelMessage(window, notches * WHEEL_DELTA, cursor);
}

// SDL's quit request comes from an interrupt or termination signal: every window is asked to
// close, as a system shutdown asks them.
void OnQuitRequest() {
  for (platform::Window* window : platform::AllWindows())
    platform::QueueMessage(window->handle, WM_CLOSE, 0, 0);
}

void Translate(const SDL_Event& event) {
  if (event.type == SDL_WINDOWEVENT) return OnWindowEvent(event.window);
  if (event.type == SDL_QUIT) return OnQuitRequest();
  if (event.type == SDL_SYSWMEVENT) return platform::NoteSystemEvent(event.syswm);
  // Scripted input stands in for the devices: their events are dropped.
  if (platform::IsInputScripted()) return;
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return OnKey(event.key);
    case SDL_TEXTINPUT:
      return OnText(event.text);
    case SDL_MOUSEMOTION:
      if (HWND window = HandleOf(event.motion.windowID))
        platform::QueueMouseMove(window, platform::MouseKeyFlags(),
                                 MAKELPARAM(event.motion.x, event.motion.y));
      return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return OnMouseButton(event.button);
    case SDL_MOUSEWHEEL:
      return OnWheel(event.wheel);
    default:
      return;
  }
}

}  // namespace

namespace platform {

void SetInputPumpHook(std::function<void()> hook) {
  g_pumpHook = std::move(hook);
}

void PumpInput() {
  if (g_pumpHook && !g_inHook) {
    g_inHook = true;
    g_pumpHook();
    g_inHook = false;
  }
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) Translate(event);
  platform::DestroyWindowsGoneFromDisplay();
  NoteEventsPumped();
}

void WaitForInput(DWORD milliseconds) {
  int timeout = static_cast<int>(std::min<DWORD>(milliseconds, 1000));
  if (SDL_WasInit(SDL_INIT_VIDEO))
    SDL_WaitEventTimeout(nullptr, timeout);
  else
    SDL_Delay(static_cast<Uint32>(timeout));
}

}  // namespace platform
