// The size and decoding halves of a codec, for a unit that has just compiled stb_image for its one
// file type. Included by the per-type decoder units only.
#pragma once

#include <cstdint>

namespace {

// For the file types whose decoder needs no checks beforehand.
[[maybe_unused]] bool AlwaysSafe(const uint8_t*, size_t) {
  return true;
}

bool ReadSize(const uint8_t* data, int size, int* width, int* height) {
  int channels = 0;
  return stbi_info_from_memory(data, size, width, height, &channels) != 0;
}

uint8_t* DecodeRgba(const uint8_t* data, int size, int* width, int* height) {
  int channels = 0;
  return stbi_load_from_memory(data, size, width, height, &channels, 4);
}

}  // namespace
