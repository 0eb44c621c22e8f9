// Fuzz target for the image decoders: the input is decoded as each of the four file types, and a
// decoded picture is filled into a texture with a colour key.
#include <cstddef>
#include <cstdint>

#include "ImageDecoders.h"
#include "PictureSettings.h"
#include "TextureSide.h"

namespace {

// Larger pictures are legal but slow to decode and fill (a long thin picture gets a square
// texture); the fuzzer spends its time on the formats instead.
constexpr uint32_t kLargestSide = 512;

bool Small(const ImageCodec& codec, const uint8_t* data, size_t size) {
  int width = 0, height = 0;
  if (!codec.safeToDecode(data, size)) return true;
  if (!codec.readSize(data, static_cast<int>(size), &width, &height)) return true;
  uint32_t side = TextureSide(width, height, kTextureSideMinimum);
  return side != 0 && side <= kLargestSide;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 20)) return 0;
  const struct {
    ImageType type;
    const ImageCodec& codec;
  } kinds[] = {{ImageType::kPng, kPngCodec},
               {ImageType::kJpeg, kJpegCodec},
               {ImageType::kBmp, kBmpCodec},
               {ImageType::kTga, kTgaCodec}};
  for (const auto& kind : kinds) {
    if (!Small(kind.codec, data, size)) continue;
    std::unique_ptr<DecodedImage> image = DecodeImage(kind.type, data, size);
    if (!image || image->width == 0) continue;
    uint32_t side = TextureSide(image->width, image->height, kTextureSideMinimum);
    MakeTexture(*image, ColorKey{true, 255, 0, 255}, side);
  }
  return 0;
}
