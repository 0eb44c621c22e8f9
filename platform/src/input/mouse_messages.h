// The Windows form of key, button and wheel input, shared by real and scripted input.
#pragma once

#include "input/key_table.h"
#include "platform/win32_user.h"

namespace platform {

// Repeat count 1, scan code, extended bit, Alt context, previous state and transition.
LPARAM KeyMessageLParam(const KeyRow& row, bool down, bool wasDown, bool alt);
// button 1 left, 2 right, 3 middle; clicks counts quick successive presses (an even count on a
// window class with CS_DBLCLKS makes a double click); point in client coordinates.
void QueueButtonMessage(HWND window, int button, bool down, int clicks, POINT point);
// delta in wheel units (120 a notch); point in screen coordinates.
void QueueWheelMessage(HWND window, int delta, POINT point);

}  // namespace platform
