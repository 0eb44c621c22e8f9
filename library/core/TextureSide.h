// The side of the square power-of-two texture that holds a picture.
#pragma once

#include <cstdint>

// The largest texture side the library makes: a side x side RGBA texture then takes 256 MiB.
constexpr uint32_t kMaxTextureSide = 8192;

// Texture side rules: the shared rule starts from 2 and doubles at least once, so its textures are
// at least 4 x 4; the DirectX picture's rule has no minimum.
constexpr uint32_t kTextureSideMinimum = 4;
constexpr uint32_t kTextureSideNoMinimum = 1;

// The smallest power of two that is at least minimumSide and at least the larger of width and
// height; 0 when that exceeds kMaxTextureSide (the picture is too large for a texture).
constexpr uint32_t TextureSide(uint32_t width, uint32_t height, uint32_t minimumSide) {
  uint32_t larger = width > height ? width : height;
  if (larger > kMaxTextureSide) return 0;
  uint32_t side = minimumSide;
  while (side < larger) side *= 2;
  return side;
}
