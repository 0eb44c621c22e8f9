// A window's flip with the software cursor on draws the library's arrow, in a program that names
// no other part of the cursor.
#include <gtest/gtest.h>

#include "KInput.h"
#include "game_window_fixture.h"

namespace {

using SoftwareCursorTest = DirectXWindowTest;

TEST_F(SoftwareCursorTest, TheFlipDrawsTheArrowAtTheMouse) {
  ASSERT_TRUE(MakeWindow());
  window_->SetClearColor(0, 0, 1, 1);
  KInput::SetMousePosition(70, 60);
  window_->SetWorldView(0, 0, 0, 1, true);
  window_->SetSoftwareCursor(true);
  window_->FlipBackBuffer(false, false);
  EXPECT_EQ(ColumnsOf(60, kWhite), (std::vector<int>{70, 71}));
  EXPECT_EQ(ColumnsOf(61, kBlack), (std::vector<int>{71}));
}

}  // namespace
