#include "input/mouse_messages.h"

#include "input/key_state.h"
#include "window/message_queue.h"
#include "window/window_registry.h"

namespace platform {

LPARAM KeyMessageLParam(const KeyRow& row, bool down, bool wasDown, bool alt) {
  DWORD bits = 1 | (row.scanCode << 16);
  if (row.extended) bits |= 1u << 24;
  if (alt) bits |= 1u << 29;
  if (!down || wasDown) bits |= 1u << 30;
  if (!down) bits |= 1u << 31;
  return static_cast<LPARAM>(bits);
}

void QueueButtonMessage(HWND window, int button, bool down, int clicks, POINT point) {
  static constexpr UINT kDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  static constexpr UINT kUp[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
  static constexpr UINT kDouble[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
  if (button < 1 || button > 3) return;
  Window* target = FindWindow(window);
  if (!target) return;
  bool isDouble = down && clicks % 2 == 0 && (target->classStyle & CS_DBLCLKS);
  UINT message = !down ? kUp[button - 1] : isDouble ? kDouble[button - 1] : kDown[button - 1];
  QueueMessage(window, message, MouseKeyFlags(), MAKELPARAM(point.x, point.y));
}

void QueueWheelMessage(HWND window, int delta, POINT point) {
  QueueMessage(window, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeyFlags(), delta),
               MAKELPARAM(point.x, point.y));
}

}  // namespace platform
