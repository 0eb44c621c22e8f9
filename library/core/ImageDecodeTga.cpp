#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include "ImageDecoders.h"
#include "ImageStbCodec.h"

namespace {

// The pixel depth is byte 16 of the 18-byte header: 32 bits carry alpha.
bool DeclaresAlpha(const uint8_t* data, size_t size) {
  constexpr size_t kPixelDepth = 16;
  return size > kPixelDepth && data[kPixelDepth] == 32;
}

}  // namespace

const ImageCodec kTgaCodec = {AlwaysSafe, ReadSize, DeclaresAlpha, DecodeRgba};
