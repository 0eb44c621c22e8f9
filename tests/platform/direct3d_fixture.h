// A hidden SDL window with DirectDraw cooperating with it, a back buffer and a Direct3D device
// drawing into it: the set-up the DirectDraw and Direct3D tests share.
#pragma once

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <vector>

#include "platform/direct3d.h"
#include "platform/directx_seams.h"

struct Rgb {
  int red, green, blue;
  bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

// Video stays up between the tests of a program: SDL's desktop bus library would otherwise be
// unloaded with blocks it keeps until the process ends, and those could no longer be told apart.
class DirectXTest : public testing::Test {
 protected:
  static constexpr DWORD kWidth = 64;
  static constexpr DWORD kHeight = 48;

  void SetUp() override {
    platform::ClearDirectXFailures();
    platform::RecordDirectXCalls(false);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << "needs a display: " << SDL_GetError();
    // The GL library stays loaded after the test's window is gone, as it does for the game: what
    // the driver keeps for the process stays reachable.
    SDL_GL_LoadLibrary(nullptr);
    window_ = SDL_CreateWindow("directx test", 0, 0, kWidth, kHeight,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window_, nullptr) << SDL_GetError();
    platform::BindSdlWindow(Handle(), window_);
    ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&directDraw_), IID_IDirectDraw7,
                                 nullptr),
              DD_OK);
    ASSERT_EQ(directDraw_->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&direct3D_)),
              DD_OK);
  }

  void TearDown() override {
    if (device_) device_->Release();
    if (backBuffer_) backBuffer_->Release();
    if (direct3D_) direct3D_->Release();
    if (directDraw_) directDraw_->Release();
    platform::TakeDirectXCalls();
    platform::RecordDirectXCalls(false);
    platform::ClearDirectXFailures();
    platform::UnbindSdlWindow(Handle());
    if (window_) SDL_DestroyWindow(window_);
  }

  HWND Handle() { return reinterpret_cast<HWND>(&window_); }

  // Windowed cooperation, an off-screen back buffer and a device on it, inside a scene.
  void MakeDevice() {
    ASSERT_EQ(directDraw_->SetCooperativeLevel(Handle(), DDSCL_NORMAL), DD_OK);
    DDSURFACEDESC2 description = Description(kWidth, kHeight);
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_VIDEOMEMORY;
    ASSERT_EQ(directDraw_->CreateSurface(&description, &backBuffer_, nullptr), DD_OK);
    ASSERT_EQ(direct3D_->CreateDevice(IID_IDirect3DHALDevice, backBuffer_, &device_), D3D_OK);
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
  }

  static DDSURFACEDESC2 Description(DWORD width, DWORD height) {
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    description.dwWidth = width;
    description.dwHeight = height;
    description.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    return description;
  }

  static DDSURFACEDESC2 PrimaryDescription() {
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    return description;
  }

  static DDPIXELFORMAT Format(DWORD flags, DWORD bits, DWORD alpha, DWORD red, DWORD green,
                              DWORD blue) {
    DDPIXELFORMAT format{};
    format.dwSize = sizeof format;
    format.dwFlags = flags;
    format.dwRGBBitCount = bits;
    format.dwRGBAlphaBitMask = alpha;
    format.dwRBitMask = red;
    format.dwGBitMask = green;
    format.dwBBitMask = blue;
    return format;
  }
  static DDPIXELFORMAT Argb8888() {
    return Format(DDPF_RGB | DDPF_ALPHAPIXELS, 32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF);
  }
  static DDPIXELFORMAT Argb4444() {
    return Format(DDPF_RGB | DDPF_ALPHAPIXELS, 16, 0xF000, 0x0F00, 0x00F0, 0x000F);
  }
  static DDPIXELFORMAT Xrgb1555() { return Format(DDPF_RGB, 16, 0, 0x7C00, 0x03E0, 0x001F); }

  // A 16-bit Z buffer the size of the test window, or null.
  IDirectDrawSurface7* MakeZBuffer() {
    DDSURFACEDESC2 depth = Description(kWidth, kHeight);
    depth.ddsCaps.dwCaps = DDSCAPS_ZBUFFER | DDSCAPS_VIDEOMEMORY;
    depth.ddpfPixelFormat.dwFlags = DDPF_ZBUFFER;
    depth.ddpfPixelFormat.dwZBufferBitDepth = 16;
    IDirectDrawSurface7* zBuffer = nullptr;
    EXPECT_EQ(directDraw_->CreateSurface(&depth, &zBuffer, nullptr), DD_OK);
    return zBuffer;
  }

  // A managed texture of the format, or null.
  IDirectDrawSurface7* MakeTexture(DWORD width, DWORD height, const DDPIXELFORMAT& format) {
    DDSURFACEDESC2 description = Description(width, height);
    description.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    description.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
    description.ddpfPixelFormat = format;
    IDirectDrawSurface7* texture = nullptr;
    EXPECT_EQ(directDraw_->CreateSurface(&description, &texture, nullptr), DD_OK);
    return texture;
  }

  // Writes `texels` (rows top first, `bytes` each) into the texture through Lock.
  template <typename Texel>
  static void Fill(IDirectDrawSurface7* texture, const std::vector<Texel>& texels, DWORD width) {
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof locked;
    ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    auto* bytes = static_cast<unsigned char*>(locked.lpSurface);
    for (size_t row = 0; row < texels.size() / width; ++row) {
      std::memcpy(bytes + row * locked.lPitch, &texels[row * width], width * sizeof(Texel));
    }
    ASSERT_EQ(texture->Unlock(nullptr), DD_OK);
  }

  // World (x, y) is the pixel (x, y) of the target, y downward, pixel centres at whole numbers;
  // depth is z times zScale plus zOffset.
  static D3DMATRIX PixelProjection(float zScale = 1.0f, float zOffset = 0.0f) {
    D3DMATRIX projection{};
    projection._11 = 2.0f / kWidth;
    projection._22 = -2.0f / kHeight;
    projection._33 = zScale;
    projection._41 = -1.0f;
    projection._42 = 1.0f;
    projection._43 = zOffset;
    projection._44 = 1.0f;
    return projection;
  }

  // The pixel of a 32-bit surface, read through a lock.
  static Rgb PixelOf(IDirectDrawSurface7* surface, int x, int y) {
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof locked;
    if (surface->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr) != DD_OK) {
      return {-1, -1, -1};
    }
    const unsigned char* p =
        static_cast<const unsigned char*>(locked.lpSurface) + y * locked.lPitch + x * 4;
    Rgb color{p[2], p[1], p[0]};
    surface->Unlock(nullptr);
    return color;
  }

  SDL_Window* window_ = nullptr;
  IDirectDraw7* directDraw_ = nullptr;
  IDirect3D7* direct3D_ = nullptr;
  IDirectDrawSurface7* backBuffer_ = nullptr;
  IDirect3DDevice7* device_ = nullptr;
};
