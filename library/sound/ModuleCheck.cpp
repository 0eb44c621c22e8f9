#include "ModuleCheck.h"

#include <cstring>
#include <initializer_list>

namespace {

struct HeaderKind {
  size_t signatureOffset;
  const char* signature;
  // The initial tempo's byte; the player reads only the low byte of a wider field.
  size_t tempoOffset;
};

constexpr HeaderKind kIt = {0, "IMPM", 51};
constexpr HeaderKind kXm = {0, "Extended Module: ", 78};
constexpr HeaderKind kS3m = {44, "SCRM", 50};

// The most an XM module holds, and the fields of a sample header the player reads.
constexpr uint32_t kXmMostPatterns = 256, kXmMostInstruments = 128, kXmMostSamples = 16;
constexpr uint32_t kXmSampleHeaderBytes = 40;

bool Is(const HeaderKind& kind, const uint8_t* data, size_t size) {
  size_t length = std::strlen(kind.signature);
  return size >= kind.signatureOffset + length &&
         std::memcmp(data + kind.signatureOffset, kind.signature, length) == 0;
}

// Little-endian fields; 0 past the end.
uint32_t U16(const uint8_t* data, size_t size, uint64_t at) {
  return at + 2 <= size ? uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 : 0;
}
uint32_t U32(const uint8_t* data, size_t size, uint64_t at) {
  return U16(data, size, at) | U16(data, size, at + 2) << 16;
}

// Walks the patterns and instruments to every sample header. A module cut short is left to the
// player, which stops reading there.
bool XmSamplesFit(const uint8_t* data, size_t size) {
  const uint32_t patterns = U16(data, size, 70), instruments = U16(data, size, 72);
  if (patterns > kXmMostPatterns || instruments > kXmMostInstruments) return false;
  uint64_t at = 60 + uint64_t{U32(data, size, 60)};
  for (uint32_t p = 0; p < patterns && at < size; ++p) {
    at += U32(data, size, at) + uint64_t{U16(data, size, at + 7)};
  }
  for (uint32_t i = 0; i < instruments && at < size; ++i) {
    const uint32_t samples = U16(data, size, at + 27);
    if (samples > kXmMostSamples) return false;
    const uint32_t stride = samples > 0 ? U32(data, size, at + 29) : 0;
    at += U32(data, size, at);
    uint64_t sampleBytes = 0;
    for (uint32_t s = 0; s < samples; ++s) {
      const uint32_t length = U32(data, size, at);
      if (length > size) return false;
      sampleBytes += length;
      at += stride > kXmSampleHeaderBytes ? stride : kXmSampleHeaderBytes;
    }
    at += sampleBytes;
  }
  return true;
}

}  // namespace

bool ModulePlayable(const uint8_t* data, size_t size) {
  for (const HeaderKind* kind : {&kIt, &kXm, &kS3m}) {
    if (!Is(*kind, data, size)) continue;
    if (size <= kind->tempoOffset || data[kind->tempoOffset] == 0) return false;
    return kind != &kXm || XmSamplesFit(data, size);
  }
  return true;
}
