// Samples from WAV files and images, and the WAV scanner.
#include <algorithm>
#include <cstring>

#include "KSound.h"
#include "platform/files.h"

namespace {

bool TagAt(const uint8_t* data, int position, const char* tag) {
  return std::memcmp(data + position, tag, 4) == 0;
}

uint32_t U32At(const uint8_t* data, int position) {
  return uint32_t(data[position]) | uint32_t(data[position + 1]) << 8 |
         uint32_t(data[position + 2]) << 16 | uint32_t(data[position + 3]) << 24;
}

// The fields of a PCM format record, without the extension size.
constexpr int kPcmFormatBytes = 16;

}  // namespace

// Ends whatever the object held and starts a new sound of the given kind.
void KSound::Reset(bool isStream) {
  _isStream = isStream;
  _nextCopy = 0;
  StopThread();
  UnloadModule();
  FreeBuffers();
  _format = nullptr;
  if (isStream) _copies = 1;
}

bool KSound::LoadSample(const char* filename, int volume, bool loop, short copies) {
  Reset(false);
  _playFlags = loop ? DSBPLAY_LOOPING : 0;
  _volume = volume;
  _copies = std::clamp<short>(copies, 1, 9);
  _ready = true;
  if (!filename) return false;
  if (std::strstr(filename, ".ogg")) return LoadOggSample(filename);
  if (ReadFileToMemory(filename) <= 0) return false;
  if (ParseWav(_memData, int(_memSize)) <= 0) {
    platform::NoteLoadFailure("not a WAV sound");
    FreeBuffers();
    return false;
  }
  return FillCopies();
}

bool KSound::LoadSampleFromMemory(const void* data, int size, int format, int volume, bool loop,
                                  short copies) {
  if (!data || size <= 0 || format > 1) return false;
  Reset(false);
  _playFlags = loop ? DSBPLAY_LOOPING : 0;
  _volume = volume;
  _copies = std::clamp<short>(copies, 1, 9);
  _ready = true;
  if (format == 1) return LoadOggSampleFromMemory(data, size);
  if (ParseWav(static_cast<const uint8_t*>(data), size) <= 0) return false;
  return FillCopies();
}

// Scans the image for the first "fmt " payload and the first "data" chunk, which may lie
// anywhere. The format record is copied; the PCM is cut to the bytes the image holds.
int KSound::ParseWav(const uint8_t* data, int size) {
  _format = nullptr;
  _pcm = nullptr;
  _pcmBytes = 0;
  if (!data || size <= 5) return -1;
  for (int p = 0; p + 8 <= size; ++p) {
    if (!_format && TagAt(data, p, "fmt ") && size - (p + 8) >= kPcmFormatBytes) {
      sampleFormat_ = WAVEFORMATEX{};
      std::memcpy(&sampleFormat_, data + p + 8, kPcmFormatBytes);
      _format = &sampleFormat_;
    }
    if (TagAt(data, p, "data")) {
      const uint32_t length = U32At(data, p + 4);
      if (length & 0x80000000u) return -1;
      _pcm = data + p + 8;
      _pcmBytes = std::min<uint32_t>(length, uint32_t(size - (p + 8)));
      return int(_pcmBytes);
    }
  }
  return -1;
}
