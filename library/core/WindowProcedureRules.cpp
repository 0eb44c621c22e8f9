#include "WindowProcedureRules.h"

#include "KInput.h"

bool WindowProcedureRules::OfferToHandlers(MessageHandler messageHandler, EventHandler eventHandler,
                                           HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (messageHandler && !messageHandler(window, message, wParam, lParam)) return false;
  if (eventHandler) {
    KWindowEvent event = MakeEvent(message, wParam, lParam);
    if (!eventHandler(&event)) return false;
  }
  return true;
}

KWindowEvent WindowProcedureRules::MakeEvent(UINT message, WPARAM wParam, LPARAM lParam) {
  KWindowEvent event{};
  event.type = K_EVENT_NONE;
  event.message = message;
  event.lParam = static_cast<uint32_t>(lParam);
  event.mouseX = KInput::GetMouseX();
  event.mouseY = KInput::GetMouseY();
  event.keyId = K_KEY_NONE;
  switch (message) {
    case WM_MOUSEMOVE:
      event.type = K_EVENT_MOUSEMOVE;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      event.type = K_EVENT_MOUSEDOWN;
      event.button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 3;
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      event.type = K_EVENT_MOUSEUP;
      event.button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 3;
      break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
      event.type = K_EVENT_DOUBLECLICK;
      event.button = message == WM_LBUTTONDBLCLK ? 1 : 2;
      break;
    case WM_MOUSEWHEEL:
      event.type = K_EVENT_WHEEL;
      event.wheelDelta = static_cast<int16_t>(HIWORD(wParam));
      KInput::SetWheelDelta(event.wheelDelta);
      break;
    case WM_CHAR:
      event.type = K_EVENT_CHAR;
      event.character = LOBYTE(wParam);
      break;
    case WM_KEYDOWN:
      event.type = K_EVENT_KEYDOWN;
      event.virtualKey = static_cast<uint32_t>(wParam);
      event.keyId = static_cast<uint32_t>(KInput::KeyIdFromVirtualKey(event.virtualKey));
      event.character = static_cast<uint8_t>((static_cast<DWORD>(lParam) >> 16) & 0xFF);
      break;
    case WM_KEYUP:
      event.type = K_EVENT_KEYUP;
      event.virtualKey = static_cast<uint32_t>(wParam);
      event.keyId = static_cast<uint32_t>(KInput::KeyIdFromVirtualKey(event.virtualKey));
      event.character = LOBYTE(wParam);
      break;
    case WM_CONTEXTMENU:
      event.type = K_EVENT_CONTEXTMENU;
      break;
    default:
      break;
  }
  return event;
}

bool WindowProcedureRules::HandleShared(UINT message, WPARAM wParam, bool* quit) {
  switch (message) {
    case WM_DESTROY:
    case WM_CLOSE:
      if (quit) *quit = true;
      return true;
    case WM_MOUSEWHEEL:
      KInput::SetWheelDelta(static_cast<int16_t>(HIWORD(wParam)));
      return true;
    default:
      return false;
  }
}
