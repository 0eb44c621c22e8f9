// Writes screenshots: one encoder for both window variants.
#pragma once

#include <cstdint>

#include "KGraphic.h"

// The most pixels an image file is written with.
constexpr int64_t kLargestSavedImage = INT32_MAX / 4;

// Writes width x height pixels to path as a KImageFormat file (BMP, JPEG, TGA or PNG). The pixels
// are laid out as the windows read their back buffers: rows bottom-up, each u32 holding
// red << 16 | green << 8 | blue; its top byte is ignored and every written pixel is opaque.
// False, with no file left behind, for a format outside 0 to 3, a side below 1, no pixels, more
// than kLargestSavedImage pixels, or a file that cannot be written.
bool SaveImageFile(const char* path, int format, const uint32_t* pixels, int width, int height);
