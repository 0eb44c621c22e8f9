// Where a device's mixed sound goes. An output pulls from the mixer on a thread of its own until
// it is destroyed.
#pragma once

#include <memory>

#include "audio/mixer.h"

namespace platform::audio {

class OutputStream {
 public:
  virtual ~OutputStream() = default;
};

// The system's audio device through SDL; null when there is none.
std::unique_ptr<OutputStream> OpenDeviceOutput(std::shared_ptr<Mixer> mixer);
// Mixes in real time and throws the result away, so buffers play, end and notify as usual.
std::unique_ptr<OutputStream> OpenSilentOutput(std::shared_ptr<Mixer> mixer);

}  // namespace platform::audio
