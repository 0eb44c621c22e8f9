// The message queue behind PeekMessageA and GetMessageA.
#pragma once

#include <string>

#include "platform/win32_user.h"

namespace platform {

// Queues a message; text is what the key press typed (TranslateMessage turns it into WM_CHAR).
void QueueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::string text = {});
// Replaces the window's queued WM_MOUSEMOVE, if any, with this one at the end of the queue, so
// that moves never pile up.
void QueueMouseMove(HWND window, WPARAM wParam, LPARAM lParam);
// Adds typed text to the newest queued key press of the window; false when there is none.
bool AttachTextToKeyDown(HWND window, const std::string& text);
// Puts a message in front of all others (the characters TranslateMessage makes).
void QueueMessageFirst(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void DropMessagesFor(HWND window);
// Text typed by the key press that PeekMessageA or GetMessageA handed out last.
const std::string& TextOfLastKeyDown(const MSG& message);

// Takes pending input from SDL (and, for tests, the pump hook) into the queue.
void PumpInput();
// Blocks until SDL has input or the time is up.
void WaitForInput(DWORD milliseconds);

}  // namespace platform
