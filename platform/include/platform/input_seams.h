// Seams for tests: a headless display, scripted input and control of the foreground and
// minimised state. All are off unless a test turns them on.
#pragma once

#include <functional>

#include "platform/win32_types.h"

namespace platform {

// Windows open on SDL's offscreen video driver (no display needed). Call before the first
// window is made.
void UseHeadlessDisplay();

// Scripted input: the real keyboard, mouse and focus are ignored; the functions below drive
// them, and a GetMessageA that finds nothing left returns -1 instead of blocking. Turning it on
// starts clean: no key or button down, the cursor at (0, 0) and unclipped, no window in front,
// no pump hook.
void UseScriptedInput(bool scripted);
bool IsInputScripted();

// Presses or releases a key (left/right codes for shift, control and alt): the key state changes
// at once and the key message goes to the foreground window, as a real key press does.
void ScriptKey(int virtualKey, bool down);
// Presses or releases VK_LBUTTON, VK_RBUTTON or VK_MBUTTON at the cursor.
void ScriptMouseButton(int virtualKey, bool down);
// Moves the cursor to a screen point.
void ScriptCursor(int x, int y);
// Turns the wheel by whole notches, positive away from the user.
void ScriptWheel(int notches);
// The window in front; null puts another program in front. Posts WM_ACTIVATEAPP on changes.
void ScriptForeground(HWND window);
void ScriptMinimized(HWND window, bool minimized);

// Called each time a message function looks for input (every PeekMessageA, every turn of
// GetMessageA), so that a test can change input or state while the code under test waits.
void SetInputPumpHook(std::function<void()> hook);

}  // namespace platform
