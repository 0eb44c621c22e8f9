// Scripted input for tests: keys, buttons, cursor and wheel driven by calls instead of devices.
#include <string>

#include "input/cursor_state.h"
#include "input/key_state.h"
#include "input/key_table.h"
#include "input/mouse_messages.h"
#include "platform/input_seams.h"
#include "platform/win32_input.h"
#include "platform/win32_mm.h"
#include "window/message_queue.h"
#include "window/window_registry.h"

namespace {

bool g_scripted = false;

struct Click {
  int button = 0;
  DWORD time = 0;
  POINT point{};
  int count = 0;
};
Click g_lastClick;

constexpr DWORD kDoubleClickMilliseconds = 500;
constexpr LONG kDoubleClickDistance = 2;

// What a scripted key types: letters (shifted or not), digits and space. Control characters
// come from TranslateMessage.
std::string TypedText(int virtualKey) {
  if (platform::IsVirtualKeyDown(VK_CONTROL) || platform::IsVirtualKeyDown(VK_MENU)) return {};
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    bool shift = platform::IsVirtualKeyDown(VK_SHIFT);
    return std::string(1, static_cast<char>(shift ? virtualKey : virtualKey + 32));
  }
  if ((virtualKey >= '0' && virtualKey <= '9') || virtualKey == VK_SPACE)
    return std::string(1, static_cast<char>(virtualKey));
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
    return std::string(1, static_cast<char>('0' + virtualKey - VK_NUMPAD0));
  return {};
}

int CountClicks(int button, POINT point) {
  DWORD now = timeGetTime();
  bool again = g_lastClick.button == button && now - g_lastClick.time <= kDoubleClickMilliseconds &&
               std::abs(point.x - g_lastClick.point.x) <= kDoubleClickDistance &&
               std::abs(point.y - g_lastClick.point.y) <= kDoubleClickDistance;
  g_lastClick = Click{button, now, point, again ? g_lastClick.count + 1 : 1};
  return g_lastClick.count;
}

}  // namespace

namespace platform {

void UseScriptedInput(bool scripted) {
  g_scripted = scripted;
  if (!scripted) return;
  ReleaseScriptedKeys();
  ResetScriptedCursor();
  ForgetScriptedForeground();
  SetInputPumpHook(nullptr);
  g_lastClick = Click{};
}

bool IsInputScripted() {
  return g_scripted;
}

void ScriptKey(int virtualKey, bool down) {
  bool wasDown = IsVirtualKeyDown(virtualKey);
  SetScriptedKey(virtualKey, down);
  HWND target = GetForegroundWindow();
  const KeyRow* row = KeyRowOfVirtualKey(virtualKey);
  if (!target || !row) return;
  int messageKey = virtualKey == row->sideKey ? row->virtualKey : virtualKey;
  bool alt = IsVirtualKeyDown(VK_MENU);
  bool system = (alt || messageKey == VK_MENU) && !IsVirtualKeyDown(VK_CONTROL);
  UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  LPARAM lParam = KeyMessageLParam(*row, down, wasDown, alt);
  QueueMessage(target, message, static_cast<WPARAM>(messageKey), lParam,
               down ? TypedText(virtualKey) : std::string());
}

void ScriptMouseButton(int virtualKey, bool down) {
  SetScriptedKey(virtualKey, down);
  HWND target = WindowUnderCursor();
  if (!target) return;
  POINT point;
  GetCursorPos(&point);
  int button = virtualKey == VK_LBUTTON ? 1 : virtualKey == VK_RBUTTON ? 2 : 3;
  int clicks = down ? CountClicks(button, point) : 1;
  ScreenToClient(target, &point);
  QueueButtonMessage(target, button, down, clicks, point);
}

void ScriptWheel(int notches) {
  POINT point;
  GetCursorPos(&point);
  HWND target = GetForegroundWindow();
  if (target) QueueWheelMessage(target, notches * WHEEL_DELTA, point);
}

}  // namespace platform
