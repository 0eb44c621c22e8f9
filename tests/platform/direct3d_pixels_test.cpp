// Real pixels drawn by the device and read back from the back buffer.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include <SDL2/SDL_opengl.h>

#include "direct3d_fixture.h"

namespace {

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
         std::abs(a.blue - b.blue) <= tolerance;
}

class Pixels : public DirectXTest {
 protected:
  void SetUp() override {
    DirectXTest::SetUp();
    MakeDevice();
    D3DMATRIX projection = PixelProjection();
    device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
    device_->SetRenderState(D3DRENDERSTATE_LIGHTING, FALSE);
    device_->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    Clear(0xFF000000);
  }

  void Clear(D3DCOLOR color) {
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, color, 1.0f, 0), D3D_OK);
  }

  Rgb Pixel(int x, int y) { return PixelOf(backBuffer_, x, y); }

  // Columns x0..x1 - 1 of row y that have the colour.
  std::vector<int> ColumnsOf(int y, const Rgb& color) {
    std::vector<int> columns;
    for (int x = 0; x < int(kWidth); ++x) {
      if (Pixel(x, y) == color) columns.push_back(x);
    }
    return columns;
  }

  // A quad from (x0, y0) to (x1, y1) with texture coordinates (u0, v0) to (u1, v1).
  HRESULT Quad(float x0, float y0, float x1, float y1, D3DCOLOR color = 0xFFFFFFFF, float u0 = 0,
               float v0 = 0, float u1 = 1, float v1 = 1) {
    D3DLVERTEX v[4] = {};
    float xs[4] = {x0, x1, x0, x1}, ys[4] = {y0, y0, y1, y1};
    float us[4] = {u0, u1, u0, u1}, vs[4] = {v0, v0, v1, v1};
    for (int i = 0; i < 4; ++i) {
      v[i].x = xs[i];
      v[i].y = ys[i];
      v[i].color = color;
      v[i].tu = us[i];
      v[i].tv = vs[i];
    }
    return device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_LVERTEX, v, 4, 0);
  }

  // A render target the size of the test window, filled with one colour through a lock.
  IDirectDrawSurface7* MakeFilledTarget(D3DCOLOR color) {
    return MakeFilledTarget(directDraw_, color);
  }
  static IDirectDrawSurface7* MakeTarget(IDirectDraw7* directDraw) {
    DDSURFACEDESC2 description = Description(kWidth, kHeight);
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
    IDirectDrawSurface7* target = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&description, &target, nullptr), DD_OK);
    return target;
  }
  static IDirectDrawSurface7* MakeFilledTarget(IDirectDraw7* directDraw, D3DCOLOR color) {
    IDirectDrawSurface7* target = MakeTarget(directDraw);
    if (!target) return nullptr;
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof locked;
    EXPECT_EQ(target->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    for (DWORD y = 0; y < kHeight; ++y) {
      auto* row = reinterpret_cast<D3DCOLOR*>(static_cast<unsigned char*>(locked.lpSurface) +
                                              y * locked.lPitch);
      std::fill(row, row + kWidth, color);
    }
    EXPECT_EQ(target->Unlock(nullptr), DD_OK);
    return target;
  }

  // The primary surface: the window, as windowed cooperation sees it.
  IDirectDrawSurface7* MakePrimary() { return MakePrimary(directDraw_); }
  static IDirectDrawSurface7* MakePrimary(IDirectDraw7* directDraw) {
    DDSURFACEDESC2 description = PrimaryDescription();
    IDirectDrawSurface7* primary = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DD_OK);
    return primary;
  }

  // Fills the whole surface (for the primary surface, the window) with the colour.
  static HRESULT FillWhole(IDirectDrawSurface7* surface, DWORD color) {
    DDBLTFX fill{};
    fill.dwSize = sizeof fill;
    fill.dwFillColor = color;
    return surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill);
  }

  // A pixel of the window's back buffer, whose rows count from the bottom.
  static Rgb WindowPixel(int x, int y) {
    auto bindFramebuffer =
        reinterpret_cast<void (*)(GLenum, GLuint)>(SDL_GL_GetProcAddress("glBindFramebuffer"));
    if (bindFramebuffer) bindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    unsigned char pixel[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return Rgb{pixel[0], pixel[1], pixel[2]};
  }

  // Shows `source` of the surface at the same place of the window's client area.
  HRESULT Show(IDirectDrawSurface7* primary, IDirectDrawSurface7* surface,
               RECT source = {0, 0, LONG(kWidth), LONG(kHeight)}) {
    int x = 0, y = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    RECT destination{x + source.left, y + source.top, x + source.right, y + source.bottom};
    return primary->Blt(&destination, surface, &source, DDBLT_WAIT, nullptr);
  }

  // Writes one pixel of the back buffer through a lock; false when it can't be locked.
  bool WriteThroughLock(int x, int y, const Rgb& color) {
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof locked;
    if (backBuffer_->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr) != DD_OK) return false;
    auto* pixel = static_cast<unsigned char*>(locked.lpSurface) + y * locked.lPitch + 4 * x;
    pixel[0] = static_cast<unsigned char>(color.blue);
    pixel[1] = static_cast<unsigned char>(color.green);
    pixel[2] = static_cast<unsigned char>(color.red);
    return backBuffer_->Unlock(nullptr) == DD_OK;
  }

  void Blend(DWORD source, DWORD destination) {
    device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, TRUE);
    device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, source);
    device_->SetRenderState(D3DRENDERSTATE_DESTBLEND, destination);
  }
};

const Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0},
    kBlue{0, 0, 255};

TEST_F(Pixels, ClearFillsTheViewportOrItsRectanglesWithTheColour) {
  Clear(0xFF336699);
  EXPECT_EQ(Pixel(0, 0), (Rgb{0x33, 0x66, 0x99}));
  EXPECT_EQ(Pixel(kWidth - 1, kHeight - 1), (Rgb{0x33, 0x66, 0x99}));
  D3DRECT area{4, 2, 6, 3};
  ASSERT_EQ(device_->Clear(1, &area, D3DCLEAR_TARGET, 0xFFFFFFFF, 1.0f, 0), D3D_OK);
  EXPECT_EQ(ColumnsOf(2, kWhite), (std::vector<int>{4, 5}));
  EXPECT_EQ(ColumnsOf(3, kWhite), std::vector<int>{});
}

TEST_F(Pixels, AQuadOnPixelEdgesCoversExactlyItsPixels) {
  // Corners half a pixel off the centres, as the picture blits place them.
  ASSERT_EQ(Quad(9.5f, 19.5f, 13.5f, 23.5f, 0xFFFFFFFF), D3D_OK);
  EXPECT_EQ(ColumnsOf(20, kWhite), (std::vector<int>{10, 11, 12, 13}));
  EXPECT_EQ(ColumnsOf(23, kWhite), (std::vector<int>{10, 11, 12, 13}));
  EXPECT_EQ(ColumnsOf(19, kWhite), std::vector<int>{});
  EXPECT_EQ(ColumnsOf(24, kWhite), std::vector<int>{});
}

TEST_F(Pixels, EdgesThroughPixelCentresFollowTheTopLeftRule) {
  ASSERT_EQ(Quad(10, 20, 14, 24, 0xFFFFFFFF), D3D_OK);
  EXPECT_EQ(ColumnsOf(20, kWhite), (std::vector<int>{10, 11, 12, 13}));
  EXPECT_EQ(ColumnsOf(23, kWhite), (std::vector<int>{10, 11, 12, 13}));
  EXPECT_EQ(ColumnsOf(24, kWhite), std::vector<int>{});
}

TEST_F(Pixels, PointSampledTexelsLandOnePerPixel) {
  IDirectDrawSurface7* texture = MakeTexture(2, 2, Argb8888());
  Fill<uint32_t>(texture, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}, 2);
  device_->SetTexture(0, texture);
  ASSERT_EQ(Quad(4.5f, 6.5f, 6.5f, 8.5f), D3D_OK);
  EXPECT_EQ(Pixel(5, 7), kRed);
  EXPECT_EQ(Pixel(6, 7), kGreen);
  EXPECT_EQ(Pixel(5, 8), kBlue);
  EXPECT_EQ(Pixel(6, 8), kWhite);
  // Flipped coordinates mirror the picture.
  ASSERT_EQ(Quad(20.5f, 6.5f, 22.5f, 8.5f, 0xFFFFFFFF, 1, 0, 0, 1), D3D_OK);
  EXPECT_EQ(Pixel(21, 7), kGreen);
  EXPECT_EQ(Pixel(22, 7), kRed);
  device_->SetTexture(0, nullptr);
  texture->Release();
}

TEST_F(Pixels, TheDiffuseColourTintsTheTextureAndAloneColoursUntexturedDraws) {
  IDirectDrawSurface7* texture = MakeTexture(1, 1, Argb8888());
  Fill<uint32_t>(texture, {0xFFFFFF80}, 1);
  device_->SetTexture(0, texture);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0xFF00FFFF), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), (Rgb{0, 255, 128}));
  device_->SetTexture(0, nullptr);
  ASSERT_EQ(Quad(1.5f, -0.5f, 2.5f, 0.5f, 0xFF203040), D3D_OK);
  EXPECT_EQ(Pixel(2, 0), (Rgb{0x20, 0x30, 0x40}));
  texture->Release();
}

TEST_F(Pixels, SourceAlphaBlendingMixesWithTheBackground) {
  Clear(0xFF0000FF);
  Blend(D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0x80FF0000), D3D_OK);
  EXPECT_TRUE(Near(Pixel(0, 0), Rgb{128, 0, 127}, 1)) << Pixel(0, 0);
  // The texture's alpha times the diffuse alpha: 0.5 x 0.5.
  IDirectDrawSurface7* texture = MakeTexture(1, 1, Argb8888());
  Fill<uint32_t>(texture, {0x80FFFFFF}, 1);
  device_->SetTexture(0, texture);
  ASSERT_EQ(Quad(1.5f, -0.5f, 2.5f, 0.5f, 0x80FFFFFF), D3D_OK);
  EXPECT_TRUE(Near(Pixel(2, 0), Rgb{64, 64, 255}, 2)) << Pixel(2, 0);
  device_->SetTexture(0, nullptr);
  texture->Release();
}

TEST_F(Pixels, TheBackBufferHasNoAlphaSoDestinationAlphaIsOne) {
  Clear(0x00404040);  // a clear colour's alpha is not kept either
  Blend(D3DBLEND_ZERO, D3DBLEND_DESTALPHA);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0x00FFFFFF), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), (Rgb{0x40, 0x40, 0x40}));
  // An opaque write of a colour with alpha 0 leaves no alpha behind.
  Blend(D3DBLEND_ONE, D3DBLEND_ZERO);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0x00102030), D3D_OK);
  Blend(D3DBLEND_ZERO, D3DBLEND_DESTALPHA);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0x00FFFFFF), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), (Rgb{0x10, 0x20, 0x30}));
  Blend(D3DBLEND_ONE, D3DBLEND_INVDESTALPHA);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0x00010101), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), (Rgb{0x01, 0x01, 0x01}));
}

// Clear texels are skipped where blending would leave the pixel as it is, and only there.
TEST_F(Pixels, ClearTexelsStillAddTheirColourAndWriteTheirDepth) {
  IDirectDrawSurface7* texture = MakeTexture(1, 1, Argb8888());
  Fill<uint32_t>(texture, {0x00FF0000}, 1);
  device_->SetTexture(0, texture);
  Blend(D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 0.5f, 0.5f), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), kBlack);
  Blend(D3DBLEND_ONE, D3DBLEND_INVSRCALPHA);
  ASSERT_EQ(Quad(1.5f, -0.5f, 2.5f, 0.5f), D3D_OK);
  EXPECT_EQ(Pixel(2, 0), kRed);
  // In front, a clear quad still hides what is drawn behind it.
  IDirectDrawSurface7* zBuffer = MakeZBuffer();
  ASSERT_NE(zBuffer, nullptr);
  ASSERT_EQ(backBuffer_->AddAttachedSurface(zBuffer), DD_OK);
  zBuffer->Release();
  ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3D_OK);
  device_->SetRenderState(D3DRENDERSTATE_ZENABLE, D3DZB_TRUE);
  Blend(D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
  auto quadAt = [this](float z, D3DCOLOR color) {
    D3DLVERTEX v[4] = {};
    for (int i = 0; i < 4; ++i) {
      v[i].x = i % 2 == 0 ? 3.5f : 5.5f;
      v[i].y = i < 2 ? 3.5f : 5.5f;
      v[i].z = z;
      v[i].color = color;
    }
    return device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_LVERTEX, v, 4, 0);
  };
  ASSERT_EQ(quadAt(0.2f, 0xFFFFFFFF), D3D_OK);
  device_->SetTexture(0, nullptr);
  ASSERT_EQ(quadAt(0.5f, 0xFF00FF00), D3D_OK);
  EXPECT_EQ(Pixel(4, 4), kBlack);
  texture->Release();
}

TEST_F(Pixels, SixteenBitTexturesKeepTheirAlphaOrHaveNone) {
  Clear(0xFF000000);
  Blend(D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
  IDirectDrawSurface7* a4 = MakeTexture(2, 1, Argb4444());
  Fill<uint16_t>(a4, {0xFF00, 0x00F0}, 2);  // opaque red, transparent green
  device_->SetTexture(0, a4);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 1.5f, 0.5f), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), kRed);
  EXPECT_EQ(Pixel(1, 0), kBlack);
  // The unused top bit of 1-5-5-5 texels must not become an alpha of 0.
  IDirectDrawSurface7* x1 = MakeTexture(2, 1, Xrgb1555());
  Fill<uint16_t>(x1, {0x001F, 0x83E0}, 2);
  device_->SetTexture(0, x1);
  ASSERT_EQ(Quad(-0.5f, 1.5f, 1.5f, 2.5f), D3D_OK);
  EXPECT_EQ(Pixel(0, 2), kBlue);
  EXPECT_EQ(Pixel(1, 2), kGreen);
  device_->SetTexture(0, nullptr);
  x1->Release();
  a4->Release();
}

TEST_F(Pixels, ChangingTheTextureBetweenDrawsDrawsEachWithItsOwn) {
  IDirectDrawSurface7* red = MakeTexture(1, 1, Argb8888());
  IDirectDrawSurface7* green = MakeTexture(1, 1, Argb8888());
  Fill<uint32_t>(red, {0xFFFF0000}, 1);
  Fill<uint32_t>(green, {0xFF00FF00}, 1);
  for (int i = 0; i < 4; ++i) {
    device_->SetTexture(0, i % 2 ? green : red);
    ASSERT_EQ(Quad(i - 0.5f, -0.5f, i + 0.5f, 0.5f), D3D_OK);
  }
  // The same texture again joins the batch; the world matrix still applies per draw.
  D3DMATRIX shift{};
  shift._11 = shift._22 = shift._33 = shift._44 = 1.0f;
  shift._42 = 2.0f;
  device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &shift);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 0.5f, 0.5f), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), kRed);
  EXPECT_EQ(Pixel(1, 0), kGreen);
  EXPECT_EQ(Pixel(2, 0), kRed);
  EXPECT_EQ(Pixel(3, 0), kGreen);
  EXPECT_EQ(Pixel(0, 2), kGreen);
  EXPECT_EQ(Pixel(0, 1), kBlack);
  device_->SetTexture(0, nullptr);
  green->Release();
  red->Release();
}

TEST_F(Pixels, ATextureChangedAfterADrawShowsItsNewTexelsInTheNextDrawOnly) {
  IDirectDrawSurface7* texture = MakeTexture(1, 1, Argb8888());
  Fill<uint32_t>(texture, {0xFFFF0000}, 1);
  device_->SetTexture(0, texture);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 0.5f, 0.5f), D3D_OK);
  Fill<uint32_t>(texture, {0xFF0000FF}, 1);
  ASSERT_EQ(Quad(0.5f, -0.5f, 1.5f, 0.5f), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), kRed);
  EXPECT_EQ(Pixel(1, 0), kBlue);
  device_->SetTexture(0, nullptr);
  texture->Release();
}

TEST_F(Pixels, WrapRepeatsTheTextureAndClampStretchesItsEdge) {
  IDirectDrawSurface7* texture = MakeTexture(2, 1, Argb8888());
  Fill<uint32_t>(texture, {0xFFFF0000, 0xFF0000FF}, 2);
  device_->SetTexture(0, texture);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 3.5f, 0.5f, 0xFFFFFFFF, 0, 0, 2, 1), D3D_OK);
  EXPECT_EQ(ColumnsOf(0, kRed), (std::vector<int>{0, 2}));
  device_->SetTextureStageState(0, D3DTSS_ADDRESS, D3DTADDRESS_CLAMP);
  ASSERT_EQ(Quad(-0.5f, 1.5f, 3.5f, 2.5f, 0xFFFFFFFF, 0, 0, 2, 1), D3D_OK);
  EXPECT_EQ(ColumnsOf(2, kBlue), (std::vector<int>{1, 2, 3}));
  device_->SetTexture(0, nullptr);
  texture->Release();
}

TEST_F(Pixels, LinearFilteringBlendsNeighbouringTexels) {
  IDirectDrawSurface7* texture = MakeTexture(2, 1, Argb8888());
  Fill<uint32_t>(texture, {0xFF000000, 0xFFFFFFFF}, 2);
  device_->SetTexture(0, texture);
  device_->SetTextureStageState(0, D3DTSS_ADDRESS, D3DTADDRESS_CLAMP);
  device_->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTFG_LINEAR);
  device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_LINEAR);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 19.5f, 0.5f), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), kBlack);
  EXPECT_EQ(Pixel(19, 0), kWhite);
  int previous = -1;
  for (int x = 0; x < 20; ++x) {
    EXPECT_GE(Pixel(x, 0).red, previous);
    previous = Pixel(x, 0).red;
  }
  EXPECT_TRUE(Near(Pixel(10, 0), Rgb{140, 140, 140}, 20)) << Pixel(10, 0);
  device_->SetTexture(0, nullptr);
  texture->Release();
}

TEST_F(Pixels, AQuarterTurnMovesTheRightOfAQuadAboveIt) {
  IDirectDrawSurface7* texture = MakeTexture(2, 1, Argb8888());
  Fill<uint32_t>(texture, {0xFFFF0000, 0xFF0000FF}, 2);
  device_->SetTexture(0, texture);
  // Turn by 90 degrees counter-clockwise on the screen about (20, 20): y is downward.
  D3DMATRIX turn{};
  turn._12 = -1.0f;
  turn._21 = 1.0f;
  turn._33 = turn._44 = 1.0f;
  turn._41 = 0.0f;
  turn._42 = 40.0f;
  device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &turn);
  ASSERT_EQ(Quad(10, 16, 30, 24), D3D_OK);  // red on the left half, blue on the right
  EXPECT_EQ(Pixel(20, 14), kBlue);
  EXPECT_EQ(Pixel(20, 26), kRed);
  EXPECT_EQ(Pixel(12, 20), kBlack);
  device_->SetTexture(0, nullptr);
  texture->Release();
}

TEST_F(Pixels, PointsAndLinesAreOnePixelWide) {
  D3DLVERTEX point{};
  point.x = 5;
  point.y = 7;
  point.color = 0xFFFFFFFF;
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_POINTLIST, D3DFVF_LVERTEX, &point, 1, 0), D3D_OK);
  EXPECT_EQ(Pixel(5, 7), kWhite);
  EXPECT_EQ(Pixel(4, 7), kBlack);
  EXPECT_EQ(Pixel(5, 6), kBlack);
  D3DLVERTEX line[2] = {};
  line[0].x = 2;
  line[1].x = 12;
  line[0].y = line[1].y = 10;
  line[0].color = line[1].color = 0xFF00FF00;
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_LINELIST, D3DFVF_LVERTEX, line, 2, 0), D3D_OK);
  std::vector<int> lit = ColumnsOf(10, kGreen);
  ASSERT_GE(lit.size(), 10u);
  EXPECT_EQ(lit.front(), 2);
  EXPECT_EQ(ColumnsOf(9, kGreen), std::vector<int>{});
  EXPECT_EQ(ColumnsOf(11, kGreen), std::vector<int>{});
}

TEST_F(Pixels, FansAndListsCoverTheSameQuad) {
  D3DLVERTEX fan[4] = {};
  float xs[4] = {-0.5f, 1.5f, 1.5f, -0.5f}, ys[4] = {-0.5f, -0.5f, 1.5f, 1.5f};
  for (int i = 0; i < 4; ++i) {
    fan[i].x = xs[i];
    fan[i].y = ys[i];
    fan[i].color = 0xFFFF0000;
  }
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, D3DFVF_LVERTEX, fan, 4, 0), D3D_OK);
  D3DLVERTEX list[6] = {fan[0], fan[1], fan[2], fan[0], fan[2], fan[3]};
  for (D3DLVERTEX& v : list) {
    v.y += 3;
    v.color = 0xFF0000FF;
  }
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, D3DFVF_LVERTEX, list, 6, 0), D3D_OK);
  for (int y : {0, 1}) EXPECT_EQ(ColumnsOf(y, kRed), (std::vector<int>{0, 1}));
  for (int y : {3, 4}) EXPECT_EQ(ColumnsOf(y, kBlue), (std::vector<int>{0, 1}));
}

// Draws of one colour and in 2D take less work when drawn alone; joined by others in one run of
// draws, the others still blend their corners' colours and follow their perspective.
TEST_F(Pixels, CornersOfTheirOwnColourBlendAcrossAQuadDrawnAfterOneColouredQuads) {
  ASSERT_EQ(Quad(-0.5f, -0.5f, 3.5f, 3.5f, 0xFF00FF00), D3D_OK);
  D3DLVERTEX v[4] = {};
  float xs[4] = {8, 40, 8, 40}, ys[4] = {10, 10, 20, 20};
  for (int i = 0; i < 4; ++i) {
    v[i].x = xs[i];
    v[i].y = ys[i];
    v[i].color = i % 2 == 0 ? 0xFFFF0000 : 0xFF0000FF;
  }
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_LVERTEX, v, 4, 0), D3D_OK);
  EXPECT_EQ(Pixel(1, 1), kGreen);
  EXPECT_TRUE(Near(Pixel(24, 15), {128, 0, 128}, 8)) << Pixel(24, 15);
  EXPECT_GT(Pixel(8, 15).red, 240);
  EXPECT_GT(Pixel(39, 15).blue, 240);
}

TEST_F(Pixels, TexturesFollowThePerspectiveOfTheirCornersAfterDrawsIn2D) {
  IDirectDrawSurface7* texture = MakeTexture(2, 1, Argb8888());
  Fill<uint32_t>(texture, {0xFFFFFFFF, 0xFF000000}, 2);
  device_->SetTexture(0, texture);
  ASSERT_EQ(Quad(59.5f, 45.5f, 61.5f, 46.5f), D3D_OK);
  // A quad from x 0 to 1 across the whole width of the target, whose w grows from 1 to 3: the
  // middle of the texture (x 0.5) lands three quarters across, not half.
  D3DMATRIX perspective{};
  perspective._11 = 4;  // clip x = 4x - 1
  perspective._41 = -1;
  perspective._22 = -2;  // clip y = 1 - 2y
  perspective._42 = 1;
  perspective._14 = 2;  // w = 1 + 2x
  perspective._44 = 1;
  device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &perspective);
  ASSERT_EQ(Quad(0, 0, 1, 1), D3D_OK);
  EXPECT_EQ(Pixel(60, 46), kWhite);
  EXPECT_EQ(Pixel(61, 46), kBlack);
  for (int column : {20, 40, 44}) EXPECT_EQ(Pixel(column, 24), kWhite) << column;
  EXPECT_EQ(Pixel(52, 24), kBlack);
  for (int c = 0; c < 64; ++c) std::printf("%d", Pixel(c, 24).red > 128);
  std::printf("\n");
  device_->SetTexture(0, nullptr);
  texture->Release();
}

// Thousands of one-pixel quads in turn as strips, fans and lists, more than one submission to
// OpenGL holds: each lands on its own pixel with its own colour.
TEST_F(Pixels, ManyDrawsOfEveryKindEachLandOnTheirOwnPixel) {
  auto colour = [](int x, int y) { return D3DCOLOR(0xFF000000 | x * 4 << 16 | y * 5 << 8 | 0x80); };
  for (int y = 0; y < int(kHeight); ++y) {
    for (int x = 0; x < int(kWidth); ++x) {
      float x0 = x - 0.5f, y0 = y - 0.5f, x1 = x + 0.5f, y1 = y + 0.5f;
      D3DLVERTEX v[6] = {};
      auto set = [&](int i, float vx, float vy) {
        v[i].x = vx;
        v[i].y = vy;
        v[i].color = colour(x, y);
      };
      switch ((x + y) % 3) {
        case 0:
          ASSERT_EQ(Quad(x0, y0, x1, y1, colour(x, y)), D3D_OK);
          break;
        case 1:
          set(0, x0, y0), set(1, x1, y0), set(2, x1, y1), set(3, x0, y1);
          ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, D3DFVF_LVERTEX, v, 4, 0), D3D_OK);
          break;
        default:
          set(0, x0, y0), set(1, x1, y0), set(2, x1, y1);
          set(3, x0, y0), set(4, x1, y1), set(5, x0, y1);
          ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, D3DFVF_LVERTEX, v, 6, 0), D3D_OK);
      }
    }
  }
  DDSURFACEDESC2 locked{};
  locked.dwSize = sizeof locked;
  ASSERT_EQ(backBuffer_->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
  int wrong = 0;
  for (int y = 0; y < int(kHeight); ++y) {
    const auto* row = static_cast<const unsigned char*>(locked.lpSurface) + y * locked.lPitch;
    for (int x = 0; x < int(kWidth); ++x) {
      D3DCOLOR expected = colour(x, y);
      Rgb want{int(expected >> 16 & 0xFF), int(expected >> 8 & 0xFF), int(expected & 0xFF)};
      Rgb got{row[4 * x + 2], row[4 * x + 1], row[4 * x]};
      if (got != want && ++wrong <= 5) ADD_FAILURE() << "(" << x << ", " << y << "): " << got;
    }
  }
  backBuffer_->Unlock(nullptr);
  EXPECT_EQ(wrong, 0);
}

TEST_F(Pixels, TheViewportClipsAndPlacesTheDrawing) {
  D3DVIEWPORT7 right{32, 0, 32, kHeight, 0.0f, 1.0f};
  ASSERT_EQ(device_->SetViewport(&right), D3D_OK);
  // The projection spans the viewport now: x 0..63 in the world is 32..63 on the target.
  ASSERT_EQ(Quad(-0.5f, -0.5f, 63.5f, 0.5f, 0xFFFFFFFF), D3D_OK);
  std::vector<int> lit = ColumnsOf(0, kWhite);
  ASSERT_FALSE(lit.empty());
  EXPECT_EQ(lit.front(), 32);
  EXPECT_EQ(lit.back(), 63);
}

// Pixels written through a lock reach the frame buffer as they are, whatever texture stage the
// draws before them used.
TEST_F(Pixels, ALockWrittenAfterATexturedDrawKeepsItsPixels) {
  IDirectDrawSurface7* texture = MakeTexture(1, 1, Argb8888());
  Fill<uint32_t>(texture, {0xFF00FF00}, 1);
  device_->SetTexture(0, texture);
  ASSERT_EQ(Quad(-0.5f, -0.5f, 1.5f, 1.5f), D3D_OK);
  ASSERT_TRUE(WriteThroughLock(6, 4, {0xC0, 0x80, 0x40}));
  EXPECT_EQ(Pixel(6, 4), (Rgb{0xC0, 0x80, 0x40}));
  EXPECT_EQ(Pixel(1, 1), kGreen);
  EXPECT_EQ(Pixel(7, 4), kBlack);
  device_->SetTexture(0, nullptr);
  texture->Release();
}

TEST_F(Pixels, ADeviceContextAndALockReadTheSamePixels) {
  Clear(0xFF123456);
  HDC dc = nullptr;
  ASSERT_EQ(backBuffer_->GetDC(&dc), DD_OK);
  EXPECT_EQ(GetPixel(dc, 3, 3), 0x563412u);
  backBuffer_->ReleaseDC(dc);
  // Writing through a lock reaches the frame buffer.
  ASSERT_TRUE(WriteThroughLock(7, 5, kBlue));
  ASSERT_EQ(Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFF0000), D3D_OK);
  EXPECT_EQ(Pixel(7, 5), kBlue);
  EXPECT_EQ(Pixel(0, 0), kRed);
  EXPECT_EQ(Pixel(8, 5), (Rgb{0x12, 0x34, 0x56}));
}

TEST_F(Pixels, PresentingKeepsTheBackBufferAndTakesNoPrimaryAsSource) {
  Clear(0xFF00FF00);
  IDirectDrawSurface7* primary = MakePrimary();
  EXPECT_EQ(directDraw_->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr), DD_OK);
  EXPECT_EQ(Show(primary, backBuffer_), DD_OK);
  EXPECT_EQ(Pixel(0, 0), kGreen);
  EXPECT_EQ(Show(primary, primary), DDERR_UNSUPPORTED);
  primary->Release();
}

// A back buffer that fits the window is drawn in it from its first draw (the set-up's clear), so
// that its first whole show copies nothing; another target of its size drawn later has a frame
// buffer of its own.
TEST_F(Pixels, ABackBufferFittingTheWindowIsDrawnInItFromItsFirstDraw) {
  EXPECT_TRUE(platform::IsDrawnInWindow(backBuffer_));
  Clear(0xFFFF0000);
  IDirectDrawSurface7* other = MakeFilledTarget(0xFF0000FF);
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(platform::IsDrawnInWindow(other));
  IDirectDrawSurface7* primary = MakePrimary();
  ASSERT_EQ(Show(primary, backBuffer_), DD_OK);
  EXPECT_TRUE(platform::IsDrawnInWindow(backBuffer_));
  EXPECT_EQ(Pixel(5, 5), kRed);
  EXPECT_EQ(PixelOf(other, 5, 5), kBlue);
  other->Release();
  primary->Release();
}

// A back buffer shown whole in a window of its size is drawn in the window from then on; what it
// holds must not depend on where it is drawn.
TEST_F(Pixels, ABackBufferShownWholeKeepsItsPixelsThroughPartialShowsAndADepthBuffer) {
  Clear(0xFFFF0000);
  IDirectDrawSurface7* primary = MakePrimary();
  ASSERT_EQ(Show(primary, backBuffer_), DD_OK);
  ASSERT_TRUE(platform::IsDrawnInWindow(backBuffer_));
  ASSERT_EQ(Quad(-0.5f, -0.5f, 1.5f, 1.5f, 0xFF00FF00), D3D_OK);
  EXPECT_EQ(Pixel(0, 0), kGreen);
  EXPECT_EQ(Pixel(10, 10), kRed);
  ASSERT_EQ(Show(primary, backBuffer_), DD_OK);
  ASSERT_EQ(Show(primary, backBuffer_, RECT{0, 0, 32, 24}), DD_OK);
  EXPECT_FALSE(platform::IsDrawnInWindow(backBuffer_));
  EXPECT_EQ(Pixel(1, 1), kGreen);
  EXPECT_EQ(Pixel(40, 40), kRed);
  ASSERT_EQ(Show(primary, backBuffer_), DD_OK);
  IDirectDrawSurface7* zBuffer = MakeZBuffer();
  ASSERT_NE(zBuffer, nullptr);
  ASSERT_EQ(backBuffer_->AddAttachedSurface(zBuffer), DD_OK);
  zBuffer->Release();
  ASSERT_EQ(Quad(3.5f, 3.5f, 5.5f, 5.5f, 0xFF0000FF), D3D_OK);
  EXPECT_EQ(Pixel(4, 4), kBlue);
  EXPECT_EQ(Pixel(1, 1), kGreen);
  EXPECT_EQ(Pixel(40, 40), kRed);
  ASSERT_EQ(Show(primary, backBuffer_), DD_OK);
  EXPECT_EQ(Pixel(4, 4), kBlue);
  primary->Release();
}

TEST_F(Pixels, ShowingAnotherSurfaceOrFillingTheWindowLeavesABackBufferItsPixels) {
  Clear(0xFFFF0000);
  IDirectDrawSurface7* primary = MakePrimary();
  ASSERT_EQ(Show(primary, backBuffer_), DD_OK);
  Clear(0xFF00FF00);
  IDirectDrawSurface7* other = MakeFilledTarget(0xFF0000FF);
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(Show(primary, other), DD_OK);
  EXPECT_TRUE(platform::IsDrawnInWindow(other));
  EXPECT_FALSE(platform::IsDrawnInWindow(backBuffer_));
  EXPECT_EQ(Pixel(5, 5), kGreen);
  EXPECT_EQ(PixelOf(other, 5, 5), kBlue);
  ASSERT_EQ(Show(primary, backBuffer_), DD_OK);
  EXPECT_EQ(PixelOf(other, 5, 5), kBlue);
  Clear(0xFFFFFFFF);
  ASSERT_EQ(FillWhole(primary, 0x00FF00), DD_OK);
  EXPECT_EQ(Pixel(5, 5), kWhite);
  // A surface going away while drawn in the window leaves nothing behind that is used later.
  ASSERT_EQ(Show(primary, other), DD_OK);
  other->Release();
  ASSERT_EQ(Show(primary, backBuffer_), DD_OK);
  EXPECT_EQ(Pixel(5, 5), kWhite);
  primary->Release();
}

TEST_F(Pixels, AnotherDirectDrawOnTheSameWindowLeavesABackBufferItsPixels) {
  IDirectDrawSurface7* primary = MakePrimary();
  IDirectDraw7* second = nullptr;
  ASSERT_EQ(
      DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&second), IID_IDirectDraw7, nullptr),
      DD_OK);
  ASSERT_EQ(second->SetCooperativeLevel(Handle(), DDSCL_NORMAL), DD_OK);
  IDirectDrawSurface7* otherPrimary = MakePrimary(second);
  IDirectDrawSurface7* other = MakeFilledTarget(second, 0xFF0000FF);
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(Show(primary, backBuffer_), DD_OK);
  ASSERT_TRUE(platform::IsDrawnInWindow(backBuffer_));
  Clear(0xFF00FF00);
  ASSERT_EQ(Show(otherPrimary, other, RECT{0, 0, 32, 24}), DD_OK);
  EXPECT_EQ(Pixel(5, 5), kGreen);
  EXPECT_EQ(Pixel(40, 40), kGreen);
  other->Release();
  otherPrimary->Release();
  second->Release();
  primary->Release();
}

// A target of the window's size drawn for the first time after a fill of the whole window is
// drawn in the window only when the fill was black, what a new target starts as; either way a
// partial show then leaves the rest of the window as the fill left it.
TEST_F(Pixels, ATargetFirstDrawnAfterAFillOfTheWindowLeavesTheFillInIt) {
  IDirectDrawSurface7* primary = MakePrimary();
  for (DWORD fill : {0x000000u, 0xFF0000u}) {
    ASSERT_EQ(FillWhole(primary, fill), DD_OK);
    IDirectDrawSurface7* other = MakeTarget(directDraw_);
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(FillWhole(other, 0x0000FF), DD_OK);
    EXPECT_EQ(platform::IsDrawnInWindow(other), fill == 0) << fill;
    ASSERT_EQ(Show(primary, backBuffer_, RECT{0, 0, 32, 24}), DD_OK);
    EXPECT_EQ(WindowPixel(40, 5), fill == 0 ? kBlack : kRed) << fill;
    EXPECT_EQ(PixelOf(other, 5, 5), kBlue) << fill;
    other->Release();
  }
  primary->Release();
}

// What a partial show leaves of the window is what was there before it.
TEST_F(Pixels, APartialShowLeavesTheRestOfTheWindowAsItWas) {
  Clear(0xFF00FF00);
  IDirectDrawSurface7* primary = MakePrimary();
  ASSERT_EQ(FillWhole(primary, 0xFF0000), DD_OK);
  ASSERT_EQ(Show(primary, backBuffer_, RECT{0, 0, 32, 24}), DD_OK);
  // Another DirectDraw object coming to the window leaves it alone too.
  IDirectDraw7* second = nullptr;
  ASSERT_EQ(
      DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&second), IID_IDirectDraw7, nullptr),
      DD_OK);
  ASSERT_EQ(second->SetCooperativeLevel(Handle(), DDSCL_NORMAL), DD_OK);
  second->Release();
  ASSERT_EQ(Show(primary, backBuffer_, RECT{0, 0, 32, 24}), DD_OK);
  // (40, 5) is low in the window, outside the part shown.
  EXPECT_EQ(WindowPixel(40, 5), kRed);
  EXPECT_EQ(WindowPixel(5, int(kHeight) - 5), kGreen);
  primary->Release();
}

}  // namespace
