#include <climits>
#include <new>

#include "ImageDecoders.h"
#include "TextureSide.h"

namespace {

const ImageCodec& CodecOf(ImageType type) {
  switch (type) {
    case ImageType::kTga:
      return kTgaCodec;
    case ImageType::kJpeg:
      return kJpegCodec;
    case ImageType::kBmp:
      return kBmpCodec;
    case ImageType::kPng:
      break;
  }
  return kPngCodec;
}

}  // namespace

std::unique_ptr<DecodedImage> DecodeImage(ImageType type, const uint8_t* data, size_t size) {
  std::unique_ptr<DecodedImage> image(new (std::nothrow) DecodedImage);
  if (!image) return nullptr;
  if (!data || size == 0 || size > INT_MAX) return image;
  const ImageCodec& codec = CodecOf(type);
  int length = static_cast<int>(size);
  int width = 0, height = 0;
  if (!codec.safeToDecode(data, size) || !codec.readSize(data, length, &width, &height)) {
    return image;
  }
  // Measured before decoding, so that a hostile header cannot make the decoder allocate gigabytes.
  if (width > static_cast<int>(kMaxTextureSide) || height > static_cast<int>(kMaxTextureSide)) {
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
