// The software cursor drawn into a DirectX window at the mouse.
#include <gtest/gtest.h>

#include <vector>

#include "KInput.h"
#include "game_window_fixture.h"

namespace {

class CursorTest : public DirectXWindowTest {
 protected:
  void SetUp() override {
    DirectXWindowTest::SetUp();
    ASSERT_TRUE(MakeWindow());
    window_->SetClearColor(0, 0, 1, 1);
  }
  void TearDown() override {
    KInput::FreeCursorGraphic();
    KInput::SetCursorImage(nullptr);
    DirectXWindowTest::TearDown();
  }

  // A cleared frame with the cursor drawn at client (x, y).
  void DrawCursorAt(int x, int y) {
    window_->SetWorldView(0, 0, 0, 1, true);
    KInput::SetMousePosition(x, y);
    KInput::DrawCursor();
  }

  // An image of the given size, all one pixel word.
  static std::vector<uint32_t> Image(uint32_t width, uint32_t height, uint32_t pixel) {
    std::vector<uint32_t> image(2 + width * height, pixel);
    image[0] = width;
    image[1] = height;
    return image;
  }
};

constexpr uint32_t kOpaqueRed = 0xFF0000FFu;  // bytes red, green, blue, alpha
constexpr uint32_t kOpaqueGreen = 0xFF00FF00u;

TEST_F(CursorTest, TheBuiltInArrowHasItsTipAtTheMouse) {
  DrawCursorAt(50, 40);
  EXPECT_EQ(Pixel(50, 40), kWhite) << "the tip";
  EXPECT_EQ(Pixel(51, 40), kWhite);
  EXPECT_EQ(Pixel(52, 40), kBlue) << "transparent beside the tip";
  EXPECT_EQ(Pixel(51, 41), kBlack) << "the inside";
  EXPECT_EQ(Pixel(58, 48), kBlack) << "row 8 is the widest";
  EXPECT_EQ(Pixel(59, 48), kWhite);
  EXPECT_EQ(Pixel(53, 52), kWhite) << "the notch of row 12";
  EXPECT_EQ(Pixel(51, 54), kWhite) << "row 14";
  EXPECT_EQ(Pixel(50, 55), kBlue) << "row 15 is empty";
  EXPECT_EQ(Pixel(49, 40), kBlue);
}

TEST_F(CursorTest, TheCursorFollowsTheMouseAndMayHangOverTheEdge) {
  DrawCursorAt(kWidth - 1, kHeight - 1);
  EXPECT_EQ(Pixel(kWidth - 1, kHeight - 1), kWhite);
  DrawCursorAt(-1, -1);
  EXPECT_EQ(Pixel(0, 0), kBlack) << "pixel (1, 1) of the arrow";
  EXPECT_EQ(Pixel(1, 0), kWhite);
}

TEST_F(CursorTest, ANewImageShowsOnlyOnceThePictureIsFreed) {
  DrawCursorAt(20, 20);
  std::vector<uint32_t> red = Image(16, 16, kOpaqueRed);
  KInput::SetCursorImage(red.data());
  DrawCursorAt(20, 20);
  EXPECT_EQ(Pixel(20, 20), kWhite) << "the picture made first is still drawn";
  KInput::FreeCursorGraphic();
  DrawCursorAt(20, 20);
  EXPECT_EQ(Pixel(20, 20), kRed);
  EXPECT_EQ(Pixel(35, 35), kRed);
  EXPECT_EQ(Pixel(36, 36), kBlue);
}

TEST_F(CursorTest, OnlyTheTopLeftSixteenPixelsOfABiggerImageAreDrawn) {
  std::vector<uint32_t> image = Image(32, 32, kOpaqueGreen);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) image[2 + y * 32 + x] = kOpaqueRed;
  KInput::SetCursorImage(image.data());
  KInput::CreateCursorGraphic();
  DrawCursorAt(30, 30);
  EXPECT_EQ(Pixel(45, 45), kRed);
  EXPECT_EQ(Pixel(46, 30), kBlue);
  EXPECT_EQ(Pixel(30, 46), kBlue);
}

TEST_F(CursorTest, MakingTheCursorPictureAgainReplacesIt) {
  std::vector<uint32_t> red = Image(16, 16, kOpaqueRed);
  KInput::SetCursorImage(red.data());
  KInput::CreateCursorGraphic();
  std::vector<uint32_t> green = Image(16, 16, kOpaqueGreen);
  KInput::SetCursorImage(green.data());
  KInput::CreateCursorGraphic();
  DrawCursorAt(5, 5);
  EXPECT_EQ(Pixel(5, 5), kGreen);
}

}  // namespace
