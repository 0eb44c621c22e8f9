#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include "KImageDecoders.h"
#include "KImageStbCodec.h"

namespace {

constexpr uint8_t kDefineHuffmanTables = 0xC4;
constexpr size_t kMostHuffmanCodes = 256;

// A byte of the file, 0 beyond its end (as the decoder reads it).
uint8_t ByteAt(const uint8_t* data, size_t size, size_t at) {
  return at < size ? data[at] : 0;
}

// The tables of one DHT segment (at points after its marker), read as the decoder reads them:
// each table has a class and number byte, 16 code counts and as many values as the counts add up
// to. The decoder keeps room for 256 codes a table and does not check the sum itself.
bool HuffmanTablesFit(const uint8_t* data, size_t size, size_t at) {
  long remaining = (ByteAt(data, size, at) << 8 | ByteAt(data, size, at + 1)) - 2;
  at += 2;
  while (remaining > 0) {
    size_t codes = 0;
    for (size_t i = 1; i <= 16; ++i) codes += ByteAt(data, size, at + i);
    if (codes > kMostHuffmanCodes) return false;
    at += 17 + codes;
    remaining -= static_cast<long>(17 + codes);
  }
  return true;
}

// Walks the file's markers (segments by their lengths, everything else byte by byte up to the
// next marker, as the decoder resynchronises) and checks every Huffman table definition.
bool SafeToDecode(const uint8_t* data, size_t size) {
  size_t at = 0;
  while (at < size) {
    if (data[at++] != 0xFF) continue;
    while (at < size && data[at] == 0xFF) ++at;
    if (at >= size) break;
    uint8_t marker = data[at++];
    bool standalone = marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9);
    if (standalone) continue;
    if (marker == kDefineHuffmanTables && !HuffmanTablesFit(data, size, at)) return false;
    size_t length = ByteAt(data, size, at) << 8 | ByteAt(data, size, at + 1);
    at += length < 2 ? 2 : length;
  }
  return true;
}

// A JPEG picture never carries alpha.
bool DeclaresAlpha(const uint8_t*, size_t) {
  return false;
}

}  // namespace

const KImageCodec g_jpegCodec = {SafeToDecode, ReadSize, DeclaresAlpha, DecodeRgba};
