// What a window does with the messages its procedure leaves to the system.
#include "platform/win32_input.h"
#include "platform/win32_user.h"
#include "window/window_registry.h"

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_RBUTTONUP: {
      // A right-button release asks for the context menu, at the cursor in screen coordinates.
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(window, &point);
      SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window),
                   MAKELPARAM(point.x, point.y));
      return 0;
    }
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4) SendMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    default:
      return 0;
  }
}
