// Whole frames on either renderer, made as the game makes them: screenshots of the frame (saved and
// by the hotkey, with the flip's cursor and fade), and pictures that keep drawing across the
// switch to full screen and back; on OpenGL also a window made again after one was deleted.
#include <filesystem>
#include <memory>
#include <tuple>

#include "DecodedImage.h"
#include "KGraphicGL.h"
#include "KInput.h"
#include "PictureSettings.h"
#include "game_window_fixture.h"
#include "image_files.h"
#include "temp_folder.h"

namespace {

const Rgb kBackground{51, 102, 153};

// An image file's pixels, top row first.
std::vector<Rgb> ImagePixels(const std::string& path) {
  std::unique_ptr<DecodedImage> image = LoadImageFile(path.c_str());
  std::vector<Rgb> pixels;
  if (!image) return pixels;
  for (int i = 0; i < image->width * image->height; ++i) {
    uint32_t pixel = image->pixels[size_t(i)];
    pixels.push_back({PixelRed(pixel), PixelGreen(pixel), PixelBlue(pixel)});
  }
  return pixels;
}

Rgb RgbOf(uint32_t pixel) {
  return {PixelRed(pixel), PixelGreen(pixel), PixelBlue(pixel)};
}

class FrameTest : public RendererWindowTest {
 protected:
  void Clear() {
    window_->SetClearColor(0.2f, 0.4f, 0.6f, 1);
    window_->SetWorldView(0, 0, 0, 1, true);
  }

  // The background, a picture blended, turned and zoomed, and a rectangle.
  void DrawFrame() {
    Clear();
    KGraphic* picture = MakePicture(pattern_);
    picture->BlitAlphaRect(0, 0, 16, 16, 10, 10, false, false);
    picture->BlitAlphaRectFx(0, 0, 16, 16, 60, 20, 45, 2, 0.8f, false, false, 0, 0);
    MakePicture()->DrawRect(100, 10, 140, 40, 1, 0, 0, 1);
  }

  TempFolder folder_;
  TestPicture picture_ = Gradient(16, 16);
  std::string pattern_ = folder_.Write("pattern.tga", TgaFile(picture_, 32));
};

class EachRenderer : public FrameTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    ASSERT_TRUE(MakeWindow(GetParam()));
  }
};

INSTANTIATE_TEST_SUITE_P(Renderers, EachRenderer, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& param) {
                           return param.param == 0 ? "DirectX" : "OpenGL";
                         });

TEST_P(EachRenderer, SavedScreenshotsHoldTheFrame) {
  DrawFrame();
  const std::vector<Rgb> frame = Read(0, 0, kWidth, kHeight);
  for (auto [format, name] : {std::tuple{K_IMAGE_TGA, "full.tga"},
                              {K_IMAGE_BMP, "full.bmp"},
                              {K_IMAGE_PNG, "full.png"}}) {
    std::string path = folder_.File(name);
    ASSERT_TRUE(window_->SaveBackBuffer(path.c_str(), format, 0, 0)) << name;
    EXPECT_EQ(ImagePixels(path), frame) << name;
  }
  // Shrunk to half: each pixel is one of the four frame pixels about its centre.
  std::string half = folder_.File("half.png");
  ASSERT_TRUE(window_->SaveBackBuffer(half.c_str(), K_IMAGE_PNG, kWidth / 2, kHeight / 2));
  std::vector<Rgb> shrunk = ImagePixels(half);
  ASSERT_EQ(shrunk.size(), size_t(kWidth / 2 * (kHeight / 2)));
  int strays = 0;
  for (int y = 0; y < kHeight / 2; ++y) {
    for (int x = 0; x < kWidth / 2; ++x) {
      Rgb pixel = shrunk[size_t(y) * (kWidth / 2) + x];
      bool found = false;
      for (int from : {0, 1, int(kWidth), kWidth + 1})
        found = found || frame[size_t(2 * y) * kWidth + 2 * x + size_t(from)] == pixel;
      strays += !found;
    }
  }
  EXPECT_EQ(strays, 0);
  EXPECT_EQ(Read(0, 0, kWidth, kHeight), frame) << "the frame is left as it was";
  std::string unknown = folder_.File("unknown.tga");
  EXPECT_FALSE(window_->SaveBackBuffer(unknown.c_str(), 7, 0, 0)) << "an unknown format";
  EXPECT_FALSE(std::filesystem::exists(unknown));
}

TEST_P(EachRenderer, TheHotkeyScreenshotHoldsTheFrameWithTheFlipsCursorAndFade) {
  DrawFrame();
  KInput::SetMousePosition(120, 60);
  window_->SetSoftwareCursor(true);
  window_->SetFade(0.5f);
  std::string shot = FlipTakingScreenshot();
  std::vector<Rgb> frame = Read(0, 0, kWidth, kHeight);
  EXPECT_EQ(ImagePixels(shot), frame);
  EXPECT_TRUE(std::filesystem::remove(shot));
  // The cursor is drawn first and faded with the rest: its white tip and the rectangle's red at
  // half, its black inside black.
  EXPECT_TRUE(Near(frame[60 * kWidth + 120], {128, 128, 128}, 1)) << frame[60 * kWidth + 120];
  EXPECT_EQ(frame[61 * kWidth + 121], kBlack);
  EXPECT_TRUE(Near(frame[20 * kWidth + 110], {128, 0, 0}, 1)) << frame[20 * kWidth + 110];
  EXPECT_TRUE(Near(frame[0], {26, 51, 77}, 1)) << frame[0];
}

// DirectX builds its textures again from their files after the switch, so a picture made from an
// array draws nothing until it is made again; OpenGL keeps its context and every texture.
TEST_P(EachRenderer, PicturesDrawAfterTheSwitchToFullScreenAndBack) {
  KGraphic* loaded = MakePicture(pattern_);
  KGraphic* made = MakePicture();
  std::vector<uint32_t> red(16, PackPixel(255, 0, 0, 255));
  ASSERT_TRUE(made->MakePictureFromArray(red.data(), 4, 4, true));
  for (bool fullScreen : {true, false}) {
    window_->SetFullScreen(fullScreen);
    window_->FlipBackBuffer(false, true);
    Clear();
    loaded->BlitRect(0, 0, 16, 16, 10, 10, false, false);
    made->BlitRect(0, 0, 4, 4, 40, 10, false, false);
    EXPECT_EQ(Pixel(25, 25), RgbOf(picture_.At(15, 15))) << fullScreen;
    EXPECT_EQ(Pixel(41, 11), GetParam() == kOpenGL ? kRed : kBackground) << fullScreen;
  }
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}

using OpenGLFrame = FrameTest;

// The pictures of a deleted window gave up their textures with its context: they draw nothing,
// and deleting them later leaves alone the textures of the window made after it, which may have
// the same names.
TEST_F(OpenGLFrame, PicturesOfADeletedWindowDrawNothingInTheNextAndHarmNone) {
  ASSERT_TRUE(MakeWindow(kOpenGL));
  std::unique_ptr<KGraphic> made(KFactory::CreateGraphic());
  std::vector<uint32_t> white(16, 0xFFFFFFFFu);
  ASSERT_TRUE(made->MakePictureFromArray(white.data(), 4, 4, true));
  std::unique_ptr<KGraphic> loaded(KFactory::CreateGraphicFromFile(pattern_.c_str()));
  ASSERT_GT(loaded->GetWidth(), 0);
  CloseWindow();

  ASSERT_TRUE(MakeWindow(kOpenGL));
  KGraphic* fresh = MakePicture();
  std::vector<uint32_t> blue(16, PackPixel(0, 0, 255, 255));
  ASSERT_TRUE(fresh->MakePictureFromArray(blue.data(), 4, 4, true));
  Clear();
  made->BlitRect(0, 0, 4, 4, 10, 10, false, false);
  made->BlitAlphaRectFx(0, 0, 4, 4, 20, 10, 30, 2, 1, false, false, 0, 0);
  loaded->StretchAlphaRect(0, 0, 16, 16, 40, 10, 80, 50, 1, 0, false, false, 0, 0);
  loaded->BlitTiled(90, 10, 20, 20, 2, 0);
  EXPECT_EQ(IndicesOf(Read(0, 0, kWidth, 60), kBackground).size(), size_t(kWidth * 60));
  made.reset();
  loaded.reset();
  GLuint name = static_cast<KGraphicGL*>(fresh)->TextureName();
  EXPECT_TRUE(glIsTexture(name));
  fresh->BlitRect(0, 0, 4, 4, 10, 10, false, false);
  EXPECT_EQ(Pixel(11, 11), kBlue);
}

}  // namespace
