#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include "ImageDecoders.h"
#include "ImageStbCodec.h"

namespace {

// After the 14-byte file header, an info header of at least 40 bytes holds the bit count (offset
// 28, two bytes) and the compression (offset 30, four bytes): 32 bits uncompressed carry alpha.
bool DeclaresAlpha(const uint8_t* data, size_t size) {
  constexpr size_t kInfoSize = 14, kBitCount = 28, kCompression = 30;
  if (size < kCompression + 4) return false;
  auto little = [data](size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | data[at + i];
    return value;
  };
  return little(kInfoSize, 4) >= 40 && little(kBitCount, 2) == 32 && little(kCompression, 4) == 0;
}

}  // namespace

const ImageCodec kBmpCodec = {AlwaysSafe, ReadSize, DeclaresAlpha, DecodeRgba};
