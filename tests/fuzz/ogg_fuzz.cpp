// Fuzz target for Ogg Vorbis: the input is loaded from memory as a sample (decoded whole) and as a
// stream (decoded half a buffer at a time while it plays), and both are played and mixed.
#include <cstddef>
#include <cstdint>

#include "sound_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PrepareSoundFuzzing();
  if (size == 0 || size > (1 << 20)) return 0;
  {
    KSound sample;
    if (sample.LoadSampleFromMemory(data, int(size), 1, 100, false, 1)) {
      sample.PlaySample();
      platform::Mix(1024);
    }
  }
  KSound stream;
  if (stream.LoadStreamFromMemory(data, int(size))) {
    stream.PlayLooping();
    MixAndPoll(stream, false);
  }
  platform::TakeMessageBoxes();
  return 0;
}
