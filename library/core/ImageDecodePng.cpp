#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include <cstring>

#include "ImageDecoders.h"
#include "ImageStbCodec.h"

namespace {

// The colour type follows the signature (8 bytes), the IHDR chunk's length and tag (8), width and
// height (8) and the bit depth (1): grey with alpha (4) and RGBA (6) carry alpha.
bool DeclaresAlpha(const uint8_t* data, size_t size) {
  constexpr size_t kColourType = 25;
  return size > kColourType && (data[kColourType] == 4 || data[kColourType] == 6);
}

// Image-data chunks the decoder must not be given: an empty first one, which it copies from a
// buffer not allocated yet (a copy of nothing from nowhere, which the sanitizers stop), and one
// longer than the rest of the file, for which it allocates the claimed length before it finds the
// data missing. No encoder writes either; such a file is not decoded.
bool SafeToDecode(const uint8_t* data, size_t size) {
  constexpr size_t kSignature = 8, kChunkFrame = 12;
  bool firstImageData = true;
  for (size_t at = kSignature; at + 8 <= size;) {
    uint32_t length = 0;
    for (size_t i = 0; i < 4; ++i) length = length << 8 | data[at + i];
    bool beyondTheEnd = length > size - at - 8;
    if (std::memcmp(data + at + 4, "IDAT", 4) == 0) {
      if ((firstImageData && length == 0) || beyondTheEnd) return false;
      firstImageData = false;
    }
    if (beyondTheEnd) break;
    at += kChunkFrame + length;
  }
  return true;
}

}  // namespace

const ImageCodec kPngCodec = {SafeToDecode, ReadSize, DeclaresAlpha, DecodeRgba};
