// The software mixer: sums every playing voice, resampled to the output rate, with its volume
// and pan, into 16-bit stereo. One short lock per block; no allocation while mixing.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "audio/voice.h"

namespace platform::audio {

class Mixer {
 public:
  static constexpr uint32_t kBlockFrames = 1024;

  explicit Mixer(uint32_t outputRate) : outputRate_(outputRate) {}
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  uint32_t OutputRate() const { return outputRate_; }
  // Guards every voice's state; held only for short updates and one block of mixing.
  std::mutex& Lock() { return lock_; }

  void Add(Voice* voice);
  void Remove(Voice* voice);
  // Interleaved left, right.
  void Render(int16_t* output, uint32_t frames);

  template <typename Visit>
  void ForEachVoice(Visit visit) {
    std::lock_guard<std::mutex> hold(lock_);
    for (Voice* voice : voices_) visit(*voice);
  }

 private:
  void MixBlock(int16_t* output, uint32_t frames);

  const uint32_t outputRate_;
  std::mutex lock_;
  std::vector<Voice*> voices_;
  std::array<int32_t, 2 * kBlockFrames> accumulator_{};
};

}  // namespace platform::audio
