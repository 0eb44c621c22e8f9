// Decoded pictures and the loader that turns an image file into one.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

struct ImagePixelsFree {
  void operator()(uint32_t* pixels) const { std::free(pixels); }
};
// A block of pixel words from malloc: a decoded picture's pixels, or the texture made of them.
using PixelBlock = std::unique_ptr<uint32_t[], ImagePixelsFree>;

// A decoded picture: width x height pixels, one u32 each whose bytes in memory order are red,
// green, blue, alpha, top row first. hasAlpha comes from the file's header (PNG colour types 4 and
// 6, 32-bit TGA, 32-bit uncompressed BMP; JPEG never); without it every alpha is 255. A file that
// could not be decoded gives an image of width and height 0 without pixels.
struct DecodedImage {
  int width = 0;
  int height = 0;
  bool hasAlpha = false;
  PixelBlock pixels;

  uint32_t Pixel(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// How the file name's extension is recognised: in any letter case, or only in lower case.
enum class ExtensionCase { kAny, kLowerOnly };

// Reads an image file whole through the file layer (so it may come from a registered archive) and
// decodes it as the type its extension names: ".tga", ".jpg", ".bmp" or ".png", taken from the
// final name only. The caller's string is not changed. Null when the file cannot be read or is
// empty, the extension is none of the four, or the picture is larger than a texture can be
// (kMaxTextureSide); a file with a known extension that does not decode gives a 0 x 0 image.
std::unique_ptr<DecodedImage> LoadImageFile(const char* path,
                                            ExtensionCase extensionCase = ExtensionCase::kAny);
