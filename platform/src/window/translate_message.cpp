// Turning key presses into the characters they type.
#include <string>

#include "platform/win32_input.h"
#include "platform/win32_user.h"
#include "window/message_queue.h"

namespace {

// Keys that type a control character of their own, and Ctrl with a letter.
int ControlCharacter(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_BACK:
      return 8;
    case VK_TAB:
      return 9;
    case VK_RETURN:
      return 13;
    case VK_ESCAPE:
      return 27;
    default:
      break;
  }
  bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  if (control && virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<int>(virtualKey) - 64;
  return -1;
}

}  // namespace

BOOL TranslateMessage(const MSG* message) {
  if (!message) return FALSE;
  bool system = message->message == WM_SYSKEYDOWN;
  if (message->message != WM_KEYDOWN && !system) return FALSE;
  UINT charMessage = system ? WM_SYSCHAR : WM_CHAR;
  const std::string& text = platform::TextOfLastKeyDown(*message);
  if (!text.empty()) {
    // Queued in front of everything, last character first, so they arrive in typed order.
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
      platform::QueueMessageFirst(message->hwnd, charMessage, static_cast<unsigned char>(*it),
                                  message->lParam);
    }
    return TRUE;
  }
  int control = ControlCharacter(message->wParam);
  if (control >= 0)
    platform::QueueMessageFirst(message->hwnd, charMessage, static_cast<WPARAM>(control),
                                message->lParam);
  return TRUE;
}
