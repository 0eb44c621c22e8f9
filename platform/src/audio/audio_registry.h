// The mixers of the live devices, for the test seams that reach every buffer.
#pragma once

#include <memory>

#include "audio/mixer.h"
#include "platform/directsound.h"

namespace platform::audio {

AudioOutput ChosenOutput();
// Makes the mixer known to the seams; with a manual output it becomes the one Mix pulls.
void RegisterMixer(const std::shared_ptr<Mixer>& mixer, AudioOutput output);
void CountUnlock();

}  // namespace platform::audio
