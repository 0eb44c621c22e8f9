#include "KMessagePump.h"

#include "platform/win32.h"

bool KMessagePump::DispatchOne() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}
