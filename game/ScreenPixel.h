// A float coordinate as the 16-bit destination pixel of a blit: truncated toward zero, held to the
// 16-bit range instead of wrapping around it.
#pragma once

#include <algorithm>
#include <cstdint>

inline int16_t ScreenPixel(float coordinate) {
  return static_cast<int16_t>(std::clamp(coordinate, -32768.0f, 32767.0f));
}
