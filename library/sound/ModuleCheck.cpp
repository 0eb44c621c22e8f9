#include "ModuleCheck.h"

#include <bit>
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

// The highest sample rate of an S3M or IT sample: the player's resampler spends time in
// proportion to the rate, and a rate of billions holds a refill for minutes.
constexpr uint32_t kMostSampleRate = 9999999;

// The most an XM module holds, and the bytes of an instrument header the player reads: the first
// fields, and with samples the whole header; a sample header is always 40 bytes.
constexpr uint32_t kXmMostPatterns = 256, kXmMostInstruments = 128, kXmMostSamples = 16;
constexpr uint32_t kXmInstrumentHeaderBytes = 29, kXmSampledInstrumentBytes = 243;
constexpr uint32_t kXmSampleHeaderBytes = 40;
// An XM envelope holds up to 12 points of a time and a value up to 64 (16 bits each).
constexpr uint32_t kXmMostEnvelopePoints = 12, kXmHighestEnvelopeValue = 64;
// The player's four vibrato waveforms.
constexpr uint32_t kXmVibratoTypes = 4;

bool Is(const HeaderKind& kind, const uint8_t* data, size_t size) {
  size_t length = std::strlen(kind.signature);
  return size >= kind.signatureOffset + length &&
         std::memcmp(data + kind.signatureOffset, kind.signature, length) == 0;
}

// Little-endian fields; 0 past the end.
uint32_t U8(const uint8_t* data, size_t size, uint64_t at) {
  return at < size ? data[at] : 0;
}
uint32_t U16(const uint8_t* data, size_t size, uint64_t at) {
  return at + 2 <= size ? uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 : 0;
}
uint32_t U32(const uint8_t* data, size_t size, uint64_t at) {
  return U16(data, size, at) | U16(data, size, at + 2) << 16;
}

// An XM envelope the player takes: when it is on and has points, at most 12, none above 64.
bool XmEnvelopePlayable(const uint8_t* data, size_t size, uint64_t points, uint32_t count,
                        uint32_t type) {
  if ((type & 1) == 0 || count == 0) return true;
  if (count > kXmMostEnvelopePoints) return false;
  for (uint32_t i = 0; i < count; ++i)
    if (U16(data, size, points + 4 * i + 2) > kXmHighestEnvelopeValue) return false;
  return true;
}

// The header of an XM instrument with samples, which the player reads whole: its sample headers'
// size, its two envelopes and its vibrato waveform.
bool XmSampledInstrumentPlayable(const uint8_t* data, size_t size, uint64_t at) {
  return at + kXmSampledInstrumentBytes <= size &&
         U32(data, size, at + 29) == kXmSampleHeaderBytes &&
         XmEnvelopePlayable(data, size, at + 129, U8(data, size, at + 225),
                            U8(data, size, at + 233)) &&
         XmEnvelopePlayable(data, size, at + 177, U8(data, size, at + 226),
                            U8(data, size, at + 234)) &&
         U8(data, size, at + 235) < kXmVibratoTypes;
}

// Walks the patterns, each of at least one row as the format has them, and the instruments to every
// sample header and its data. The player fails on a module whose instruments it cannot read, and
// loses the samples it has read by then: every instrument must be one it reads, lying in the file.
bool XmPlayable(const uint8_t* data, size_t size) {
  const uint32_t patterns = U16(data, size, 70), instruments = U16(data, size, 72);
  if (patterns > kXmMostPatterns || instruments > kXmMostInstruments) return false;
  uint64_t at = 60 + uint64_t{U32(data, size, 60)};
  for (uint32_t p = 0; p < patterns && at < size; ++p) {
    if (U16(data, size, at + 5) == 0) return false;
    at += U32(data, size, at) + uint64_t{U16(data, size, at + 7)};
  }
  for (uint32_t i = 0; i < instruments; ++i) {
    if (at + kXmInstrumentHeaderBytes > size) return false;
    const uint32_t samples = U16(data, size, at + 27);
    if (samples > kXmMostSamples) return false;
    if (samples > 0 && !XmSampledInstrumentPlayable(data, size, at)) return false;
    at += U32(data, size, at);
    uint64_t sampleBytes = 0;
    for (uint32_t s = 0; s < samples; ++s) {
      const uint32_t length = U32(data, size, at);
      if (length > size) return false;
      sampleBytes += length;
      at += kXmSampleHeaderBytes;
    }
    // The player keeps a sample it could not read whole: the samples must lie in the file.
    if (at + sampleBytes > size) return false;
    at += sampleBytes;
  }
  return true;
}

// Each sample header of an S3M module: its type, its length in frames, its flags (stereo, 16 bits)
// and its rate; raw samples never take more than the file. The player reads an instrument of any
// type but 0 as a sample (and fails on one without a sample's signature), not only type 1.
bool S3mSamplesFit(const uint8_t* data, size_t size) {
  const uint32_t orders = U16(data, size, 32), instruments = U16(data, size, 34);
  for (uint32_t i = 0; i < instruments; ++i) {
    const uint64_t at = uint64_t{U16(data, size, 96 + orders + 2 * uint64_t{i})} * 16;
    if (at >= size || data[at] == 0) continue;
    const uint32_t flags = U8(data, size, at + 31), length = U32(data, size, at + 16);
    const uint64_t bytes = uint64_t{length} << ((flags & 2) != 0) << ((flags & 4) != 0);
    const uint32_t rate = U32(data, size, at + 32);
    if (bytes > size || rate > kMostSampleRate) return false;
  }
  return true;
}

// An IT sample's flags: it holds data, in stereo, in 16 bits, compressed.
constexpr uint8_t kItSampleExists = 1, kItSample16Bit = 2, kItSampleStereo = 4,
                  kItSampleCompressed = 8;

// The bytes of an IT pattern entry after its channel and mask bytes: one each for a note, an
// instrument and a volume, two for an effect, as far as its mask names them.
size_t ItEntryBytes(uint8_t mask) {
  return size_t(std::popcount(unsigned(mask & 0x0F))) + ((mask & 8) != 0);
}

// The packed rows of an IT pattern. An entry starts with a channel byte (0 ends the row, channels
// count modulo 64); with bit 7 set a mask byte follows, which the channel keeps for its later
// entries, and an entry whose channel's mask is 0 holds nothing. The player notes every row with
// two entries on one channel in a file "dupentry.txt" it adds to the current folder, and ends the
// process (abort) where it cannot write there; an entry cut short by the pattern's end it completes
// from memory it never filled (past its buffer, for a pattern of nearly 64 KiB).
bool ItRowsPlayable(const uint8_t* rows, size_t length) {
  uint8_t masks[64] = {};
  uint64_t channelsInRow = 0;
  size_t at = 0;
  while (at < length) {
    const uint8_t channelByte = rows[at++];
    if (channelByte == 0) {
      channelsInRow = 0;
      continue;
    }
    const unsigned channel = (channelByte - 1u) & 63;
    if (channelByte & 0x80) {
      if (at == length) return false;
      masks[channel] = rows[at++];
    }
    if (masks[channel] == 0) continue;
    const uint64_t bit = uint64_t{1} << channel;
    if (channelsInRow & bit) return false;
    channelsInRow |= bit;
    at += ItEntryBytes(masks[channel]);
  }
  return at == length;
}

// An IT pattern stored at the offset (0 for none), whose rows are read as they are stored. A
// pattern cut short by the file's end fails to load before its rows are read.
bool ItPatternPlayable(const uint8_t* data, size_t size, uint64_t at) {
  const uint64_t rows = at + 8, length = U16(data, size, at);
  return at == 0 || rows + length > size || ItRowsPlayable(data + rows, length);
}

// Each pattern of an IT module, and each sample header: its flags, its length in frames and its
// rate. A compressed sample keeps at least one bit of each 16-bit value. The player keeps a sample
// that has data and a length of at least one frame (a stereo one counts two values a frame). It
// ends the process (exit) when it comes to read the data of a compressed stereo sample.
bool ItPlayable(const uint8_t* data, size_t size) {
  const uint32_t orders = U16(data, size, 32), instruments = U16(data, size, 34);
  const uint32_t samples = U16(data, size, 36), patterns = U16(data, size, 38);
  const uint64_t table = 192 + uint64_t{orders} + 4 * uint64_t{instruments};
  for (uint32_t i = 0; i < patterns; ++i) {
    const uint64_t at = U32(data, size, table + 4 * (uint64_t{samples} + i));
    if (!ItPatternPlayable(data, size, at)) return false;
  }
  constexpr uint8_t kCompressedStereo = kItSampleStereo | kItSampleCompressed;
  for (uint32_t i = 0; i < samples; ++i) {
    const uint64_t at = U32(data, size, table + 4 * uint64_t{i});
    const uint32_t flags = U8(data, size, at + 18), length = U32(data, size, at + 48);
    const bool kept = (flags & kItSampleExists) && (length >> ((flags & kItSampleStereo) != 0)) > 0;
    if (kept && (flags & kCompressedStereo) == kCompressedStereo) return false;
    const uint64_t bytes = uint64_t{length} << ((flags & kItSample16Bit) != 0)
                                            << ((flags & kItSampleStereo) != 0);
    if (bytes > uint64_t{size} * ((flags & kItSampleCompressed) ? 16 : 1)) return false;
    const uint32_t rate = U32(data, size, at + 60);
    if (rate > kMostSampleRate) return false;
  }
  return true;
}

}  // namespace

bool ModulePlayable(const uint8_t* data, size_t size) {
  for (const HeaderKind* kind : {&kIt, &kXm, &kS3m}) {
    if (!Is(*kind, data, size)) continue;
    if (size <= kind->tempoOffset || data[kind->tempoOffset] == 0) return false;
    if (kind == &kXm) return XmPlayable(data, size);
    return kind == &kIt ? ItPlayable(data, size) : S3mSamplesFit(data, size);
  }
  return true;
}
