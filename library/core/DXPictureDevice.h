// What all DirectX pictures share: the device the window handed over and the texture last set on
// its stage 0.
#pragma once

#include <cstdint>

#include "platform/win32.h"

struct DXPictureDevice {
  IDirectDraw7* directDraw = nullptr;
  IDirect3DDevice7* device = nullptr;
  IDirectDrawSurface7* backBuffer = nullptr;
  uint32_t width = 0;
  uint32_t height = 0;
  // Only remembered, not referenced.
  IDirectDrawSurface7* boundTexture = nullptr;
};

extern DXPictureDevice g_dxPictures;
