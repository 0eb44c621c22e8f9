// Sound files made in the tests: WAV images, Ogg Vorbis encoded here, and a MOD built byte by
// byte. Header only, so that the benchmark can make the same files.
#pragma once

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace sound_fixtures {

inline void PutU16(std::string& bytes, uint16_t value) {
  bytes.push_back(char(value & 0xff));
  bytes.push_back(char(value >> 8));
}

inline void PutU32(std::string& bytes, uint32_t value) {
  PutU16(bytes, uint16_t(value & 0xffff));
  PutU16(bytes, uint16_t(value >> 16));
}

inline std::string Chunk(const char* tag, const std::string& payload) {
  std::string chunk(tag, 4);
  PutU32(chunk, uint32_t(payload.size()));
  return chunk + payload;
}

inline std::string FormatPayload(uint16_t channels, uint16_t bits, uint32_t rate) {
  std::string payload;
  PutU16(payload, 1);
  PutU16(payload, channels);
  PutU32(payload, rate);
  PutU32(payload, rate * channels * bits / 8);
  PutU16(payload, uint16_t(channels * bits / 8));
  PutU16(payload, bits);
  return payload;
}

inline std::string Samples16(const std::vector<int16_t>& samples) {
  std::string bytes;
  for (int16_t sample : samples) PutU16(bytes, uint16_t(sample));
  return bytes;
}

// A RIFF WAVE image holding the chunks in the order given.
inline std::string Riff(const std::vector<std::string>& chunks) {
  std::string body = "WAVE";
  for (const std::string& chunk : chunks) body += chunk;
  return Chunk("RIFF", body);
}

inline std::string Wav16(uint16_t channels, uint32_t rate, const std::vector<int16_t>& samples) {
  return Riff(
      {Chunk("fmt ", FormatPayload(channels, 16, rate)), Chunk("data", Samples16(samples))});
}

// Ogg Vorbis of `frames` frames of a sine wave per channel (a different pitch on each side).
inline std::string EncodeOgg(int channels, long rate, long frames, float amplitude = 0.5f) {
  vorbis_info info;
  vorbis_info_init(&info);
  std::string out;
  if (vorbis_encode_init_vbr(&info, channels, rate, 0.3f) != 0) return out;
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1);
  ogg_page page;
  auto appendPage = [&] {
    out.append(reinterpret_cast<const char*>(page.header), size_t(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), size_t(page.body_len));
  };
  ogg_packet header, commentPacket, codebooks;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentPacket, &codebooks);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentPacket);
  ogg_stream_packetin(&stream, &codebooks);
  while (ogg_stream_flush(&stream, &page) != 0) appendPage();

  const long chunk = 4096;
  for (long done = 0;; done += chunk) {
    const long count = std::max(0L, std::min(chunk, frames - done));
    if (count > 0) {
      float** buffers = vorbis_analysis_buffer(&dsp, int(count));
      for (int c = 0; c < channels; ++c) {
        for (long i = 0; i < count; ++i) {
          buffers[c][i] = amplitude * std::sin(float(done + i) * 0.05f * float(c + 1));
        }
      }
    }
    vorbis_analysis_wrote(&dsp, int(count));  // 0 marks the end
    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) appendPage();
      }
    }
    if (count <= 0) break;
  }
  while (ogg_stream_flush(&stream, &page) != 0) appendPage();
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

// A four-channel MOD ("M.K.") with one looped square-wave sample and one pattern: a note on
// channel 1 at row 0 with speed 6, and a pattern break after `rows` rows, so that the song lasts
// rows x 6 ticks of 20 ms and then loops.
inline std::string MakeMod(int rows) {
  std::string mod(20, '\0');
  std::memcpy(mod.data(), "tundrel test", 12);
  const int sampleWords = 16;
  for (int s = 0; s < 31; ++s) {
    std::string record(22, '\0');
    if (s == 0) {
      record.push_back(char(sampleWords >> 8));
      record.push_back(char(sampleWords & 0xff));
      record.push_back(0);               // finetune
      record.push_back(64);              // volume
      record += std::string("\0\0", 2);  // loop start
      record.push_back(char(sampleWords >> 8));
      record.push_back(char(sampleWords & 0xff));
    } else {
      record += std::string("\0\0\0\0\0\0\0\1", 8);
    }
    mod += record;
  }
  mod.push_back(1);    // song length
  mod.push_back(127);  // restart
  mod += std::string(128, '\0');
  mod += "M.K.";
  std::string pattern(64 * 4 * 4, '\0');
  auto cell = [&](int row, int channel) { return &pattern[size_t((row * 4 + channel) * 4)]; };
  const int period = 214;  // C-3
  char* note = cell(0, 0);
  note[0] = char((1 & 0xf0) | (period >> 8));
  note[1] = char(period & 0xff);
  note[2] = char(((1 & 0x0f) << 4) | 0x0F);
  note[3] = 6;
  char* end = cell(rows - 1, 1);
  end[2] = 0x0D;
  mod += pattern;
  for (int i = 0; i < sampleWords * 2; ++i) mod.push_back(char(i < sampleWords ? 100 : -100));
  return mod;
}

}  // namespace sound_fixtures
