// The window-procedure rules both window variants share: the application's message handler and
// event handler see each message first; then comes the library's own handling.
#pragma once

#include "KWindowEvent.h"
#include "platform/win32.h"

class WindowProcedureRules {
 public:
  // The message handler, then the event handler with the message's event record. False when
  // one of them swallowed the message: the procedure then returns 0 at once.
  static bool OfferToHandlers(MessageHandler messageHandler, EventHandler eventHandler, HWND window,
                              UINT message, WPARAM wParam, LPARAM lParam);

  // The event record of a message, with the mouse position read now.
  static KWindowEvent MakeEvent(UINT message, WPARAM wParam, LPARAM lParam);

  // The handling both variants share: WM_CLOSE and WM_DESTROY set *quit (quit may be null when
  // the window has no object yet), WM_MOUSEWHEEL stores its delta in KInput. True when the
  // message was one of these: the procedure returns 0 and does not call DefWindowProcA.
  static bool HandleShared(UINT message, WPARAM wParam, bool* quit);
};
