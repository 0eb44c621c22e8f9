#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include "ImageDecoders.h"
#include "ImageStbCodec.h"

namespace {

constexpr uint8_t kProgressiveFrame = 0xC2;
constexpr uint8_t kDefineHuffmanTables = 0xC4;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr size_t kMostHuffmanCodes = 256;
constexpr unsigned kTableSlots = 4;

// What the decoder would meet, followed through the file's markers. The decoder of the packaged
// stb_image does not check two things itself: that a Huffman table holds at most 256 codes (it
// writes past its tables), and that a scan uses only tables defined before it (it reads tables it
// never filled).
class JpegWalk {
 public:
  JpegWalk(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  // Segments by their lengths, everything else byte by byte up to the next marker, as the decoder
  // resynchronises.
  bool Safe() {
    size_t at = 0;
    while (at < size_) {
      if (data_[at++] != 0xFF) continue;
      while (at < size_ && data_[at] == 0xFF) ++at;
      if (at >= size_) break;
      uint8_t marker = data_[at++];
      bool standalone = marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9);
      if (standalone) continue;
      if (marker == kProgressiveFrame) progressive_ = true;
      if (marker == kDefineHuffmanTables && !DefineTables(at)) return false;
      if (marker == kStartOfScan && !ScanTablesDefined(at)) return false;
      size_t length = Word(at);
      at += length < 2 ? 2 : length;
    }
    return true;
  }

 private:
  // A byte of the file, 0 beyond its end (as the decoder reads it).
  unsigned Byte(size_t at) const { return at < size_ ? data_[at] : 0; }
  unsigned Word(size_t at) const { return Byte(at) << 8 | Byte(at + 1); }

  // Each table of a DHT segment: class and slot, 16 code counts, as many values as they add up to.
  bool DefineTables(size_t at) {
    long remaining = static_cast<long>(Word(at)) - 2;
    for (at += 2; remaining > 0;) {
      unsigned tableClass = Byte(at) >> 4, slot = Byte(at) & 15;
      size_t codes = 0;
      for (size_t i = 1; i <= 16; ++i) codes += Byte(at + i);
      if (codes > kMostHuffmanCodes) return false;
      if (tableClass < 2 && slot < kTableSlots) defined_[tableClass][slot] = true;
      at += 17 + codes;
      remaining -= static_cast<long>(17 + codes);
    }
    return true;
  }

  // The tables a scan decodes with: DC and AC in a sequential picture; in a progressive one the DC
  // table for a first DC scan and the AC table for an AC scan. Slots the decoder refuses anyway are
  // left to it.
  bool ScanTablesDefined(size_t at) const {
    unsigned components = Byte(at + 2);
    size_t spectral = at + 3 + 2 * components;
    bool dcScan = Byte(spectral) == 0, firstPass = (Byte(spectral + 2) >> 4) == 0;
    bool usesDc = !progressive_ || (dcScan && firstPass), usesAc = !progressive_ || !dcScan;
    for (unsigned i = 0; i < components; ++i) {
      unsigned selectors = Byte(at + 4 + 2 * i), dc = selectors >> 4, ac = selectors & 15;
      if (usesDc && dc < kTableSlots && !defined_[0][dc]) return false;
      if (usesAc && ac < kTableSlots && !defined_[1][ac]) return false;
    }
    return true;
  }

  const uint8_t* data_;
  size_t size_;
  bool progressive_ = false;
  bool defined_[2][kTableSlots] = {};
};

bool SafeToDecode(const uint8_t* data, size_t size) {
  return JpegWalk(data, size).Safe();
}

// A JPEG picture never carries alpha.
bool DeclaresAlpha(const uint8_t*, size_t) {
  return false;
}

}  // namespace

const ImageCodec kJpegCodec = {SafeToDecode, ReadSize, DeclaresAlpha, DecodeRgba};
