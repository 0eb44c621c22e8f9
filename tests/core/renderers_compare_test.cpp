// The OpenGL renderer against the DirectX renderer that the game runs on: the same scenes drawn
// through each, made as the game makes them (the factory's renderer flag, CreateGameWindow,
// pictures from the factory), and their back buffers compared pixel by pixel. Where the two agree
// each scene states how closely and why; where they differ on purpose the difference itself is
// asserted.
#include <array>
#include <functional>
#include <sstream>

#include "KInput.h"
#include "game_window_fixture.h"
#include "image_files.h"
#include "temp_folder.h"

namespace {

// The clear colour of every scene, and how both renderers store it.
constexpr float kBackgroundRed = 0.2f, kBackgroundGreen = 0.4f, kBackgroundBlue = 0.6f;
const Rgb kBackground{51, 102, 153};

// A whole back buffer, its top row first.
struct Frame {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;

  Rgb At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  Rgb& At(int x, int y) { return pixels[size_t(y) * width + x]; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

struct Rect {
  int x, y, width, height;
};
constexpr Rect kWholeFrame{0, 0, 200, 150};

// How closely two frames agree: every pixel of each has a pixel of the other, at most `shift`
// pixels away on each axis, whose channels differ by at most `channel`.
struct Tolerance {
  int channel = 0;
  int shift = 0;
};
constexpr Tolerance kExact{};

// The pixels of `of` that no pixel of `in` matches within the tolerance: their count and the first
// few, for the failure message.
struct Unmatched {
  int count = 0;
  std::string first;
};

Unmatched UnmatchedPixels(const Frame& of, const Frame& in, Tolerance tolerance, Rect area) {
  Unmatched unmatched;
  std::ostringstream first;
  for (int y = area.y; y < area.y + area.height; ++y) {
    for (int x = area.x; x < area.x + area.width; ++x) {
      bool found = false;
      for (int dy = -tolerance.shift; dy <= tolerance.shift && !found; ++dy) {
        for (int dx = -tolerance.shift; dx <= tolerance.shift && !found; ++dx) {
          found = in.Inside(x + dx, y + dy) &&
                  Near(of.At(x, y), in.At(x + dx, y + dy), tolerance.channel);
        }
      }
      if (found) continue;
      if (++unmatched.count <= 4)
        first << " (" << x << ", " << y << ") " << of.At(x, y) << " there " << in.At(x, y);
    }
  }
  unmatched.first = first.str();
  return unmatched;
}

// The pixels of the area in one frame against the whole other frame, both ways.
void ExpectAgree(const Frame& directX, const Frame& openGL, Tolerance tolerance,
                 const std::string& what, Rect area = kWholeFrame) {
  ASSERT_EQ(directX.pixels.size(), openGL.pixels.size()) << what;
  Unmatched ofDirectX = UnmatchedPixels(directX, openGL, tolerance, area);
  Unmatched ofOpenGL = UnmatchedPixels(openGL, directX, tolerance, area);
  EXPECT_EQ(ofDirectX.count, 0) << what << ", DirectX pixels:" << ofDirectX.first;
  EXPECT_EQ(ofOpenGL.count, 0) << what << ", OpenGL pixels:" << ofOpenGL.first;
}

// The frame with its content moved by (dx, dy), the background coming in behind it.
Frame Moved(const Frame& frame, int dx, int dy) {
  Frame moved = frame;
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x)
      moved.At(x, y) = frame.Inside(x - dx, y - dy) ? frame.At(x - dx, y - dy) : kBackground;
  }
  return moved;
}

// The frame with the rectangle turned by half a turn in its place.
Frame HalfTurned(const Frame& frame, Rect area) {
  Frame turned = frame;
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      turned.At(area.x + x, area.y + y) =
          frame.At(area.x + area.width - 1 - x, area.y + area.height - 1 - y);
    }
  }
  return turned;
}

// The pixels of the rectangle that have the colour.
int CountIn(const Frame& frame, Rect area, const Rgb& color) {
  int count = 0;
  for (int y = area.y; y < area.y + area.height; ++y) {
    for (int x = area.x; x < area.x + area.width; ++x) count += frame.At(x, y) == color;
  }
  return count;
}

// Pictures with every pixel different, in files of each format.
TestPicture Pattern(int width, int height) {
  TestPicture picture{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.pixels.push_back(PackPixel(uint8_t(x * 16 + 8), uint8_t(255 - y * 16),
                                         uint8_t((x + y) * 8 + 20), uint8_t(40 + (x ^ y) * 13)));
    }
  }
  return picture;
}

class RendererComparison : public RendererWindowTest {
 protected:
  void SetUp() override {
    RendererWindowTest::SetUp();
    TestPicture pattern = Pattern(16, 16);
    formats_ = {Write("pattern.jpg", JpegFile(pattern)), Write("pattern.png", PngFile(pattern, 4)),
                Write("pattern.bmp", BmpFile(pattern, 32)),
                Write("pattern.tga", TgaFile(pattern, 32))};
    tga_ = formats_[3];
    TestPicture keyed = Pattern(8, 8);
    for (size_t i = 0; i < keyed.pixels.size(); i += 3)
      keyed.pixels[i] = PackPixel(255, 0, 255, 255);
    keyed_ = {Write("keyed.tga", TgaFile(keyed, 32)), Write("keyed.bmp", BmpFile(keyed, 24)),
              Write("keyed.png", PngFile(keyed, 3))};
    TestPicture opaque = Pattern(8, 8);
    for (uint32_t& pixel : opaque.pixels) pixel |= 0xFF000000u;
    opaque_ = Write("opaque.png", PngFile(opaque, 4));
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    return folder_.Write(name, bytes);
  }

  // The scene drawn over the background in a new window of the renderer, and read back; the
  // window and the scene's pictures are gone afterwards, so the next window is the only one.
  Frame Draw(int renderer, const std::function<void()>& scene) {
    Frame frame{kWidth, kHeight, {}};
    EXPECT_TRUE(MakeWindow(renderer)) << renderer;
    if (!window_) return frame;
    window_->SetClearColor(kBackgroundRed, kBackgroundGreen, kBackgroundBlue, 1);
    window_->SetWorldView(0, 0, 0, 1, true);
    scene();
    frame.pixels = Read(0, 0, kWidth, kHeight);
    CloseWindow();
    return frame;
  }

  // DirectX first, then OpenGL.
  std::array<Frame, 2> DrawOnBoth(const std::function<void()>& scene) {
    return {Draw(kDirectX, scene), Draw(kOpenGL, scene)};
  }

  TempFolder folder_;
  std::vector<std::string> formats_, keyed_;
  std::string tga_, opaque_;
};

TEST_F(RendererComparison, WhereTheRenderersAgreeTheyDrawTheSamePixels) {
  const struct {
    const char* scene;
    std::function<void()> draw;
    // Why: exact where both sample one whole texel per pixel of a 32-bit texture and blend it
    // alike; otherwise the reason is given with the row.
    Tolerance tolerance;
  } rows[] = {
      {"plain and blended blits of pictures from every format",
       [&] {
         for (size_t i = 0; i < formats_.size(); ++i) {
           KGraphic* picture = MakePicture(formats_[i]);
           picture->BlitRect(0, 0, 16, 16, int16_t(10 + 30 * i), 10, false, false);
           picture->BlitAlphaRect(0, 0, 16, 16, int16_t(10 + 30 * i), 40, false, false);
           picture->BlitAlphaRectF(2, 3, 14, 15, 10.0f + 30 * i, 70, false, false);
         }
       },
       kExact},
      {"flipped blits and blits at quarter pixels",
       [&] {
         KGraphic* picture = MakePicture(tga_);
         picture->BlitRect(0, 0, 16, 16, 10, 10, true, false);
         picture->BlitRect(0, 0, 16, 16, 40, 10, false, true);
         picture->BlitRectF(0, 0, 16, 16, 70, 10, true, true);
         picture->BlitAlphaRect(2, 3, 14, 12, 100, 10, true, true);
         picture->BlitRectF(0, 0, 16, 16, 10.25f, 40.75f, false, false);
         picture->BlitAlphaRectF(0, 0, 16, 16, 40.75f, 40.25f, true, false);
       },
       kExact},
      // A pixel centre on the edge of a quad: DirectX takes the pixels below and right of a top
      // or left edge, OpenGL here those above a bottom edge. Which texel a pixel centre on a texel
      // boundary shows is each rasteriser's own choice, so the picture here has one colour.
      {"blits at half pixels",
       [&] {
         KGraphic* picture = MakePicture();
         std::vector<uint32_t> solid(64, PackPixel(250, 200, 10, 160));
         ASSERT_TRUE(picture->MakePictureFromArray(solid.data(), 8, 8, true));
         picture->BlitRectF(0, 0, 8, 8, 10.5f, 10.5f, false, false);
         picture->BlitAlphaRectF(0, 0, 8, 8, 40.5f, 10, false, false);
         picture->BlitAlphaRectFxF(0, 0, 8, 8, 60, 10.5f, 0, 1, 1, false, false, 0, 0);
       },
       {0, 1}},
      {"each blend mode over the background",
       [&] {
         KGraphic* picture = MakePicture(tga_);
         for (int mode = 0; mode < 4; ++mode) {
           picture->SetBlitMode(mode);
           picture->BlitAlphaRect(0, 0, 16, 16, int16_t(10 + 30 * mode), 10, false, false);
         }
       },
       kExact},
      // DirectX packs the blit colour and the effect alpha into whole 8-bit steps, cut toward
      // zero (0.5 becomes 127/255); OpenGL keeps them as floats.
      {"tint and effect alpha",
       [&] {
         KGraphic* picture = MakePicture(tga_);
         picture->SetBlitColor(1, 0.5f, 0.25f, 0.5f);
         picture->BlitAlphaRect(0, 0, 16, 16, 10, 10, false, false);
         picture->BlitAlphaRectFx(0, 0, 16, 16, 40, 10, 0, 1, 0.5f, false, false, 0, 0);
         picture->StretchAlphaRect(0, 0, 16, 16, 70, 10, 102, 42, 0.5f, 0, false, false, 0, 0);
         picture->SetBlitColor(1, 1, 1, 1);
         picture->BlitAlphaRectFxF(0, 0, 16, 16, 110, 10, 0, 1, 0.3f, false, false, 0, 0);
       },
       {1, 0}},
      {"the colour key of loaded pictures",
       [&] {
         for (size_t i = 0; i < keyed_.size(); ++i) {
           KGraphic* picture = MakePicture();
           picture->SetColorKey(true, 255, 0, 255);
           ASSERT_TRUE(picture->LoadPicture(keyed_[i].c_str(), true, true)) << keyed_[i];
           picture->BlitAlphaRect(0, 0, 8, 8, int16_t(10 + 20 * i), 10, false, false);
         }
       },
       kExact},
      // Without hiQuality DirectX keeps 4 bits of each channel where the picture has alpha and 5
      // where it has none; OpenGL keeps 8.
      {"low-quality loads",
       [&] {
         for (size_t i = 0; i < formats_.size(); ++i) {
           for (bool alpha : {true, false}) {
             KGraphic* picture = MakePicture();
             ASSERT_TRUE(picture->LoadPicture(formats_[i].c_str(), false, alpha)) << formats_[i];
             picture->BlitAlphaRect(0, 0, 16, 16, int16_t(10 + 30 * i), alpha ? 10 : 40, 0, 0);
           }
         }
       },
       {17, 0}},
      // The DirectX device's sub-pixel nudge moves the bilinear weights by less than a step.
      {"smooth filtering of a magnified stretch",
       [&] {
         KGraphic* picture = MakePicture(opaque_);
         picture->SetTextureQuality(true);
         picture->StretchAlphaRect(0, 0, 8, 8, 20, 20, 84, 84, 1, 0, false, false, 0, 0);
         picture->StretchAlphaRect(1, 1, 7, 5, 100, 20, 190, 80, 1, 0, true, false, 0, 0);
       },
       {1, 0}},
      // The half-transparent rectangle's alpha packs to 127/255 on DirectX.
      {"rectangles, lines and a point",
       [&] {
         KGraphic* picture = MakePicture();
         picture->DrawRect(10, 10, 40, 30, 1, 0, 0, 1);
         picture->DrawRect(50, 10, 80, 30, 0, 1, 0, 0.5f);
         picture->DrawLine(10, 50, 100, 50, 1, 1, 0, 1);
         picture->DrawLine(10, 60, 10, 100, 1, 1, 0, 1);
         picture->DrawLine(20, 60, 60, 100, 1, 1, 1, 1);
         picture->DrawLine(70, 60, 150, 90, 1, 0, 1, 1);
         picture->DrawLine(190, 40, 150, 40, 0, 1, 1, 1);
         picture->DrawLine(180, 140, 180, 100, 0, 1, 1, 1);
         picture->DrawLine(140, 140, 110, 110, 0, 1, 1, 1);
         picture->PlotPixel(120, 20, 1, 1, 1, 1);
       },
       {1, 0}},
      // Turned edges pass through pixel centres, where the rasterisers' conventions part; DirectX
      // places the points of a free quad without the half-pixel shift of its other blits.
      {"effects turned about an offset pivot and zoomed, and a free quad",
       [&] {
         KGraphic* picture = MakePicture(tga_);
         picture->BlitArbitraryQuad(0, 0, 16, 0, 16, 16, 0, 16, 110, 100, 150, 100, 160, 140, 100,
                                    140);
         picture->BlitAlphaRectFx(0, 0, 16, 10, 60, 50, 90, 2, 1, false, false, 3, -2);
         picture->BlitAlphaRectFxF(0, 0, 16, 16, 130.5f, 60.25f, 30, 1.5f, 1, true, false, -4, 2);
         picture->StretchAlphaRect(0, 0, 16, 16, 20, 100, 60, 120, 1, 90, false, false, 0, 0);
       },
       {0, 1}},
      {"a moved and zoomed world view, and a turned one",
       [&] {
         window_->SetWorldView(10, 5, 0, 1.5f, false);
         MakePicture(tga_)->BlitRect(0, 0, 16, 16, 100, 60, false, false);
         window_->SetWorldView(0, 0, 90, 1.5f, false);
         MakePicture(tga_)->BlitRect(0, 0, 16, 16, 100, 60, false, false);
         MakePicture()->DrawRect(20, 20, 40, 30, 1, 0, 0, 1);
       },
       {0, 1}},
      {"a grab of the frame drawn elsewhere",
       [&] {
         MakePicture(tga_)->BlitRect(0, 0, 16, 16, 10, 10, false, false);
         MakePicture()->DrawRect(30, 10, 50, 20, 1, 0, 0, 1);
         KGraphic* grab = MakePicture();
         ASSERT_TRUE(grab->GrabBackBuffer());
         grab->BlitRect(0, 0, 60, 30, 100, 60, false, true);
         ASSERT_TRUE(grab->GrabBackBufferFiltered(nullptr));
         grab->BlitAlphaRect(90, 50, 170, 100, 10, 80, false, false);
       },
       kExact},
      {"the software cursor drawn by the flip",
       [&] {
         KInput::SetMousePosition(70, 60);
         window_->SetSoftwareCursor(true);
         window_->FlipBackBuffer(false, false);
       },
       kExact},
      // DirectX packs the fade's alpha into 8 bits, cut toward zero.
      {"the fade over pictures",
       [&] {
         MakePicture(tga_)->BlitRect(0, 0, 16, 16, 10, 10, false, false);
         MakePicture(formats_[0])->BlitAlphaRect(0, 0, 16, 16, 40, 10, false, false);
         window_->SetFade(0.3f);
         window_->FlipBackBuffer(false, false);
       },
       {1, 0}},
  };
  for (const auto& row : rows) {
    auto [directX, openGL] = DrawOnBoth(row.draw);
    EXPECT_LT(CountIn(openGL, kWholeFrame, kBackground), kWidth * kHeight)
        << row.scene << " draws nothing";
    ExpectAgree(directX, openGL, row.tolerance, row.scene);
  }
}

// Where OpenGL places a drawing elsewhere on purpose, its frame is the DirectX frame moved or
// turned.
TEST_F(RendererComparison, WhereOpenGLPlacesADrawingElsewhereItsFrameIsTheDirectXFrameMoved) {
  auto rotateZoom = [&](float angle) {
    return [=, this] {
      KGraphic* picture = MakePicture(tga_);
      picture->BlitRectRotateZoom(0, 0, 20, 10, 100, 60, angle, 2, false, false);
      picture->BlitRectRotateZoomF(0, 0, 20, 10, 30, 80, angle, 2, false, true);
    };
  };
  auto moved = [](int dx, int dy) {
    return [=](const Frame& frame) { return Moved(frame, dx, dy); };
  };
  const Rect tiles{20, 20, 48, 48};
  const struct {
    const char* difference;
    std::function<void()> scene;
    std::function<Frame(const Frame&)> asOnOpenGL;
    Tolerance tolerance;
    Rect area;
  } rows[] = {
      // A 20 x 10 source zoomed twice at (100, 60): DirectX keeps the unturned corner at
      // (100, 60) and turns about (120, 70); OpenGL zooms and turns about the centre of the
      // destination rectangle, (110, 65).
      {"a rotate-zoom", rotateZoom(0), moved(-10, -5), kExact, kWholeFrame},
      {"a turned rotate-zoom", rotateZoom(90), moved(-10, -5), {0, 1}, kWholeFrame},
      // The DirectX view moves the picture on the screen after turning it; the OpenGL view moves
      // it first, so a turned view turns the move too: a move of 10 to the right under a quarter
      // turn becomes a move of 10 upward.
      {"a view moved and turned",
       [&] {
         window_->SetWorldView(10, 0, 90, 1.5f, false);
         MakePicture(tga_)->BlitRect(0, 0, 16, 16, 100, 60, false, false);
       },
       moved(-10, -10),
       {0, 1},
       kWholeFrame},
      // Tiles on OpenGL show the texture half-turned; DirectX puts its top-left texel at the
      // rectangle's top-left corner. DirectX draws tiles without the half-pixel shift of its
      // other blits, so its pixel centres sample texel boundaries, and in its first column and row
      // they wrap to the texture's far side: compared inside the tiles' outermost pixels.
      {"tiles",
       [&] {
         KGraphic* picture = MakePicture(opaque_);
         picture->SetTextureWrap(true);
         picture->SetBlitColor(0, 1, 0, 1);  // not used by tiles
         picture->BlitTiled(int16_t(tiles.x), int16_t(tiles.y), int16_t(tiles.width),
                            int16_t(tiles.height), 3, 0);
       },
       [&](const Frame& frame) { return HalfTurned(frame, tiles); },
       {0, 1},
       {tiles.x + 1, tiles.y + 1, tiles.width - 2, tiles.height - 2}},
  };
  for (const auto& row : rows) {
    auto [directX, openGL] = DrawOnBoth(row.scene);
    EXPECT_NE(directX.pixels, openGL.pixels) << row.difference;
    ExpectAgree(row.asOnOpenGL(directX), openGL, row.tolerance, row.difference, row.area);
  }
}

// Pictures made from an array: DirectX copies the array once, without the colour key, and its
// update does nothing; OpenGL keys the array (clearing the caller's pixels) and updates from it.
TEST_F(RendererComparison, ArraysAreKeyedAndUpdatedOnOpenGLOnly) {
  const uint32_t kRedPixel = PackPixel(255, 0, 0, 255), kGreenPixel = PackPixel(0, 255, 0, 255);
  std::vector<uint32_t> pixels;
  auto scene = [&] {
    pixels.assign(16, kRedPixel);
    pixels[0] = PackPixel(255, 0, 255, 255);
    KGraphic* picture = MakePicture();
    picture->SetColorKey(true, 255, 0, 255);
    ASSERT_TRUE(picture->MakePictureFromArray(pixels.data(), 4, 4, true));
    picture->BlitAlphaRect(0, 0, 4, 4, 10, 10, false, false);
    pixels[5] = kGreenPixel;
    picture->UpdatePictureFromArray();
    picture->BlitAlphaRect(0, 0, 4, 4, 20, 10, false, false);
  };
  Frame directX = Draw(kDirectX, scene);
  EXPECT_EQ(pixels[0], PackPixel(255, 0, 255, 255));
  Frame openGL = Draw(kOpenGL, scene);
  EXPECT_EQ(pixels[0], 0u);
  EXPECT_EQ(directX.At(10, 10), (Rgb{255, 0, 255}));
  EXPECT_EQ(openGL.At(10, 10), kBackground);
  EXPECT_EQ(directX.At(21, 11), kRed);
  EXPECT_EQ(openGL.At(21, 11), kGreen);
  EXPECT_EQ(openGL.At(11, 11), kRed) << "the first blit is not updated after the fact";
}

// Where the renderers differ on purpose, each draws the scene as it draws another scene of its own.
TEST_F(RendererComparison, WhereTheRenderersDifferEachDrawsTheSceneAsAnotherOfItsOwn) {
  auto stretch = [&](bool smoothBeforeLoad, bool smoothAfterLoad) {
    return [=, this] {
      KGraphic* picture = MakePicture();
      picture->SetTextureQuality(smoothBeforeLoad);
      ASSERT_TRUE(picture->LoadPicture(opaque_.c_str(), true, true));
      if (smoothAfterLoad) picture->SetTextureQuality(true);
      picture->StretchAlphaRect(0, 0, 8, 8, 20, 20, 84, 84, 1, 0, false, false, 0, 0);
    };
  };
  auto source = [&](float sx1, float sx2) {
    return [=, this] { MakePicture(tga_)->BlitAlphaRectF(sx1, 0, sx2, 5, 50, 50, false, false); };
  };
  auto plain = [&](const std::string& path, bool tinted) {
    return [=, this] {
      KGraphic* picture = MakePicture(path);
      if (tinted) picture->SetBlitColor(1, 0, 1, 1);
      picture->BlitRect(0, 0, 16, 16, 10, 10, false, false);
      picture->BlitRectRotateZoomF(0, 0, 16, 16, 40, 10, 0, 1, false, false);
    };
  };
  TestPicture withoutGreen = Pattern(16, 16);
  for (uint32_t& pixel : withoutGreen.pixels) pixel &= ~0xFF00u;
  const std::string untinted = Write("without green.tga", TgaFile(withoutGreen, 32));
  auto load = [&](bool alpha, bool blended) {
    return [=, this] {
      KGraphic* picture = MakePicture();
      ASSERT_TRUE(picture->LoadPicture(tga_.c_str(), true, alpha));
      blended ? picture->BlitAlphaRect(0, 0, 16, 16, 10, 10, false, false)
              : picture->BlitRect(0, 0, 16, 16, 10, 10, false, false);
    };
  };
  const struct {
    std::string difference;
    std::function<void()> scene, asOnDirectX, asOnOpenGL;
  } rows[] = {
      // DirectX keeps smoothing asked before a load; OpenGL's load resets it to the nearest texel.
      {"smoothing before a load", stretch(true, false), stretch(true, true), stretch(false, false)},
      // DirectX cuts a float source to whole pixels: (0.7, 0, 10.9, 5) shows texels 0 to 9.
      // OpenGL keeps its fractions: sampled at the pixel centres it shows texels 1 to 10.
      {"a float source", source(0.7f, 10.9f), source(0, 10), source(1, 11)},
      // DirectX's 32-bit texture keeps the picture's alpha whatever the flag; OpenGL's drops it,
      // so a blended blit shows the picture opaque.
      {"a high-quality load without alpha", load(false, true), load(true, true), load(true, false)},
      // DirectX's blit colour tints its unblended blits too; OpenGL's show the texture's own
      // colours.
      {"a blit colour of magenta", plain(tga_, true), plain(untinted, false), plain(tga_, false)},
  };
  for (const auto& row : rows) {
    auto [directX, openGL] = DrawOnBoth(row.scene);
    EXPECT_NE(directX.pixels, openGL.pixels) << row.difference;
    ExpectAgree(directX, Draw(kDirectX, row.asOnDirectX), kExact, row.difference + ", DirectX");
    ExpectAgree(openGL, Draw(kOpenGL, row.asOnOpenGL), kExact, row.difference + ", OpenGL");
  }
}

// Where the renderers differ on purpose, the difference shows in how many pixels of an area have
// a colour.
TEST_F(RendererComparison, WhereTheRenderersDifferTheyGiveAColourToDifferentlyManyPixels) {
  const std::string tiny = Write("tiny.tga", TgaFile(Pattern(2, 2), 24));
  auto tiles = [&](const std::string& path, Rect area, float repeat) {
    return [=, this] {
      KGraphic* picture = MakePicture(path);
      picture->SetTextureWrap(true);
      picture->BlitTiled(int16_t(area.x), int16_t(area.y), int16_t(area.width),
                         int16_t(area.height), repeat, 0);
    };
  };
  auto opaqueRectangle = [&] {
    KGraphic* picture = MakePicture();
    picture->SetBlitMode(K_BLEND_ZERO_INVSRCALPHA);
    picture->DrawRect(10, 10, 40, 30, 0, 1, 0, 1);
  };
  const Rect kTinyTiles{20, 20, 32, 32}, kOddTiles{20, 20, 9, 5};
  const struct {
    const char* difference;
    std::function<void()> scene;
    Rect area;
    Rgb color;
    int onDirectX, onOpenGL;
  } rows[] = {
      // DirectX's texture of a 2 x 2 picture is 2 texels a side, so tiles repeat the picture;
      // OpenGL's is 4, so each repeat shows the picture in one corner and transparent black
      // beside it.
      {"tiles of a tiny picture", tiles(tiny, kTinyTiles, 2), kTinyTiles, kBlack, 0,
       32 * 32 * 3 / 4},
      // OpenGL halves odd sides in whole pixels around the centre and loses the last column and
      // row; DirectX covers the whole rectangle.
      {"tiles of odd sides", tiles(opaque_, kOddTiles, 1), kOddTiles, kBackground, 0, 9 + 5 - 1},
      // DirectX blends a rectangle of alpha 1 with the picture's mode, OpenGL draws it opaque.
      {"an opaque rectangle", opaqueRectangle, {10, 10, 30, 20}, kGreen, 0, 30 * 20},
  };
  for (const auto& row : rows) {
    auto [directX, openGL] = DrawOnBoth(row.scene);
    EXPECT_EQ(CountIn(directX, row.area, row.color), row.onDirectX) << row.difference;
    EXPECT_EQ(CountIn(openGL, row.area, row.color), row.onOpenGL) << row.difference;
  }
}

}  // namespace
