// Fuzz target for tracker modules: the input is loaded as a module file (tried as IT, XM, S3M and
// MOD in turn), played, and its first buffer halves rendered and mixed.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "sound_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PrepareSoundFuzzing();
  if (size > (1 << 20)) return 0;
  KSound module;
  if (module.LoadModule(InputAsFile(data, size).c_str())) {
    module.PlayLooping();
    MixAndPoll(module, true);
  }
  platform::TakeMessageBoxes();
  return 0;
}
