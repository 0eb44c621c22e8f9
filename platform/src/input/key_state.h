// Key and button state: the live state behind GetAsyncKeyState (real or scripted) and the
// message-time state behind GetKeyState.
#pragma once

#include "platform/win32_user.h"

namespace platform {

// Updates the message-time state from a key message that was just retrieved.
void NoteKeyMessage(const MSG& message);
// Whether a virtual key (plain, left/right or mouse-button code) is down now.
bool IsVirtualKeyDown(int virtualKey);
// The MK_ flags of the mouse messages: buttons, shift and control.
WPARAM MouseKeyFlags();
// Sets a scripted key or button.
void SetScriptedKey(int virtualKey, bool down);
bool IsNumLockOn();
void ReleaseScriptedKeys();
// Tells the key state that the window system's events were just taken in, so that queries in
// the same millisecond need not take them in again.
void NoteEventsPumped();

}  // namespace platform
