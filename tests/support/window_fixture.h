// Windows on the headless display with scripted input, for tests of the window layer and of
// what sits on it. The window's procedure records every message and then leaves it to
// DefWindowProcA.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32.h"

struct ReceivedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class ScriptedWindowTest : public testing::Test {
 protected:
  static constexpr int kX = 100;
  static constexpr int kY = 50;
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 200;

  void SetUp() override;
  void TearDown() override;

  // Window classes "recording" and "recording with double clicks" (CS_DBLCLKS) are registered.
  // A shown popup window (no frame) at kX, kY of kWidth x kHeight, in front; its class has
  // CS_DBLCLKS when doubleClicks is set.
  HWND MakeWindow(bool doubleClicks = true);
  // Takes, translates and dispatches every pending message.
  void DispatchAll();
  // What the procedures received so far, then forgets it.
  std::vector<ReceivedMessage> TakeReceived();
  // The received messages of one kind.
  std::vector<ReceivedMessage> Received(UINT message);

  std::vector<HWND> windows_;
};
