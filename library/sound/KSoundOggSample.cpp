// Samples decoded whole from Ogg Vorbis files and images.
#include <cstdlib>

#include "KSound.h"
#include "SoundDecoding.h"
#include "platform/files.h"

// Decodes the whole stream into a new block: null when it holds no PCM, or more than a buffer can.
uint8_t* KSound::DecodeOggSample(OggVorbis_File& decoder) {
  const vorbis_info* info = ov_info(&decoder, -1);
  if (!info) return nullptr;
  const long total = CountVorbisBytes(decoder, long(DSBSIZE_MAX));
  if (total <= 0 || ov_time_seek(&decoder, 0.0) != 0) return nullptr;
  auto* block = static_cast<uint8_t*>(std::calloc(size_t(total), 1));
  if (!block) return nullptr;
  if (DecodeVorbis(decoder, reinterpret_cast<char*>(block), total) <= 0) {
    std::free(block);
    return nullptr;
  }
  sampleFormat_ = PcmFormat(WORD(info->channels), DWORD(info->rate));
  _format = &sampleFormat_;
  _pcmBytes = uint32_t(total);
  return block;
}

bool KSound::LoadOggSample(const char* filename) {
  Reset(false);
  OggVorbis_File decoder;
  if (!filename || ov_fopen(platform::NativePath(filename).c_str(), &decoder) != 0) return false;
  uint8_t* block = DecodeOggSample(decoder);
  ov_clear(&decoder);
  if (!block) return false;
  _memData = block;
  _pcm = block;
  return FillCopies();
}

bool KSound::LoadOggSampleFromMemory(const void* data, int size) {
  Reset(false);
  if (CopyToMemoryFile(data, size) <= 0) return false;
  if (!OpenOggStream()) return false;
  uint8_t* block = DecodeOggSample(_vorbisFile);
  const uint32_t pcmBytes = _pcmBytes;
  // The decoded PCM replaces the image it came from.
  FreeBuffers();
  if (!block) return false;
  _memData = block;
  _pcmBytes = pcmBytes;
  _pcm = block;
  return FillCopies();
}
