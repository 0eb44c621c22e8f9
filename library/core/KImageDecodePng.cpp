#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include "KImageDecoders.h"
#include "KImageStbCodec.h"

namespace {

// The colour type follows the signature (8 bytes), the IHDR chunk's length and tag (8), width and
// height (8) and the bit depth (1): grey with alpha (4) and RGBA (6) carry alpha.
bool DeclaresAlpha(const uint8_t* data, size_t size) {
  constexpr size_t kColourType = 25;
  return size > kColourType && (data[kColourType] == 4 || data[kColourType] == 6);
}

}  // namespace

const KImageCodec g_pngCodec = {AlwaysSafe, ReadSize, DeclaresAlpha, DecodeRgba};
