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
  if (ReadFileToMemory(filename) <= 0) return false;
  OggVorbis_File decoder;
  uint8_t* block = nullptr;
  // Opened directly rather than as a stream: a file that is no Ogg Vorbis shows no box here.
  if (ov_open_callbacks(this, &decoder, nullptr, 0, g_oggMemoryCallbacks) == 0) {
    block = DecodeOggSample(decoder);
    ov_clear(&decoder);
  }
  if (!block) platform::NoteLoadFailure("not an Ogg Vorbis sound");
  return KeepDecodedSample(block);
}

bool KSound::LoadOggSampleFromMemory(const void* data, int size) {
  Reset(false);
  if (CopyToMemoryFile(data, size) <= 0) return false;
  if (!OpenOggStream()) return false;
  return KeepDecodedSample(DecodeOggSample(_vorbisFile));
}

// The decoded PCM replaces the image it came from.
bool KSound::KeepDecodedSample(uint8_t* block) {
  const uint32_t pcmBytes = _pcmBytes;
  FreeBuffers();
  if (!block) return false;
  _memData = block;
  _pcmBytes = pcmBytes;
  _pcm = block;
  return FillCopies();
}
