#include "audio_files.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace {

class BinaryFile {
 public:
  explicit BinaryFile(const std::string& path) : path_(path), stream_(path, std::ios::binary) {
    if (!stream_) throw std::runtime_error("cannot write " + path);
  }
  void Close() {
    stream_.close();
    if (!stream_) throw std::runtime_error("cannot write " + path_);
  }

  void Bytes(const void* data, size_t size) {
    stream_.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  void Text(const char* fourCharacters) { Bytes(fourCharacters, 4); }
  void U16(uint16_t value) {
    const uint8_t bytes[] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    Bytes(bytes, 2);
  }
  void U32(uint32_t value) {
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
  }

 private:
  std::string path_;
  std::ofstream stream_;
};

int16_t ToPcm16(float sample) {
  return static_cast<int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

}  // namespace

void WriteWav(const std::string& path, const Samples& samples) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  BinaryFile file(path);
  file.Text("RIFF");
  file.U32(4 + 8 + 16 + 8 + dataBytes);
  file.Text("WAVE");
  file.Text("fmt ");
  file.U32(16);
  file.U16(1);  // PCM
  file.U16(1);  // mono
  file.U32(kSampleRate);
  file.U32(kSampleRate * 2);
  file.U16(2);   // bytes per frame
  file.U16(16);  // bits per sample
  file.Text("data");
  file.U32(dataBytes);
  for (float sample : samples) file.U16(static_cast<uint16_t>(ToPcm16(sample)));
  file.Close();
}

void WriteOggVorbis(const std::string& path, const Samples& samples) {
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 1, kSampleRate, 0.5f) != 0) {
    vorbis_info_clear(&info);
    throw std::runtime_error("the Vorbis encoder cannot start");
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 0x54444e31);  // a fixed serial number keeps the file the same every run

  BinaryFile file(path);
  ogg_page page;
  auto writePage = [&] {
    file.Bytes(page.header, page.header_len);
    file.Bytes(page.body, page.body_len);
  };

  ogg_packet identification, comments, codebooks;
  vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
  ogg_stream_packetin(&stream, &identification);
  ogg_stream_packetin(&stream, &comments);
  ogg_stream_packetin(&stream, &codebooks);
  while (ogg_stream_flush(&stream, &page) != 0) writePage();

  auto encodeReadyBlocks = [&] {
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) writePage();
      }
    }
  };
  const size_t chunk = 1024;
  for (size_t offset = 0; offset < samples.size(); offset += chunk) {
    size_t count = std::min(chunk, samples.size() - offset);
    float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
    std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(offset), count, buffer[0]);
    vorbis_analysis_wrote(&dsp, static_cast<int>(count));
    encodeReadyBlocks();
  }
  vorbis_analysis_wrote(&dsp, 0);  // the end of the stream
  encodeReadyBlocks();
  while (ogg_stream_flush(&stream, &page) != 0) writePage();

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  file.Close();
}
