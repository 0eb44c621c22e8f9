// The smallest tracker modules of the three formats beside MOD, built byte by byte: one looped
// 32-byte sample, one short pattern with a note on the first channel, one order. Each header's
// initial tempo lies at its k...TempoOffset (for XM, the low byte of its two).
#pragma once

#include <cstdint>
#include <string>

#include "sound_fixtures.h"

namespace module_fixtures {

using sound_fixtures::PutU16;
using sound_fixtures::PutU32;

// Text padded with zeros (or cut) to a field of the given size.
inline std::string Field(const std::string& text, size_t size) {
  std::string field = text.substr(0, size);
  field.resize(size, '\0');
  return field;
}

inline void PadTo(std::string& bytes, size_t alignment) {
  bytes.resize((bytes.size() + alignment - 1) / alignment * alignment, '\0');
}

// A square wave of 32 samples, 8-bit; unsigned when asked.
inline std::string SquareWave(bool isUnsigned) {
  std::string wave;
  for (int i = 0; i < 32; ++i) wave.push_back(char((i < 16 ? 64 : -64) + (isUnsigned ? 128 : 0)));
  return wave;
}

constexpr size_t kS3mTempoOffset = 50, kXmTempoOffset = 78, kItTempoOffset = 51;
// The XM module's instrument count, and each module's one sample's length.
constexpr size_t kXmInstrumentsOffset = 72, kXmSampleLengthOffset = 642;
constexpr size_t kS3mSampleLengthOffset = 128, kItSampleLengthOffset = 250;
constexpr size_t kS3mSampleRateOffset = 144, kItSampleRateOffset = 262;
// The XM module's instrument with its sample header and data, and fields of an XM instrument from
// its start: its sample headers' size, its volume and panning envelopes' first value, point count
// and type, and its vibrato waveform.
constexpr size_t kXmInstrumentBytes = 263 + 40 + 32;
constexpr size_t kXmSampleHeaderSizeOffset = 29, kXmVibratoOffset = 235;
constexpr size_t kXmVolumeValueOffset = 131, kXmVolumePointsOffset = 225, kXmVolumeTypeOffset = 233;
constexpr size_t kXmPanValueOffset = 179, kXmPanPointsOffset = 226, kXmPanTypeOffset = 234;
// The S3M module's one instrument's type (1, a sample), and the XM sample's relative note.
constexpr size_t kS3mInstrumentTypeOffset = 112, kXmRelativeNoteOffset = 658;
// The note each module plays on its first row.
constexpr size_t kS3mNoteOffset = 195, kXmNoteOffset = 346, kItNoteOffset = 292;
// The row count of the IT and XM modules' one pattern.
constexpr size_t kItPatternRowsOffset = 284, kXmPatternRowsOffset = 341;
// The IT module's flags and initial speed.
constexpr size_t kItFlagsOffset = 44, kItSpeedOffset = 50;
// The IT module's sample flags, and its pattern's stored length and packed rows, which have room
// for kItPatternRoom bytes.
constexpr size_t kItSampleFlagsOffset = 220, kItPatternLengthOffset = 282;
constexpr size_t kItPatternDataOffset = 290, kItPatternRoom = 20;

inline std::string MakeS3m() {
  std::string s3m = Field("tundrel seed", 28);
  s3m += "\x1A\x10";
  PutU16(s3m, 0);
  for (uint16_t value : {2, 1, 1, 0, 0x1320, 2}) PutU16(s3m, value);  // orders .. file format
  s3m += "SCRM";
  s3m += std::string("\x40\x06\x7D\xB0\x00\x00", 6);  // volumes, speed, tempo, pan flag
  s3m += std::string(10, '\0');
  s3m += std::string("\x00\x08", 2) + std::string(30, '\xFF');  // channels: left 1, right 1
  s3m += std::string("\x00\xFF", 2);                            // orders
  const uint16_t instrument = 112 / 16, pattern = 192 / 16, sample = 272 / 16;
  PutU16(s3m, instrument);
  PutU16(s3m, pattern);
  PadTo(s3m, 16);
  s3m += '\x01' + Field("square", 12);
  s3m += '\0';
  PutU16(s3m, sample);
  for (uint32_t value : {32u, 0u, 32u}) PutU32(s3m, value);  // length, loop
  s3m += std::string("\x40\x00\x00\x01", 4);                 // volume, pack, looped
  PutU32(s3m, 8363);
  s3m += std::string(12, '\0') + Field("square", 28) + "SCRS";
  std::string rows = std::string("\x20\x40\x01\x00", 4) + std::string(63, '\0');
  PutU16(s3m, uint16_t(rows.size() + 2));
  s3m += rows;
  PadTo(s3m, 16);
  return s3m + SquareWave(true);
}

inline std::string MakeXm() {
  std::string xm = "Extended Module: " + Field("tundrel seed", 20) + '\x1A' + Field("seed", 20);
  PutU16(xm, 0x0104);
  PutU32(xm, 276);
  for (uint16_t value : {1, 0, 2, 1, 1, 1, 6, 125}) PutU16(xm, value);  // length .. bpm
  xm += std::string(256, '\0');                                         // orders
  std::string rows = std::string("\x83\x31\x01\x80", 4);                // C-4 with sample 1
  for (int row = 1; row < 16; ++row) rows += "\x80\x80";
  PutU32(xm, 9);
  xm += '\0';
  PutU16(xm, 16);
  PutU16(xm, uint16_t(rows.size()));
  xm += rows;
  std::string instrument;
  PutU32(instrument, 263);
  instrument += Field("square", 22) + '\0';
  PutU16(instrument, 1);
  PutU32(instrument, 40);
  instrument.resize(263, '\0');
  xm += instrument;
  for (uint32_t value : {32u, 0u, 32u}) PutU32(xm, value);  // length, loop
  xm += std::string("\x40\x00\x01\x80\x00\x00", 6) + Field("square", 22);
  // Sample data as differences from the previous sample.
  std::string wave = SquareWave(false);
  char previous = 0;
  for (char& value : wave) {
    char difference = char(value - previous);
    previous = value;
    value = difference;
  }
  return xm + wave;
}

inline std::string MakeIt() {
  std::string it = "IMPM" + Field("tundrel seed", 26);
  for (uint16_t value : {0x1004, 2, 0, 1, 1, 0x0214, 0x0200, 1, 0}) PutU16(it, value);
  it += std::string("\x80\x30\x06\x7D\x80\x00", 6);  // volumes, speed, tempo, separation
  PutU16(it, 0);
  PutU32(it, 0);
  PutU32(it, 0);
  it += std::string(2, '\x20') + std::string(62, '\xA0');  // two channels on, the rest off
  it += std::string(64, '\x40');
  it += std::string("\x00\xFF", 2);
  const uint32_t sample = 202, pattern = 282, data = 310;
  PutU32(it, sample);
  PutU32(it, pattern);
  it += "IMPS" + Field("square", 12) + std::string("\x00\x40\x11\x40", 4) + Field("square", 26);
  it += std::string("\x01\x20", 2);
  for (uint32_t value : {32u, 0u, 32u, 8363u, 0u, 0u, data, 0u}) PutU32(it, value);
  std::string rows = std::string("\x81\x03\x3C\x01\x00", 5) + std::string(15, '\0');
  PutU16(it, uint16_t(rows.size()));
  PutU16(it, 16);
  PutU32(it, 0);
  return it + rows + SquareWave(false);
}

}  // namespace module_fixtures
