#include "SoundDecoding.h"

#include <algorithm>
#include <vector>

namespace {

constexpr long kReadBlock = 65536;

}  // namespace

WAVEFORMATEX PcmFormat(WORD channels, DWORD rate) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = channels;
  format.nSamplesPerSec = rate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = WORD(channels * 2);
  format.nAvgBytesPerSec = rate * channels * 2;
  return format;
}

long DecodeVorbis(OggVorbis_File& decoder, char* destination, long capacity) {
  long total = 0;
  int holes = 0;
  int bitstream = 0;
  while (total < capacity) {
    const long got = ov_read(&decoder, destination + total,
                             int(std::min(capacity - total, kReadBlock)), 0, 2, 1, &bitstream);
    if (got == OV_HOLE && ++holes < kMostVorbisHoles) continue;
    if (got <= 0) return total > 0 ? total : got;
    total += got;
  }
  return total;
}

long CountVorbisBytes(OggVorbis_File& decoder, long limit) {
  std::vector<char> scratch(kReadBlock);
  long total = 0;
  for (;;) {
    const long got = DecodeVorbis(decoder, scratch.data(), kReadBlock);
    if (got < 0) return -1;
    if (got == 0) return total;
    total += got;
    if (total > limit) return -1;
  }
}
