// A small deterministic random generator, so that every run of the generator writes the same bytes.
#pragma once

#include <cstdint>

class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed) {}

  uint32_t Next() {
    // xorshift32: fast, and the same on every platform.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // Uniform in [low, high).
  float Uniform(float low, float high) {
    return low + (high - low) * static_cast<float>(Next() >> 8) / 16777216.0f;
  }

 private:
  uint32_t state_;
};
