#include <climits>
#include <new>

#include "KImageDecoders.h"
#include "KTextureSide.h"

namespace {

const KImageCodec& CodecOf(KImageType type) {
  switch (type) {
    case KImageType::Tga:
      return g_tgaCodec;
    case KImageType::Jpeg:
      return g_jpegCodec;
    case KImageType::Bmp:
      return g_bmpCodec;
    case KImageType::Png:
      break;
  }
  return g_pngCodec;
}

}  // namespace

std::unique_ptr<KImage> DecodeImage(KImageType type, const uint8_t* data, size_t size) {
  std::unique_ptr<KImage> image(new (std::nothrow) KImage);
  if (!image) return nullptr;
  if (!data || size == 0 || size > INT_MAX) return image;
  const KImageCodec& codec = CodecOf(type);
  int length = static_cast<int>(size);
  int width = 0, height = 0;
  if (!codec.safeToDecode(data, size) || !codec.readSize(data, length, &width, &height)) {
    return image;
  }
  // Measured before decoding, so that a hostile header cannot make the decoder allocate gigabytes.
  if (width > static_cast<int>(K_MAX_TEXTURE_SIDE) ||
      height > static_cast<int>(K_MAX_TEXTURE_SIDE)) {
    return nullptr;
  }
  uint8_t* rgba = codec.decodeRgba(data, length, &width, &height);
  if (!rgba) return image;
  image->pixels.reset(reinterpret_cast<uint32_t*>(rgba));
  image->width = width;
  image->height = height;
  image->hasAlpha = codec.declaresAlpha(data, size);
  if (!image->hasAlpha) {
    size_t count = static_cast<size_t>(width) * height;
    for (size_t i = 0; i < count; ++i) rgba[i * 4 + 3] = 255;
  }
  return image;
}
