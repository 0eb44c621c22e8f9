#include "window/message_queue.h"

#include <deque>
#include <mutex>

#include "input/cursor_state.h"
#include "input/key_state.h"
#include "platform/input_seams.h"
#include "platform/win32_input.h"
#include "platform/win32_kernel.h"
#include "platform/win32_mm.h"
#include "window/window_registry.h"

namespace {

struct QueuedMessage {
  MSG message;
  std::string text;
};

// Other threads may post; everything else runs on the user-interface thread.
std::mutex g_queueLock;
std::deque<QueuedMessage> g_queue;
bool g_quitPosted = false;
// GetMessageA looks again this often, for messages posted by other threads.
constexpr DWORD kPollMilliseconds = 10;
int g_quitCode = 0;

MSG g_lastKeyDown{};
std::string g_lastKeyText;

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG made{};
  made.hwnd = window;
  made.message = message;
  made.wParam = wParam;
  made.lParam = lParam;
  made.time = timeGetTime();
  made.pt = platform::LastKnownCursor();
  return made;
}

bool Matches(const MSG& message, HWND window, UINT filterMin, UINT filterMax) {
  if (window && message.hwnd != window) return false;
  if (filterMin == 0 && filterMax == 0) return true;
  return message.message >= filterMin && message.message <= filterMax;
}

bool IsKeyPress(UINT message) {
  return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

// Takes the first matching queued message; then the quit message; then a repaint.
bool TakeMessage(MSG* out, HWND window, UINT filterMin, UINT filterMax, bool remove) {
  {
    std::lock_guard<std::mutex> lock(g_queueLock);
    for (auto it = g_queue.begin(); it != g_queue.end(); ++it) {
      if (!Matches(it->message, window, filterMin, filterMax)) continue;
      *out = it->message;
      if (remove) {
        if (IsKeyPress(out->message)) {
          g_lastKeyDown = *out;
          g_lastKeyText = it->text;
        }
        g_queue.erase(it);
      }
      return true;
    }
    if (g_quitPosted &&
        Matches(MakeMessage(nullptr, WM_QUIT, 0, 0), nullptr, filterMin, filterMax)) {
      *out = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(g_quitCode), 0);
      if (remove) g_quitPosted = false;
      return true;
    }
  }
  for (platform::Window* candidate : platform::AllWindows()) {
    if (!candidate->needsPaint || !candidate->visible) continue;
    MSG paint = MakeMessage(candidate->handle, WM_PAINT, 0, 0);
    if (!Matches(paint, window, filterMin, filterMax)) continue;
    // Handed out once per invalidation, so that a procedure that does not paint cannot make
    // the queue repeat it forever.
    if (remove) candidate->needsPaint = false;
    *out = paint;
    return true;
  }
  return false;
}

}  // namespace

namespace platform {

void QueueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::string text) {
  std::lock_guard<std::mutex> lock(g_queueLock);
  g_queue.push_back({MakeMessage(window, message, wParam, lParam), std::move(text)});
}

void QueueMessageFirst(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::lock_guard<std::mutex> lock(g_queueLock);
  g_queue.push_front({MakeMessage(window, message, wParam, lParam), {}});
}

void QueueMouseMove(HWND window, WPARAM wParam, LPARAM lParam) {
  std::lock_guard<std::mutex> lock(g_queueLock);
  std::erase_if(g_queue, [window](const QueuedMessage& queued) {
    return queued.message.hwnd == window && queued.message.message == WM_MOUSEMOVE;
  });
  g_queue.push_back({MakeMessage(window, WM_MOUSEMOVE, wParam, lParam), {}});
}

bool AttachTextToKeyDown(HWND window, const std::string& text) {
  std::lock_guard<std::mutex> lock(g_queueLock);
  for (auto it = g_queue.rbegin(); it != g_queue.rend(); ++it) {
    if (it->message.hwnd == window && IsKeyPress(it->message.message)) {
      it->text += text;
      return true;
    }
  }
  return false;
}

void DropMessagesFor(HWND window) {
  std::lock_guard<std::mutex> lock(g_queueLock);
  std::erase_if(g_queue,
                [window](const QueuedMessage& queued) { return queued.message.hwnd == window; });
}

const std::string& TextOfLastKeyDown(const MSG& message) {
  static const std::string kNone;
  const MSG& last = g_lastKeyDown;
  bool same = last.hwnd == message.hwnd && last.message == message.message &&
              last.wParam == message.wParam && last.lParam == message.lParam &&
              last.time == message.time;
  return same ? g_lastKeyText : kNone;
}

}  // namespace platform

BOOL PeekMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT removeMessage) {
  if (!message) return FALSE;
  platform::PumpInput();
  if (!TakeMessage(message, window, filterMin, filterMax, (removeMessage & PM_REMOVE) != 0))
    return FALSE;
  if (removeMessage & PM_REMOVE) platform::NoteKeyMessage(*message);
  return TRUE;
}

BOOL GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
  if (!message || (window && !IsWindow(window))) return -1;
  while (!PeekMessageA(message, window, filterMin, filterMax, PM_REMOVE)) {
    // Scripted input never brings more than the test put there: report the end instead of
    // waiting for ever.
    if (platform::IsInputScripted()) return -1;
    platform::WaitForInput(kPollMilliseconds);
  }
  return message->message == WM_QUIT ? 0 : 1;
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE*, BOOL, DWORD milliseconds, DWORD) {
  if (count != 0) return WAIT_FAILED;
  MSG message;
  if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) return WAIT_OBJECT_0;
  if (platform::IsInputScripted() || milliseconds == 0) return WAIT_TIMEOUT;
  platform::WaitForInput(milliseconds);
  return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window && !IsWindow(window)) return FALSE;
  platform::QueueMessage(window, message, wParam, lParam);
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  std::lock_guard<std::mutex> lock(g_queueLock);
  g_quitPosted = true;
  g_quitCode = exitCode;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  platform::Window* target = platform::FindWindow(window);
  if (!target || !target->procedure) return 0;
  return target->procedure(window, message, wParam, lParam);
}

LRESULT DispatchMessageA(const MSG* message) {
  if (!message || !message->hwnd) return 0;
  return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}
