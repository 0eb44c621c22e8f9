#include "WindowFlip.h"

#include <cstdio>

#include "KGraphic.h"
#include "KInput.h"
#include "KMiscTools.h"
#include "KWindow.h"
#include "MessagePump.h"

namespace {

// One wait at a time: a message dispatched inside a wait may flip again (the OpenGL window
// repaints that way), and that flip must not start a wait of its own.
bool g_waiting = false;

// Waits for the next message and dispatches it; false when the queue has ended. A quit message
// is posted again, so that the application's own loop still sees it.
bool DispatchNextMessage() {
  MSG message;
  BOOL result = GetMessageA(&message, nullptr, 0, 0);
  if (result == 0) PostQuitMessage(static_cast<int>(message.wParam));
  if (result <= 0) return false;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

template <typename Condition>
void DispatchWhile(KWindow* window, Condition stillWaiting) {
  if (g_waiting) return;
  g_waiting = true;
  HWND handle = window->GetWindowHandle();
  while (IsWindow(handle) && !window->IsQuit() && stillWaiting(handle)) {
    if (!DispatchNextMessage()) break;
  }
  g_waiting = false;
}

}  // namespace

void WindowFlip::ProcessEvents(KWindow* window, WindowFlipState* state) {
  if (IsScreenshotHotkeyHeld()) {
    ++state->screenshotCount;
    char name[32];
    std::snprintf(name, sizeof name, "screenshot%d.tga", state->screenshotCount);
    window->SaveBackBuffer(KMiscTools::MakeFilePath(name), K_IMAGE_TGA, 0, 0);
    KInput::WaitKeyRelease(K_KEY_PRINTSCREEN);
    KInput::WaitKeyRelease(K_KEY_LSHIFT);
  }
  MessagePump::DispatchOne();
}

bool WindowFlip::IsScreenshotHotkeyHeld() {
  return KInput::IsKeyDown(K_KEY_LSHIFT) && KInput::IsKeyDown(K_KEY_PRINTSCREEN);
}

uint32_t WindowFlip::MillisecondsPerFrame(int fps) {
  return fps > 0 ? static_cast<uint32_t>(1000 / fps) : 0;
}

void WindowFlip::LimitFrameRate(WindowFlipState* state, uint32_t t0,
                                uint32_t millisecondsPerFrame) {
  if (millisecondsPerFrame > 0 && t0 - state->lastFlip <= millisecondsPerFrame) {
    while (KMiscTools::GetMilliseconds() - state->lastFlip < millisecondsPerFrame) {
    }
  }
  state->lastFlip = KMiscTools::GetMilliseconds();
}

void WindowFlip::WaitWhileMinimized(KWindow* window) {
  DispatchWhile(window, [](HWND handle) { return IsIconic(handle) != FALSE; });
}

void WindowFlip::WaitWhileInactive(KWindow* window) {
  DispatchWhile(window, [window](HWND) { return !window->HasFocus(); });
}
