// Fuzz target for WAV samples: the input is loaded through the sound class as an image in memory
// and as a file, played, and mixed.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "sound_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PrepareSoundFuzzing();
  if (size == 0 || size > (1 << 20)) return 0;
  const bool loop = data[0] & 1;
  {
    // The image must outlive the sample, which plays from where it lies.
    KSound image;
    if (image.LoadSampleFromMemory(data, int(size), 0, 100, loop, 2)) {
      image.PlaySample();
      image.PlaySample();
      platform::Mix(1024);
    }
  }
  KSound file;
  if (file.LoadSample(InputAsFile(data, size).c_str(), 100, loop, 1)) {
    file.PlaySample();
    platform::Mix(1024);
  }
  platform::TakeMessageBoxes();
  return 0;
}
