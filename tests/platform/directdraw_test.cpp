#include <algorithm>
#include <cstdint>
#include <cstring>

#include "direct3d_fixture.h"

namespace {

using DirectDraw = DirectXTest;

DDSURFACEDESC2 LockedDescription() {
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  return description;
}

uint16_t Texel16(const DDSURFACEDESC2& locked, int x, int y) {
  uint16_t texel;
  std::memcpy(&texel,
              static_cast<const unsigned char*>(locked.lpSurface) + y * locked.lPitch + x * 2, 2);
  return texel;
}

TEST_F(DirectDraw, CreationAsksForTheSeventhInterfaceAndTheDefaultDriver) {
  void* object = nullptr;
  EXPECT_EQ(DirectDrawCreateEx(nullptr, &object, IID_IDirect3D7, nullptr), DDERR_INVALIDPARAMS);
  GUID driver = IID_IDirectDraw7;
  EXPECT_EQ(DirectDrawCreateEx(&driver, &object, IID_IDirectDraw7, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(object, nullptr);
}

TEST_F(DirectDraw, Direct3DKeepsItsDirectDrawObjectAlive) {
  platform::RecordDirectXCalls(true);
  EXPECT_EQ(directDraw_->Release(), 1u);  // the Direct3D object still holds it
  directDraw_ = nullptr;
  direct3D_->Release();
  direct3D_ = nullptr;
  auto calls = platform::TakeDirectXCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].name, "Release");
  EXPECT_EQ(calls[1].name, "Release");
  EXPECT_EQ(calls[2].name, "Release");
  EXPECT_EQ(calls[0].object, calls[2].object);  // the DirectDraw object goes last
}

TEST_F(DirectDraw, TexturesDescribeTheirFormatAndPitch) {
  struct Case {
    DDPIXELFORMAT format;
    DWORD bits;
  } cases[] = {{Argb8888(), 32}, {Argb4444(), 16}, {Xrgb1555(), 16}};
  for (const Case& c : cases) {
    IDirectDrawSurface7* texture = MakeTexture(3, 2, c.format);
    ASSERT_NE(texture, nullptr);
    DDSURFACEDESC2 description = LockedDescription();
    ASSERT_EQ(texture->GetSurfaceDesc(&description), DD_OK);
    EXPECT_EQ(description.dwWidth, 3u);
    EXPECT_EQ(description.dwHeight, 2u);
    EXPECT_TRUE(description.dwFlags & DDSD_PITCH);
    EXPECT_GE(description.lPitch, LONG(3 * c.bits / 8));
    EXPECT_EQ(description.ddpfPixelFormat.dwRGBBitCount, c.bits);
    EXPECT_EQ(description.ddpfPixelFormat.dwRGBAlphaBitMask, c.format.dwRGBAlphaBitMask);
    EXPECT_EQ(description.ddpfPixelFormat.dwRBitMask, c.format.dwRBitMask);
    EXPECT_EQ(description.ddsCaps.dwCaps, DWORD(DDSCAPS_TEXTURE));
    EXPECT_EQ(description.ddsCaps.dwCaps2, DWORD(DDSCAPS2_TEXTUREMANAGE));
    texture->Release();
  }
}

TEST_F(DirectDraw, NewSurfacesOfAnySizeAreZeroed) {
  // Small blocks from the heap, and blocks of megabytes, which come from the system.
  for (DWORD side : {1u, 3u, 257u, 1024u, 1500u}) {
    IDirectDrawSurface7* texture = MakeTexture(side, side, Argb4444());
    ASSERT_NE(texture, nullptr);
    DDSURFACEDESC2 locked = LockedDescription();
    ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    auto* bytes = static_cast<unsigned char*>(locked.lpSurface);
    for (DWORD y = 0; y < side; ++y) {
      const unsigned char* row = bytes + y * locked.lPitch;
      ASSERT_TRUE(std::all_of(row, row + side * 2, [](unsigned char b) { return b == 0; }))
          << side << " x " << side << ", row " << y;
    }
    // The last byte is the surface's own.
    bytes[(side - 1) * locked.lPitch + side * 2 - 1] = 0xAB;
    texture->Unlock(nullptr);
    texture->Release();
  }
}

TEST_F(DirectDraw, RefusesFormatsAndSizesItCannotHold) {
  DDSURFACEDESC2 description = Description(4, 4);
  description.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
  description.ddpfPixelFormat = Format(DDPF_RGB, 24, 0, 0xFF0000, 0xFF00, 0xFF);
  IDirectDrawSurface7* surface = nullptr;
  EXPECT_NE(directDraw_->CreateSurface(&description, &surface, nullptr), DD_OK);
  description.ddpfPixelFormat = Argb8888();
  description.dwWidth = 0;
  EXPECT_EQ(directDraw_->CreateSurface(&description, &surface, nullptr), DDERR_INVALIDPARAMS);
  description.dwWidth = 100000;
  EXPECT_EQ(directDraw_->CreateSurface(&description, &surface, nullptr), DDERR_INVALIDPARAMS);
  description.dwWidth = 4;
  description.dwSize = 12;
  EXPECT_EQ(directDraw_->CreateSurface(&description, &surface, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(surface, nullptr);
}

TEST_F(DirectDraw, TheThirtyTwoBitSizeOfADescriptionIsAccepted) {
  DDSURFACEDESC2 description = Description(2, 2);
  description.dwSize = DDSURFACEDESC2_SIZE_32BIT;
  description.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
  description.ddpfPixelFormat = Argb8888();
  IDirectDrawSurface7* surface = nullptr;
  ASSERT_EQ(directDraw_->CreateSurface(&description, &surface, nullptr), DD_OK);
  surface->Release();
}

TEST_F(DirectDraw, LockExposesRowsAtThePitchAndARectangleAtItsCorner) {
  IDirectDrawSurface7* texture = MakeTexture(5, 3, Xrgb1555());
  Fill<uint16_t>(texture, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 5);
  DDSURFACEDESC2 locked = LockedDescription();
  RECT corner{2, 1, 5, 3};
  ASSERT_EQ(texture->Lock(&corner, &locked, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(locked.lPitch % 4, 0);
  EXPECT_EQ(Texel16(locked, 0, 0), 8);
  EXPECT_EQ(Texel16(locked, 2, 1), 15);
  EXPECT_EQ(texture->Unlock(nullptr), DD_OK);
  RECT outside{4, 0, 6, 1};
  EXPECT_EQ(texture->Lock(&outside, &locked, DDLOCK_WAIT, nullptr), DDERR_INVALIDRECT);
  texture->Release();
}

TEST_F(DirectDraw, LockingTwiceIsBusyAndUnlockingUnlockedIsRefused) {
  IDirectDrawSurface7* texture = MakeTexture(2, 2, Argb8888());
  DDSURFACEDESC2 locked = LockedDescription();
  EXPECT_EQ(texture->Unlock(nullptr), DDERR_NOTLOCKED);
  ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
  HDC dc = nullptr;
  EXPECT_EQ(texture->GetDC(&dc), DDERR_SURFACEBUSY);
  EXPECT_EQ(texture->Unlock(nullptr), DD_OK);
  texture->Release();
}

TEST_F(DirectDraw, ColourFillWritesThePixelValueIntoTheRectangle) {
  IDirectDrawSurface7* texture = MakeTexture(4, 2, Argb4444());
  DDBLTFX fx{};
  fx.dwSize = sizeof fx;
  fx.dwFillColor = 0xF0A5;
  RECT right{2, 0, 4, 2};
  ASSERT_EQ(texture->Blt(&right, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
  DDSURFACEDESC2 locked = LockedDescription();
  ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(Texel16(locked, 1, 1), 0);
  EXPECT_EQ(Texel16(locked, 2, 0), 0xF0A5);
  EXPECT_EQ(Texel16(locked, 3, 1), 0xF0A5);
  texture->Unlock(nullptr);
  RECT tooWide{0, 0, 5, 1};
  EXPECT_EQ(texture->Blt(&tooWide, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDRECT);
  texture->Release();
}

TEST_F(DirectDraw, ACopyBetweenSurfacesOfOneFormatMovesTheBytes) {
  IDirectDrawSurface7* from = MakeTexture(2, 2, Argb8888());
  IDirectDrawSurface7* to = MakeTexture(3, 3, Argb8888());
  Fill<uint32_t>(from, {0x11223344, 0x55667788, 0x99AABBCC, 0xDDEEFF00}, 2);
  RECT destination{1, 1, 3, 3};
  ASSERT_EQ(to->Blt(&destination, from, nullptr, DDBLT_WAIT, nullptr), DD_OK);
  DDSURFACEDESC2 locked = LockedDescription();
  ASSERT_EQ(to->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
  auto* rows = static_cast<unsigned char*>(locked.lpSurface);
  uint32_t texel;
  std::memcpy(&texel, rows + 2 * locked.lPitch + 2 * 4, 4);
  EXPECT_EQ(texel, 0xDDEEFF00u);
  std::memcpy(&texel, rows, 4);
  EXPECT_EQ(texel, 0u);
  to->Unlock(nullptr);
  IDirectDrawSurface7* other = MakeTexture(2, 2, Argb4444());
  EXPECT_EQ(other->Blt(nullptr, from, nullptr, DDBLT_WAIT, nullptr), DDERR_UNSUPPORTED);
  other->Release();
  to->Release();
  from->Release();
}

TEST_F(DirectDraw, ALostSurfaceRefusesWorkUntilRestoredAndComesBackEmpty) {
  IDirectDrawSurface7* texture = MakeTexture(2, 1, Argb8888());
  Fill<uint32_t>(texture, {0xFFFFFFFF, 0xFFFFFFFF}, 2);
  EXPECT_EQ(texture->IsLost(), DD_OK);
  platform::LoseSurface(texture);
  EXPECT_EQ(texture->IsLost(), DDERR_SURFACELOST);
  DDSURFACEDESC2 locked = LockedDescription();
  EXPECT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
  ASSERT_EQ(texture->Restore(), DD_OK);
  EXPECT_EQ(texture->IsLost(), DD_OK);
  ASSERT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(static_cast<unsigned char*>(locked.lpSurface)[0], 0);
  texture->Unlock(nullptr);
  texture->Release();
}

TEST_F(DirectDraw, AnInjectedFailureHitsTheChosenCallOnce) {
  platform::FailDirectXStep(platform::DirectXStep::kCreateSurface, 1);
  IDirectDrawSurface7* first = MakeTexture(1, 1, Argb8888());
  EXPECT_NE(first, nullptr);
  DDSURFACEDESC2 description = Description(1, 1);
  description.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
  description.ddpfPixelFormat = Argb8888();
  IDirectDrawSurface7* second = nullptr;
  EXPECT_EQ(directDraw_->CreateSurface(&description, &second, nullptr), DDERR_GENERIC);
  EXPECT_EQ(second, nullptr);
  IDirectDrawSurface7* third = MakeTexture(1, 1, Argb8888());
  EXPECT_NE(third, nullptr);
  platform::FailDirectXStep(platform::DirectXStep::kLock);
  DDSURFACEDESC2 locked = LockedDescription();
  EXPECT_EQ(first->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_GENERIC);
  EXPECT_EQ(first->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
  first->Unlock(nullptr);
  third->Release();
  first->Release();
}

TEST_F(DirectDraw, ClearedFailuresDoNotFire) {
  platform::FailDirectXStep(platform::DirectXStep::kDirectDrawCreateEx);
  platform::ClearDirectXFailures();
  IDirectDraw7* another = nullptr;
  ASSERT_EQ(
      DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&another), IID_IDirectDraw7, nullptr),
      DD_OK);
  another->Release();
}

TEST_F(DirectDraw, TheRecorderKeepsCallsInOrderWithTheirArguments) {
  platform::RecordDirectXCalls(true);
  ASSERT_EQ(directDraw_->SetCooperativeLevel(Handle(), DDSCL_NORMAL), DD_OK);
  IDirectDrawSurface7* texture = MakeTexture(8, 4, Argb4444());
  auto calls = platform::TakeDirectXCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].name, "SetCooperativeLevel");
  EXPECT_EQ(calls[0].args, std::vector<DWORD>{DDSCL_NORMAL});
  EXPECT_EQ(calls[1].name, "CreateSurface");
  EXPECT_EQ(calls[1].object, directDraw_);
  EXPECT_EQ(calls[1].description.dwWidth, 8u);
  EXPECT_EQ(calls[1].description.ddpfPixelFormat.dwRGBAlphaBitMask, 0xF000u);
  EXPECT_TRUE(platform::TakeDirectXCalls().empty());
  platform::RecordDirectXCalls(false);
  texture->Release();
  EXPECT_TRUE(platform::TakeDirectXCalls().empty());
}

TEST_F(DirectDraw, CooperationNeedsAKnownWindowAndOneMode) {
  EXPECT_EQ(directDraw_->SetCooperativeLevel(reinterpret_cast<HWND>(this), DDSCL_NORMAL),
            DDERR_INVALIDPARAMS);
  EXPECT_EQ(directDraw_->SetCooperativeLevel(Handle(), DDSCL_NORMAL | DDSCL_FULLSCREEN),
            DDERR_INVALIDPARAMS);
  EXPECT_EQ(directDraw_->SetCooperativeLevel(Handle(), DDSCL_FULLSCREEN), DDERR_INVALIDPARAMS);
  DDSURFACEDESC2 primary = PrimaryDescription();
  IDirectDrawSurface7* surface = nullptr;
  EXPECT_EQ(directDraw_->CreateSurface(&primary, &surface, nullptr), DDERR_NOCOOPERATIVELEVELSET);
  EXPECT_EQ(directDraw_->SetDisplayMode(640, 480, 16, 0, 0), DDERR_NOEXCLUSIVEMODE);
}

TEST_F(DirectDraw, AZBufferAttachesToTheBackBufferAndDetachesWithEverything) {
  ASSERT_EQ(directDraw_->SetCooperativeLevel(Handle(), DDSCL_NORMAL), DD_OK);
  DDSURFACEDESC2 back = Description(kWidth, kHeight);
  back.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  back.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
  ASSERT_EQ(directDraw_->CreateSurface(&back, &backBuffer_, nullptr), DD_OK);
  IDirectDrawSurface7* zBuffer = MakeZBuffer();
  ASSERT_NE(zBuffer, nullptr);
  IDirectDrawSurface7* texture = MakeTexture(kWidth, kHeight, Argb8888());
  EXPECT_EQ(texture->AddAttachedSurface(zBuffer), DDERR_CANNOTATTACHSURFACE);
  ASSERT_EQ(backBuffer_->AddAttachedSurface(zBuffer), DD_OK);
  EXPECT_EQ(zBuffer->Release(), 1u);  // the back buffer holds it now
  DDSCAPS2 caps{DDSCAPS_ZBUFFER, 0, 0, 0};
  IDirectDrawSurface7* found = nullptr;
  ASSERT_EQ(backBuffer_->GetAttachedSurface(&caps, &found), DD_OK);
  EXPECT_EQ(found, zBuffer);
  found->Release();
  EXPECT_EQ(backBuffer_->DeleteAttachedSurface(0, nullptr), DD_OK);
  EXPECT_EQ(backBuffer_->GetAttachedSurface(&caps, &found), DDERR_NOTFOUND);
  texture->Release();
}

TEST_F(DirectDraw, AFullScreenFlippingChainGoesWithItsPrimary) {
  ASSERT_EQ(directDraw_->SetCooperativeLevel(
                Handle(), DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE | DDSCL_FPUSETUP),
            DD_OK);
  EXPECT_EQ(directDraw_->SetDisplayMode(320, 200, 24, 0, 0), DDERR_INVALIDMODE);
  ASSERT_EQ(directDraw_->SetDisplayMode(320, 200, 16, 0, 0), DD_OK);
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  description.dwBackBufferCount = 1;
  description.ddsCaps.dwCaps = 0x6218;
  IDirectDrawSurface7* primary = nullptr;
  ASSERT_EQ(directDraw_->CreateSurface(&description, &primary, nullptr), DD_OK);
  DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0, 0, 0};
  IDirectDrawSurface7* back = nullptr;
  ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
  DDSURFACEDESC2 backDescription = LockedDescription();
  ASSERT_EQ(back->GetSurfaceDesc(&backDescription), DD_OK);
  EXPECT_EQ(backDescription.dwWidth, 320u);
  EXPECT_EQ(backDescription.ddpfPixelFormat.dwRGBBitCount, 16u);
  EXPECT_EQ(backDescription.ddpfPixelFormat.dwGBitMask, 0x07E0u);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  // Releasing the primary takes its back buffer along (the sanitizer build checks for leaks).
  primary->Release();
  EXPECT_EQ(directDraw_->RestoreDisplayMode(), DD_OK);
}

TEST_F(DirectDraw, ADeviceContextReadsPixelsAsRedGreenBlue) {
  IDirectDrawSurface7* texture = MakeTexture(2, 1, Xrgb1555());
  Fill<uint16_t>(texture, {0x7C00, 0x001F}, 2);
  HDC dc = nullptr;
  ASSERT_EQ(texture->GetDC(&dc), DD_OK);
  EXPECT_EQ(GetPixel(dc, 0, 0), 0x0000F8u);
  EXPECT_EQ(GetPixel(dc, 1, 0), 0xF80000u);
  EXPECT_EQ(GetPixel(dc, 2, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);
  DDSURFACEDESC2 locked = LockedDescription();
  EXPECT_EQ(texture->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
  EXPECT_EQ(texture->ReleaseDC(dc), DD_OK);
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  EXPECT_EQ(texture->ReleaseDC(dc), DDERR_NODC);
  texture->Release();
}

}  // namespace
