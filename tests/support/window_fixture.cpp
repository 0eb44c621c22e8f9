#include "window_fixture.h"

#include "platform/input_seams.h"

namespace {

std::vector<ReceivedMessage> g_received;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_received.push_back({message, wParam, lParam});
  return DefWindowProcA(window, message, wParam, lParam);
}

const char* RegisteredClass(bool doubleClicks) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProcedure;
    windowClass.lpszClassName = "recording";
    RegisterClassA(&windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpszClassName = "recording with double clicks";
    RegisterClassA(&windowClass);
    registered = true;
  }
  return doubleClicks ? "recording with double clicks" : "recording";
}

}  // namespace

void ScriptedWindowTest::SetUp() {
  platform::UseHeadlessDisplay();
  platform::UseScriptedInput(true);
  RegisteredClass(false);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  g_received.clear();
}

void ScriptedWindowTest::TearDown() {
  for (HWND window : windows_) DestroyWindow(window);
  platform::UseScriptedInput(true);
}

HWND ScriptedWindowTest::MakeWindow(bool doubleClicks) {
  HWND window = CreateWindowExA(0, RegisteredClass(doubleClicks), "test", WS_POPUP, kX, kY, kWidth,
                                kHeight, nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(window, nullptr) << "no window on the headless display";
  if (!window) return nullptr;
  windows_.push_back(window);
  ShowWindow(window, SW_SHOW);
  DispatchAll();
  g_received.clear();
  return window;
}

void ScriptedWindowTest::DispatchAll() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

std::vector<ReceivedMessage> ScriptedWindowTest::TakeReceived() {
  std::vector<ReceivedMessage> taken;
  taken.swap(g_received);
  return taken;
}

std::vector<ReceivedMessage> ScriptedWindowTest::Received(UINT message) {
  std::vector<ReceivedMessage> matching;
  for (const ReceivedMessage& received : g_received)
    if (received.message == message) matching.push_back(received);
  return matching;
}
