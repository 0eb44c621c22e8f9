#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include "KImageDecoders.h"
#include "KImageStbCodec.h"

namespace {

// A JPEG picture never carries alpha.
bool DeclaresAlpha(const uint8_t*, size_t) {
  return false;
}

}  // namespace

const KImageCodec g_jpegCodec = {ReadSize, DeclaresAlpha, DecodeRgba};
