// The image decoders, one per file type, each in a unit of its own so that a file is only ever
// decoded as the type its extension names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "DecodedImage.h"

enum class ImageType { kTga, kJpeg, kBmp, kPng };

// What one decoder offers: a check that the bytes are safe to hand to the decoder at all, the
// picture's size from its header, whether the header declares an alpha channel, and the decoding
// itself into RGBA bytes, top row first (allocated with malloc).
struct ImageCodec {
  bool (*safeToDecode)(const uint8_t* data, size_t size);
  bool (*readSize)(const uint8_t* data, int size, int* width, int* height);
  bool (*declaresAlpha)(const uint8_t* data, size_t size);
  uint8_t* (*decodeRgba)(const uint8_t* data, int size, int* width, int* height);
};

extern const ImageCodec kTgaCodec;
extern const ImageCodec kJpegCodec;
extern const ImageCodec kBmpCodec;
extern const ImageCodec kPngCodec;

// Decodes bytes as the given type. Null when the picture is larger than a texture can be or memory
// runs out; a 0 x 0 image when the bytes do not decode.
std::unique_ptr<DecodedImage> DecodeImage(ImageType type, const uint8_t* data, size_t size);
