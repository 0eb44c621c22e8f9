#include "sounds.h"

#include <algorithm>
#include <cmath>

#include "random.h"

namespace {

constexpr float kTwoPi = 6.2831853f;

Samples Silence(float seconds) {
  return Samples(static_cast<size_t>(seconds * kSampleRate), 0.0f);
}

float Time(size_t i) {
  return static_cast<float>(i) / kSampleRate;
}

// A quick rise and an exponential fall.
float Strike(float t, float attack, float decay) {
  if (t < 0) return 0;
  return (1 - std::exp(-t / attack)) * std::exp(-t / decay);
}

// A bell-like tone: inharmonic partials that die away faster the higher they are.
void AddBell(Samples& out, float start, float frequency, float amplitude, float decay) {
  const float ratios[] = {1.0f, 2.0f, 2.76f, 5.4f};
  const float weights[] = {1.0f, 0.3f, 0.35f, 0.12f};
  for (size_t i = static_cast<size_t>(start * kSampleRate); i < out.size(); ++i) {
    float t = Time(i) - start;
    float value = 0;
    for (int p = 0; p < 4; ++p) {
      value += weights[p] * std::sin(kTwoPi * frequency * ratios[p] * t) *
               Strike(t, 0.002f, decay / (1 + p * 0.8f));
    }
    out[i] += amplitude * value;
  }
}

// Scales to the given peak and fades the last milliseconds to silence, so nothing clicks.
Samples Finish(Samples samples, float peak) {
  float loudest = 0;
  for (float s : samples) loudest = std::max(loudest, std::abs(s));
  if (loudest > 0) {
    for (float& s : samples) s *= peak / loudest;
  }
  size_t fade = std::min(samples.size(), static_cast<size_t>(0.006f * kSampleRate));
  for (size_t i = 0; i < fade; ++i) {
    samples[samples.size() - 1 - i] *= static_cast<float>(i) / fade;
  }
  return samples;
}

// A one-pole low-pass filter whose cutoff follows a function of time.
template <typename Cutoff>
void LowPass(Samples& samples, Cutoff cutoff) {
  float state = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    float k = 1 - std::exp(-kTwoPi * cutoff(Time(i)) / kSampleRate);
    state += k * (samples[i] - state);
    samples[i] = state;
  }
}

}  // namespace

Samples SynthesiseBallOnPaddle() {
  Samples out = Silence(0.065f);
  float phase = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    float t = Time(i);
    phase += kTwoPi * (560 - 1500 * t) / kSampleRate;
    float tone = std::sin(phase) + 0.3f * std::sin(2.02f * phase) + 0.12f * std::sin(3.9f * phase);
    out[i] = tone * Strike(t, 0.0012f, 0.013f);
  }
  return Finish(out, 0.7f);
}

Samples SynthesiseBallOnObject() {
  Samples out = Silence(0.4f);
  AddBell(out, 0.0f, 1318.5f, 1.0f, 0.11f);
  AddBell(out, 0.0f, 1975.5f, 0.35f, 0.07f);
  return Finish(out, 0.55f);
}

Samples SynthesiseGiftCaught() {
  Samples out = Silence(1.1f);
  const float notes[] = {1046.5f, 1318.5f, 1568.0f, 2093.0f};
  for (int n = 0; n < 4; ++n) AddBell(out, n * 0.075f, notes[n], n == 3 ? 1.0f : 0.8f, 0.32f);
  // Sleigh bells: bright noise bursts that shake a few times.
  Random random(11);
  Samples bells = Silence(1.1f);
  for (size_t i = 0; i < bells.size(); ++i) {
    float t = Time(i);
    float shake = std::fmod(t, 0.055f);
    float amount = t < 0.45f ? Strike(shake, 0.001f, 0.012f) * (1 - t / 0.45f) : 0;
    bells[i] = random.Uniform(-1, 1) * amount;
  }
  Samples low = bells;
  LowPass(low, [](float) { return 5000.0f; });
  for (size_t i = 0; i < out.size(); ++i) out[i] += 0.35f * (bells[i] - low[i]);
  return Finish(out, 0.75f);
}

Samples SynthesiseSnowballCaught() {
  Samples out = Silence(0.32f);
  Random random(23);
  float grain = 1;
  for (size_t i = 0; i < out.size(); ++i) {
    float t = Time(i);
    // Crunch: the noise comes in grains of changing strength, like packed snow giving way.
    if (i % 400 == 0) grain = random.Uniform(0.3f, 1.0f);
    out[i] = random.Uniform(-1, 1) * grain * Strike(t, 0.004f, 0.07f);
  }
  LowPass(out, [](float t) { return 2400.0f * std::exp(-t / 0.12f) + 300.0f; });
  for (size_t i = 0; i < out.size(); ++i) {
    float t = Time(i);
    out[i] += 0.6f * std::sin(kTwoPi * (95 - 60 * t) * t) * Strike(t, 0.003f, 0.05f);
  }
  return Finish(out, 0.7f);
}

Samples SynthesiseChimneyCaught() {
  Samples out = Silence(0.5f);
  Random random(31);
  Samples rubble = Silence(0.5f);
  for (size_t i = 0; i < rubble.size(); ++i) {
    rubble[i] = random.Uniform(-1, 1) * Strike(Time(i), 0.002f, 0.06f);
  }
  LowPass(rubble, [](float) { return 900.0f; });
  float thud = 0, groan = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    float t = Time(i);
    thud += kTwoPi * (110 - 80 * t) / kSampleRate;
    groan += kTwoPi * (330 - 300 * t) / kSampleRate;
    // A soft triangle wave for the falling groan.
    float triangle = 2 / 3.1415927f * std::asin(std::sin(groan));
    out[i] = std::sin(thud) * Strike(t, 0.002f, 0.11f) + 1.4f * rubble[i] +
             0.3f * triangle * Strike(t - 0.05f, 0.03f, 0.16f);
  }
  return Finish(out, 0.75f);
}
