#include "MessagePump.h"

#include "platform/win32.h"

bool MessagePump::DispatchOne() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}
