// The DirectX picture: its textures, its device states and every way of drawing it.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <iterator>

#include "DXMatrix.h"
#include "game_window_fixture.h"
#include "image_files.h"
#include "temp_folder.h"

namespace {

class GraphicDX : public DirectXWindowTest {
 protected:
  void SetUp() override {
    DirectXWindowTest::SetUp();
    ASSERT_TRUE(MakeWindow());
    window_->SetClearColor(0, 0, 0, 1);
    window_->SetWorldView(0, 0, 0, 1, true);
  }

  // A picture file in the temporary folder; its path.
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    folder_.Write(name, bytes);
    return folder_.File(name);
  }

  // The texel bytes of a picture's texture at (x, y).
  std::vector<unsigned char> Texel(KGraphicDX& picture, int x, int y) {
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof locked;
    EXPECT_EQ(picture.Surface()->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    int bytes = int(locked.ddpfPixelFormat.dwRGBBitCount / 8);
    auto* at = static_cast<unsigned char*>(locked.lpSurface) + y * locked.lPitch + x * bytes;
    std::vector<unsigned char> texel(at, at + bytes);
    picture.Surface()->Unlock(nullptr);
    return texel;
  }

  DDPIXELFORMAT FormatOf(KGraphicDX& picture) {
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof description;
    picture.Surface()->GetSurfaceDesc(&description);
    return description.ddpfPixelFormat;
  }

  // A picture of solid colours made from an array.
  void MakeSolid(KGraphicDX& picture, int width, int height, uint32_t pixel) {
    std::vector<uint32_t> pixels(size_t(width) * height, pixel);
    ASSERT_TRUE(picture.MakePictureFromArray(pixels.data(), width, height, true));
  }

  TempFolder folder_;
};

const uint32_t kOpaqueRed = PackPixel(255, 0, 0, 255);

TEST_F(GraphicDX, SetDeviceSetsTheInitialStatesInOrder) {
  platform::RecordDirectXCalls(true);
  KGraphicDX::SetDevice(g_dxPictures.directDraw, Device(), g_dxPictures.backBuffer, kWidth,
                        kHeight);
  auto calls = platform::TakeDirectXCalls();
  std::vector<std::vector<DWORD>> expected = {
      {D3DRENDERSTATE_LIGHTING, FALSE},
      {D3DRENDERSTATE_ZENABLE, FALSE},
      {D3DRENDERSTATE_CULLMODE, D3DCULL_NONE},
      {D3DRENDERSTATE_COLORVERTEX, TRUE},
      {0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE},
      {0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE},
      {0, D3DTSS_ALPHAOP, D3DTOP_MODULATE},
      {D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA},
      {D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA},
      {0, D3DTSS_ADDRESS, D3DTADDRESS_CLAMP},
      {0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP},
      {0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP},
      {0, D3DTSS_MAGFILTER, D3DTFG_POINT},
      {0, D3DTSS_MINFILTER, D3DTFN_POINT},
      {D3DRENDERSTATE_TEXTUREPERSPECTIVE, FALSE},
      {D3DRENDERSTATE_ALPHATESTENABLE, FALSE},
      {D3DRENDERSTATE_DITHERENABLE, FALSE},
      {D3DRENDERSTATE_CLIPPING, TRUE},
      {D3DRENDERSTATE_ANTIALIAS, D3DANTIALIAS_NONE},
      {D3DRENDERSTATE_EDGEANTIALIAS, FALSE},
  };
  ASSERT_EQ(calls.size(), expected.size());
  for (size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(calls[i].args, expected[i]) << i;
}

TEST_F(GraphicDX, HighQualityLoadsMakeThirtyTwoBitTexturesOfThePowerOfTwoSide) {
  TestPicture picture = Gradient(5, 3);
  std::string path = WriteFile("gradient.tga", TgaFile(picture, 32));
  KGraphicDX graphic;
  ASSERT_TRUE(graphic.LoadPicture(path.c_str(), true, true));
  EXPECT_EQ(graphic.GetWidth(), 5.0f);
  EXPECT_EQ(graphic.GetHeight(), 3.0f);
  EXPECT_EQ(graphic.TextureWidth(), 8.0f);
  EXPECT_EQ(FormatOf(graphic).dwRGBAlphaBitMask, 0xFF000000u);
  uint32_t p = picture.At(4, 2);
  EXPECT_EQ(Texel(graphic, 4, 2),
            (std::vector<unsigned char>{PixelBlue(p), PixelGreen(p), PixelRed(p), PixelAlpha(p)}));
  EXPECT_EQ(Texel(graphic, 5, 2), (std::vector<unsigned char>{0, 0, 0, 0}));
  // No smallest side: a single pixel is its own texture.
  std::string dot = WriteFile("dot.tga", TgaFile(TestPicture{1, 1, {kOpaqueRed}}, 32));
  ASSERT_TRUE(graphic.LoadPicture(dot.c_str(), true, true));
  EXPECT_EQ(graphic.TextureWidth(), 1.0f);
  EXPECT_EQ(graphic.TextureHeight(), 1.0f);
}

TEST_F(GraphicDX, SixteenBitLoadsKeepAlphaOnlyWhenAskedAndPresent) {
  TestPicture picture = Gradient(2, 2);
  std::string withAlpha = WriteFile("alpha.png", PngFile(picture, 4));
  std::string without = WriteFile("solid.jpg", JpegFile(picture));
  KGraphicDX graphic;
  ASSERT_TRUE(graphic.LoadPicture(withAlpha.c_str(), false, true));
  EXPECT_EQ(FormatOf(graphic).dwRGBAlphaBitMask, 0xF000u);
  uint32_t p = picture.At(1, 0);
  uint16_t expected = uint16_t((PixelAlpha(p) >> 4) << 12 | (PixelRed(p) >> 4) << 8 |
                               (PixelGreen(p) >> 4) << 4 | PixelBlue(p) >> 4);
  std::vector<unsigned char> texel = Texel(graphic, 1, 0);
  EXPECT_EQ(texel[0] | texel[1] << 8, expected);
  ASSERT_TRUE(graphic.LoadPicture(withAlpha.c_str(), false, false));
  EXPECT_EQ(FormatOf(graphic).dwRBitMask, 0x7C00u);
  texel = Texel(graphic, 1, 0);
  EXPECT_EQ(texel[0] | texel[1] << 8,
            (PixelRed(p) >> 3) << 10 | (PixelGreen(p) >> 3) << 5 | PixelBlue(p) >> 3);
  ASSERT_TRUE(graphic.LoadPicture(without.c_str(), false, true));
  EXPECT_EQ(FormatOf(graphic).dwRBitMask, 0x7C00u);
}

TEST_F(GraphicDX, TheColourKeyClearsAlphaExceptInTheFormatWithoutAlpha) {
  TestPicture picture{2, 1, {PackPixel(255, 0, 255, 255), PackPixel(1, 2, 3, 255)}};
  std::string path = WriteFile("keyed.tga", TgaFile(picture, 32));
  KGraphicDX graphic;
  graphic.SetColorKey(true, 255, 0, 255);
  ASSERT_TRUE(graphic.LoadPicture(path.c_str(), true, true));
  EXPECT_EQ(Texel(graphic, 0, 0)[3], 0);
  EXPECT_EQ(Texel(graphic, 1, 0)[3], 255);
  ASSERT_TRUE(graphic.LoadPicture(path.c_str(), false, true));
  EXPECT_EQ(Texel(graphic, 0, 0)[1] >> 4, 0);  // alpha nibble
  ASSERT_TRUE(graphic.LoadPicture(path.c_str(), false, false));
  std::vector<unsigned char> texel = Texel(graphic, 0, 0);
  EXPECT_EQ(texel[0] | texel[1] << 8, 0x7C1F);
}

TEST_F(GraphicDX, OnlyLowerCaseExtensionsLoadAndFailuresForgetTheFile) {
  TestPicture picture = Gradient(2, 2);
  std::string upper = WriteFile("UPPER.PNG", PngFile(picture, 4));
  std::string lower = WriteFile("lower.png", PngFile(picture, 4));
  KGraphicDX graphic;
  EXPECT_FALSE(graphic.LoadPicture(upper.c_str(), true, true));
  EXPECT_EQ(graphic.Surface(), nullptr);
  EXPECT_EQ(upper, folder_.File("UPPER.PNG"));  // the caller's string is untouched
  graphic.RestoreSurface();
  EXPECT_EQ(graphic.Surface(), nullptr);  // no file remembered
  EXPECT_TRUE(graphic.LoadPicture(lower.c_str(), true, true));
  std::string tooLong(MAX_PATH + 10, 'a');
  EXPECT_FALSE(graphic.LoadPicture(tooLong.c_str(), true, true));
}

TEST_F(GraphicDX, AnArrayBecomesATextureOfItsExactSizeWithSwappedBytes) {
  std::vector<uint32_t> pixels(100 * 30, 0);
  const unsigned char bytes[4] = {1, 2, 3, 4};
  std::memcpy(&pixels[31 * 1 + 100 * 2], bytes, 4);
  KGraphicDX graphic;
  ASSERT_TRUE(graphic.MakePictureFromArray(pixels.data(), 100, 30, false));
  EXPECT_EQ(graphic.TextureWidth(), 100.0f);
  EXPECT_EQ(graphic.TextureHeight(), 30.0f);
  EXPECT_EQ(Texel(graphic, 31, 2), (std::vector<unsigned char>{3, 2, 1, 4}));
  EXPECT_FALSE(graphic.MakePictureFromArray(nullptr, 1, 1, false));
  EXPECT_FALSE(graphic.MakePictureFromArray(pixels.data(), 0, 1, false));
}

TEST_F(GraphicDX, AFailedLockLeavesNoHalfMadeTexture) {
  std::vector<uint32_t> pixels(4, kOpaqueRed);
  std::string path = WriteFile("red.png", PngFile(TestPicture{2, 2, pixels}, 4));
  KGraphicDX graphic;
  platform::FailDirectXStep(platform::DirectXStep::kLock);
  EXPECT_FALSE(graphic.MakePictureFromArray(pixels.data(), 2, 2, true));
  EXPECT_EQ(graphic.Surface(), nullptr);
  for (bool hiQuality : {true, false}) {
    platform::FailDirectXStep(platform::DirectXStep::kLock);
    EXPECT_FALSE(graphic.LoadPicture(path.c_str(), hiQuality, true)) << hiQuality;
    EXPECT_EQ(graphic.Surface(), nullptr) << hiQuality;
  }
}

TEST_F(GraphicDX, TheListHoldsTheLivePicturesInOrder) {
  size_t before = KGraphicDX::LivePictures().size();
  auto* first = new KGraphicDX();
  auto* second = new KGraphicDX();
  auto* third = new KGraphicDX();
  delete second;
  const std::vector<KGraphicDX*>& list = KGraphicDX::LivePictures();
  ASSERT_EQ(list.size(), before + 2);
  EXPECT_EQ(list[before], first);
  EXPECT_EQ(list[before + 1], third);
  delete first;
  delete third;
}

TEST_F(GraphicDX, ReleaseAndRestoreReloadFilesButNotArrays) {
  std::string path = WriteFile("picture.png", PngFile(Gradient(3, 3), 4));
  KGraphicDX loaded, made;
  ASSERT_TRUE(loaded.LoadPicture(path.c_str(), false, true));
  MakeSolid(made, 2, 2, kOpaqueRed);
  KGraphicDX::ReleaseAll();
  EXPECT_EQ(loaded.Surface(), nullptr);
  EXPECT_EQ(made.Surface(), nullptr);
  EXPECT_EQ(made.GetWidth(), 2.0f);  // freeing keeps the size
  KGraphicDX::RestoreAll();
  ASSERT_NE(loaded.Surface(), nullptr);
  EXPECT_EQ(FormatOf(loaded).dwRGBAlphaBitMask, 0xF000u);
  EXPECT_EQ(made.Surface(), nullptr);
  made.BlitRect(0, 0, 2, 2, 0, 0, false, false);  // draws nothing, and does not crash
  EXPECT_EQ(Pixel(0, 0), kBlack);
}

TEST_F(GraphicDX, TheBoundTextureIsSetOnceUntilSomethingElseTakesStageZero) {
  KGraphicDX graphic;
  MakeSolid(graphic, 4, 4, kOpaqueRed);
  platform::RecordDirectXCalls(true);
  graphic.BlitRect(0, 0, 4, 4, 0, 0, false, false);
  graphic.BlitRect(0, 0, 4, 4, 10, 0, false, false);
  graphic.DrawRect(0, 20, 4, 24, 1, 1, 1, 1);
  graphic.BlitRect(0, 0, 4, 4, 20, 0, false, false);
  auto setTextures = CallsNamed(platform::TakeDirectXCalls(), "SetTexture");
  ASSERT_EQ(setTextures.size(), 3u);
  EXPECT_EQ(setTextures[0].surface, graphic.Surface());
  EXPECT_EQ(setTextures[1].surface, nullptr);  // the rectangle is untextured
  EXPECT_EQ(setTextures[2].surface, graphic.Surface());
}

TEST_F(GraphicDX, ABlitCoversItsPixelsAndPutsTheWorldMatrixBack) {
  KGraphicDX graphic;
  MakeSolid(graphic, 32, 32, kOpaqueRed);
  D3DMATRIX before, after;
  Device()->GetTransform(D3DTRANSFORMSTATE_WORLD, &before);
  platform::RecordDirectXCalls(true);
  graphic.BlitAlphaRect(0, 0, 32, 32, 100, 50, true, false);
  auto draws = CallsNamed(platform::TakeDirectXCalls(), "DrawPrimitive");
  platform::RecordDirectXCalls(false);
  Device()->GetTransform(D3DTRANSFORMSTATE_WORLD, &after);
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
  ASSERT_EQ(draws.size(), 1u);
  auto vertices = draws[0].VerticesAs<D3DLVERTEX>();
  ASSERT_EQ(vertices.size(), 4u);
  EXPECT_EQ(vertices[0].tu, 1.0f);  // flipped: the left edge takes u = 32 / 32
  EXPECT_EQ(vertices[3].x, 32.0f);
  EXPECT_EQ(vertices[3].y, -32.0f);
  EXPECT_EQ(vertices[0].color, 0xFFFFFFFFu);
  std::vector<int> columns = ColumnsOf(60, kRed);
  ASSERT_EQ(columns.size(), 32u);
  EXPECT_EQ(columns.front(), 100);
  std::vector<int> rows = RowsOf(110, kRed);
  ASSERT_EQ(rows.size(), 32u);
  EXPECT_EQ(rows.front(), 50);
}

TEST_F(GraphicDX, FloatSourcesAreCutToWholePixels) {
  KGraphicDX graphic;
  MakeSolid(graphic, 16, 8, kOpaqueRed);
  graphic.BlitRectF(0.7f, 0, 10.9f, 5, 20, 20, false, false);
  EXPECT_EQ(ColumnsOf(22, kRed).size(), 10u);
}

TEST_F(GraphicDX, ZoomGrowsFromTheCornerOrTheCentre) {
  KGraphicDX graphic;
  MakeSolid(graphic, 10, 10, kOpaqueRed);
  graphic.BlitRectRotateZoom(0, 0, 10, 10, 100, 100, 0, 2, false, false);
  std::vector<int> columns = ColumnsOf(110, kRed);
  ASSERT_FALSE(columns.empty());
  EXPECT_EQ(columns.front(), 100);
  EXPECT_EQ(columns.back(), 119);
  window_->SetWorldView(0, 0, 0, 1, true);
  graphic.BlitAlphaRectFx(0, 0, 10, 10, 100, 100, 0, 2, 1, false, false, 0, 0);
  columns = ColumnsOf(105, kRed);
  ASSERT_FALSE(columns.empty());
  EXPECT_EQ(columns.front(), 95);
  EXPECT_EQ(columns.back(), 114);
}

// Where an unturned blit puts the top-left corner of its quad on the screen, read from the world
// matrix that it draws with (the quad starts at (0, 0)), and the quad's width before zooming. The
// blit finds the world matrix moved by (shiftX, shiftY) screen pixels.
struct DrawnCorner {
  float x, y, width;
};

DrawnCorner CornerOf(IDirect3DDevice7* device, const std::function<void()>& draw, float shiftX,
                     float shiftY) {
  D3DMATRIX world = DXTranslation(shiftX, -shiftY);
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);
  platform::RecordDirectXCalls(true);
  draw();
  platform::RecordDirectXCalls(false);
  DrawnCorner corner{NAN, NAN, NAN};
  for (const platform::DirectXCall& call : platform::TakeDirectXCalls()) {
    if (call.name == "SetTransform" && call.args.at(0) == D3DTRANSFORMSTATE_WORLD) {
      world = call.matrix;
    } else if (call.name == "DrawPrimitive") {
      corner = {world.m[3][0], -world.m[3][1], call.VerticesAs<D3DLVERTEX>().at(1).x};
      break;
    }
  }
  D3DMATRIX identity = DXTranslation(0, 0);
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &identity);
  return corner;
}

TEST_F(GraphicDX, EachFormPlacesItsCornerByItsOwnRule) {
  KGraphicDX g;
  MakeSolid(g, 64, 64, kOpaqueRed);
  struct Row {
    const char* form;
    std::function<void()> draw;
    float x, y, width;
    bool followsTheWorld;
  };
  const Row rows[] = {
      // Half-pixel shift; the source is cut to whole pixels.
      {"BlitRectF", [&] { g.BlitRectF(0.7f, 0, 10.9f, 5, 10.25f, 20.75f, false, false); }, 9.75f,
       20.25f, 10, true},
      // Unturned, the zoomed picture keeps its corner; the integer form cuts dx + hx x zoom.
      {"BlitRectRotateZoom",
       [&] { g.BlitRectRotateZoom(0, 0, 11, 7, 100, 50, 0, 1.5f, false, false); }, 99.25f, 49.25f,
       11, true},
      {"BlitRectRotateZoomF",
       [&] { g.BlitRectRotateZoomF(0, 0, 11, 7, 100, 50, 0, 1.5f, false, false); }, 99.5f, 49.5f,
       11, true},
      // The integer form cuts dx + hx (here 97.5 and 53.5) toward zero, not hx.
      {"BlitAlphaRectFx",
       [&] { g.BlitAlphaRectFx(0, 0, 11, 7, 100, 50, 0, 1, 1, false, false, -8, 0); }, 99, 49, 11,
       false},
      {"BlitAlphaRectFx left of the screen",
       [&] { g.BlitAlphaRectFx(0, 0, 11, 7, -10, 50, 0, 1, 1, false, false, 0, 0); }, -10, 49, 11,
       false},
      {"BlitAlphaRectFxF",
       [&] { g.BlitAlphaRectFxF(0, 0, 11, 7, 100, 50, 0, 1, 1, false, false, -8, 0); }, 99.5f,
       49.5f, 11, false},
      // The destination keeps its fractions.
      {"StretchAlphaRect",
       [&] { g.StretchAlphaRect(0, 0, 64, 64, 10.25f, 10, 138, 74, 1, 0, false, false, 0, 0); },
       9.75f, 9.5f, 127.75f, true},
      // No half-pixel shift, and the whole width even when it is odd.
      {"BlitTiled", [&] { g.BlitTiled(10, 20, 9, 5, 1, 0); }, 10, 20, 9, true},
  };
  for (const Row& row : rows) {
    for (float shift : {0.0f, 30.0f}) {
      DrawnCorner corner = CornerOf(Device(), row.draw, shift, 2 * shift);
      float moved = row.followsTheWorld ? shift : 0.0f;
      EXPECT_FLOAT_EQ(corner.x, row.x + moved) << row.form << " shift " << shift;
      EXPECT_FLOAT_EQ(corner.y, row.y + 2 * moved) << row.form << " shift " << shift;
      EXPECT_FLOAT_EQ(corner.width, row.width) << row.form << " shift " << shift;
    }
  }
}

TEST_F(GraphicDX, EffectsWithoutZoomOrAlphaDrawNothing) {
  KGraphicDX graphic;
  MakeSolid(graphic, 10, 10, kOpaqueRed);
  platform::RecordDirectXCalls(true);
  graphic.BlitAlphaRectFx(0, 0, 10, 10, 10, 10, 0, 0, 1, false, false, 0, 0);
  graphic.BlitAlphaRectFx(0, 0, 10, 10, 10, 10, 0, 1, 0, false, false, 0, 0);
  graphic.BlitAlphaRectFx(0, 0, 10, 10, 10, 10, 0, 1, -1, false, false, 0, 0);
  graphic.BlitRectRotateZoom(0, 0, 10, 10, 10, 10, 0, 0, false, false);
  EXPECT_TRUE(CallsNamed(platform::TakeDirectXCalls(), "DrawPrimitive").empty());
}

TEST_F(GraphicDX, AQuarterTurnPutsTheRightSideAbove) {
  std::vector<uint32_t> pixels(20 * 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x)
      pixels[y * 20 + x] = x < 10 ? kOpaqueRed : PackPixel(0, 0, 255, 255);
  }
  KGraphicDX graphic;
  ASSERT_TRUE(graphic.MakePictureFromArray(pixels.data(), 20, 10, true));
  graphic.BlitAlphaRectFx(0, 0, 20, 10, 90, 70, 90, 1, 1, false, false, 0, 0);
  // The pivot is at (100, 75); the blue right half now lies above it, the red half below.
  EXPECT_EQ(Pixel(100, 70), kBlue);
  EXPECT_EQ(Pixel(100, 80), kRed);
  EXPECT_EQ(Pixel(92, 75), kBlack);
}

TEST_F(GraphicDX, StretchingCoversTheDestinationRectangle) {
  KGraphicDX graphic;
  MakeSolid(graphic, 64, 64, kOpaqueRed);
  graphic.StretchAlphaRect(0, 0, 64, 64, 10, 10, 138, 74, 1, 0, false, false, 0, 0);
  std::vector<int> columns = ColumnsOf(40, kRed);
  ASSERT_EQ(columns.size(), 128u);
  EXPECT_EQ(columns.front(), 10);
  std::vector<int> rows = RowsOf(50, kRed);
  ASSERT_EQ(rows.size(), 64u);
  EXPECT_EQ(rows.front(), 10);
}

TEST_F(GraphicDX, TheBlitColourTintsAndAlphaBlends) {
  KGraphicDX graphic;
  MakeSolid(graphic, 4, 4, PackPixel(255, 255, 255, 255));
  graphic.SetBlitColor(1, 0, 0, 1);
  graphic.BlitRect(0, 0, 4, 4, 0, 0, false, false);
  EXPECT_EQ(Pixel(1, 1), kRed);
  window_->SetClearColor(0, 0, 1, 1);
  window_->SetWorldView(0, 0, 0, 1, true);
  graphic.SetBlitColor(1, 1, 1, 1);
  graphic.BlitAlphaRectFx(0, 0, 4, 4, 0, 0, 0, 1, 0.5f, false, false, 0, 0);
  EXPECT_TRUE(Near(Pixel(1, 1), Rgb{127, 127, 255}, 2)) << Pixel(1, 1);
}

TEST_F(GraphicDX, EachFormColoursItsVerticesByItsOwnRule) {
  KGraphicDX g;
  MakeSolid(g, 8, 8, kOpaqueRed);
  struct Row {
    const char* form;
    std::function<void()> draw;
    D3DCOLOR tinted, untinted;
  };
  // The blit colour (1, 0.5, 0, 0.5) packs as 0x7FFF7F00.
  const Row rows[] = {
      {"BlitRect", [&] { g.BlitRect(0, 0, 8, 8, 0, 0, false, false); }, 0x7FFF7F00, 0xFFFFFFFF},
      {"BlitAlphaRectF", [&] { g.BlitAlphaRectF(0, 0, 8, 8, 0, 0, false, false); }, 0x7FFF7F00,
       0xFFFFFFFF},
      {"BlitRectRotateZoom", [&] { g.BlitRectRotateZoom(0, 0, 8, 8, 0, 0, 30, 2, false, false); },
       0x7FFF7F00, 0xFFFFFFFF},
      {"BlitAlphaRectFx",
       [&] { g.BlitAlphaRectFx(0, 0, 8, 8, 0, 0, 0, 1, 0.5f, false, false, 0, 0); }, 0x3FFF7F00,
       0x7FFFFFFF},
      {"StretchAlphaRect",
       [&] { g.StretchAlphaRect(0, 0, 8, 8, 0, 0, 16, 16, 0.5f, 0, false, false, 0, 0); },
       0x3FFF7F00, 0x7FFFFFFF},
      // Only the stretch counts a negative alpha as 1.
      {"StretchAlphaRect, negative alpha",
       [&] { g.StretchAlphaRect(0, 0, 8, 8, 0, 0, 16, 16, -1, 0, false, false, 0, 0); }, 0x7FFF7F00,
       0xFFFFFFFF},
      {"BlitTiled", [&] { g.BlitTiled(0, 0, 8, 8, 1, 0); }, 0xFFFFFFFF, 0xFFFFFFFF},
      {"BlitArbitraryQuad",
       [&] { g.BlitArbitraryQuad(0, 0, 8, 0, 8, 8, 0, 8, 0, 0, 8, 0, 8, 8, 0, 8); }, 0x7FFF7F00,
       0xFFFFFFFF},
  };
  for (bool tinted : {true, false}) {
    tinted ? g.SetBlitColor(1, 0.5f, 0, 0.5f) : g.SetBlitColor(1, 1, 1, 1);
    for (const Row& row : rows) {
      platform::RecordDirectXCalls(true);
      row.draw();
      auto draws = CallsNamed(platform::TakeDirectXCalls(), "DrawPrimitive");
      platform::RecordDirectXCalls(false);
      ASSERT_EQ(draws.size(), 1u) << row.form;
      for (const D3DLVERTEX& vertex : draws[0].VerticesAs<D3DLVERTEX>())
        EXPECT_EQ(vertex.color, tinted ? row.tinted : row.untinted) << row.form << " " << tinted;
    }
  }
}

TEST_F(GraphicDX, RectanglesUseTheBlendModeAndLinesTheirOwnFactors) {
  KGraphicDX graphic;
  window_->SetClearColor(1, 1, 1, 1);
  window_->SetWorldView(0, 0, 0, 1, true);
  graphic.DrawRect(0, 0, 10, 10, 0, 1, 0, 1);
  EXPECT_EQ(Pixel(5, 5), kGreen);
  graphic.SetBlitMode(K_BLEND_ZERO_INVSRCALPHA);
  graphic.DrawRect(20, 0, 30, 10, 0, 1, 0, 1);
  EXPECT_EQ(Pixel(25, 5), kBlack);
  platform::RecordDirectXCalls(true);
  graphic.DrawLine(0, 30, 50, 30, 1, 0, 0, 1);
  auto states = CallsNamed(platform::TakeDirectXCalls(), "SetRenderState");
  platform::RecordDirectXCalls(false);
  bool setsSourceAlpha = std::any_of(states.begin(), states.end(), [](const auto& call) {
    return call.args == std::vector<DWORD>{D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA};
  });
  EXPECT_TRUE(setsSourceAlpha);
  EXPECT_EQ(Pixel(20, 30), kRed);
  graphic.PlotPixel(40, 40, 0, 0, 1, 1);
  EXPECT_EQ(Pixel(40, 40), kBlue);
}

TEST_F(GraphicDX, TilesRepeatTheTextureUnblended) {
  std::vector<uint32_t> pixels = {kOpaqueRed, PackPixel(0, 0, 255, 0)};
  KGraphicDX graphic;
  ASSERT_TRUE(graphic.MakePictureFromArray(pixels.data(), 2, 1, true));
  graphic.SetTextureWrap(true);
  graphic.SetBlitColor(0, 1, 0, 1);  // not used by tiles
  graphic.BlitTiled(0, 0, 8, 2, 4, 0);
  EXPECT_EQ(ColumnsOf(0, kRed), (std::vector<int>{0, 2, 4, 6}));
  EXPECT_EQ(ColumnsOf(0, kBlue), (std::vector<int>{1, 3, 5, 7}));
}

TEST_F(GraphicDX, WrapAndSmoothingReachStageZeroAtEachDraw) {
  struct Row {
    bool wrap, smooth;
    DWORD address, filter;
  };
  const Row rows[] = {{false, false, D3DTADDRESS_CLAMP, D3DTFG_POINT},
                      {true, false, D3DTADDRESS_WRAP, D3DTFG_POINT},
                      {false, true, D3DTADDRESS_CLAMP, D3DTFG_LINEAR},
                      {true, true, D3DTADDRESS_WRAP, D3DTFG_LINEAR}};
  const std::function<void(KGraphicDX&)> draws[] = {
      [](KGraphicDX& g) { g.BlitRect(0, 0, 4, 4, 0, 0, false, false); },
      [](KGraphicDX& g) { g.StretchAlphaRect(0, 0, 4, 4, 0, 0, 8, 8, 1, 0, false, false, 0, 0); },
      [](KGraphicDX& g) { g.BlitTiled(0, 0, 8, 8, 2, 0); },
      [](KGraphicDX& g) { g.BlitArbitraryQuad(0, 0, 4, 0, 4, 4, 0, 4, 0, 0, 8, 0, 8, 8, 0, 8); }};
  KGraphicDX graphic;
  for (const Row& row : rows) {
    graphic.SetTextureWrap(row.wrap);
    graphic.SetTextureQuality(row.smooth);
    // Settings survive a new texture.
    MakeSolid(graphic, 4, 4, kOpaqueRed);
    for (size_t i = 0; i < std::size(draws); ++i) {
      platform::RecordDirectXCalls(true);
      draws[i](graphic);
      auto states = CallsNamed(platform::TakeDirectXCalls(), "SetTextureStageState");
      platform::RecordDirectXCalls(false);
      auto has = [&](DWORD state, DWORD value) {
        return std::any_of(states.begin(), states.end(), [&](const auto& call) {
          return call.args == std::vector<DWORD>{0, state, value};
        });
      };
      EXPECT_TRUE(has(D3DTSS_ADDRESSU, row.address)) << i << " wrap " << row.wrap;
      EXPECT_TRUE(has(D3DTSS_ADDRESSV, row.address)) << i << " wrap " << row.wrap;
      EXPECT_TRUE(has(D3DTSS_MAGFILTER, row.filter)) << i << " smooth " << row.smooth;
      EXPECT_TRUE(has(D3DTSS_MINFILTER, row.filter)) << i << " smooth " << row.smooth;
    }
  }
}

TEST_F(GraphicDX, AFreeQuadBlendsEachPixelOnce) {
  KGraphicDX graphic;
  MakeSolid(graphic, 4, 4, PackPixel(255, 255, 255, 128));
  graphic.BlitArbitraryQuad(0, 0, 4, 0, 4, 4, 0, 4, 10, 10, 30, 12, 28, 30, 12, 28);
  Rgb inside = Pixel(20, 20);
  EXPECT_TRUE(Near(inside, Rgb{128, 128, 128}, 2)) << inside;
  EXPECT_TRUE(Near(Pixel(20, 21), inside, 0));  // no doubly blended diagonal
  EXPECT_TRUE(Near(Pixel(21, 20), inside, 0));
}

TEST_F(GraphicDX, AGrabCopiesTheScreenOpaque) {
  window_->SetClearColor(0, 0.5f, 1, 1);
  window_->SetWorldView(0, 0, 0, 1, true);
  KGraphicDX graphic;
  ASSERT_TRUE(graphic.GrabBackBuffer());
  EXPECT_EQ(graphic.GetWidth(), float(kWidth));
  EXPECT_EQ(graphic.TextureHeight(), float(kHeight));
  EXPECT_EQ(Texel(graphic, 3, 3), (std::vector<unsigned char>{255, 127, 0, 255}));
  auto invert = [](int, int, unsigned char* r, unsigned char* g, unsigned char* b) {
    *r = 255 - *r;
    *g = 255 - *g;
    *b = 255 - *b;
  };
  ASSERT_TRUE(graphic.GrabBackBufferFiltered(invert));
  EXPECT_EQ(Texel(graphic, 3, 3), (std::vector<unsigned char>{0, 128, 255, 255}));
}

TEST_F(GraphicDX, ALostTextureIsReloadedFromItsFileBeforeADraw) {
  std::string path = WriteFile("red.tga", TgaFile(TestPicture{1, 1, {kOpaqueRed}}, 32));
  KGraphicDX graphic;
  ASSERT_TRUE(graphic.LoadPicture(path.c_str(), true, true));
  platform::LoseSurface(graphic.Surface());
  graphic.BlitRect(0, 0, 1, 1, 5, 5, false, false);
  EXPECT_EQ(Pixel(5, 5), kRed);
}

TEST_F(GraphicDX, AFailedSetTextureDrawsNothingAndIsTriedAgain) {
  KGraphicDX graphic;
  MakeSolid(graphic, 2, 2, kOpaqueRed);
  platform::FailDirectXStep(platform::DirectXStep::kSetTexture);
  graphic.BlitRect(0, 0, 2, 2, 10, 10, false, false);
  EXPECT_EQ(Pixel(10, 10), kBlack);
  graphic.BlitRect(0, 0, 2, 2, 10, 10, false, false);
  EXPECT_EQ(Pixel(10, 10), kRed);
}

TEST(GraphicDXSixteenBitScreen, AGrabWidensFiveSixFivePixels) {
  platform::UseScriptedInput(true);
  KWindowDX window(false);
  ASSERT_TRUE(window.CreateGameWindow(64, 48, 16, false, "sixteen bits"));
  window.FlipBackBuffer(false, true);
  window.SetClearColor(1, 1, 1, 1);
  window.SetWorldView(0, 0, 0, 1, true);
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  g_dxPictures.backBuffer->GetSurfaceDesc(&description);
  EXPECT_EQ(description.ddpfPixelFormat.dwGBitMask, 0x07E0u);
  KGraphicDX graphic;
  ASSERT_TRUE(graphic.GrabBackBuffer());
  DDSURFACEDESC2 locked{};
  locked.dwSize = sizeof locked;
  ASSERT_EQ(graphic.Surface()->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
  const auto* texel = static_cast<const unsigned char*>(locked.lpSurface);
  EXPECT_EQ((std::vector<int>{texel[2], texel[1], texel[0], texel[3]}),
            (std::vector<int>{248, 252, 248, 255}));
  graphic.Surface()->Unlock(nullptr);
}

}  // namespace
