// The module player's resampler moves through a note's sample by a step in frames per frame
// rendered, which it counts as a whole number of 65536ths and divides by. Pitch slides, envelopes
// and vibrato can bring a note's step under half a 65536th (a slow sample slid a few octaves down
// is enough): the count rounds to 0 and the division ends the process (SIGFPE). A step of more
// than 32767 frames overflows the count.
//
// The player reaches its resamplers through these four entry points, by way of its symbol table.
// The library defines them for the whole process (the link options of the sound library pull them
// in and export them), so that the player's own calls come here: the step is held between the
// smallest and the largest the resampler can count, and the player's resampler for the sample's
// width does the rest. A step so small plays a held value, which is what such a note sounds like.
#include <dumb.h>

#include <algorithm>

namespace {

constexpr float kSmallestStep = 1.0f / 65536.0f;
constexpr float kLargestStep = 32767.0f;

// NaN, which no comparison passes, is taken as the smallest step.
float Countable(float step) {
  return step >= kSmallestStep ? std::min(step, kLargestStep) : kSmallestStep;
}

// Runs the player's resampler for 8-bit, 16-bit or 24-bit samples, of one kind of output (one
// volume, or a left and a right one), at a step it can count.
template <typename Resampler, typename... Volumes>
long ResampleCountably(int bits, Resampler eight, Resampler sixteen, Resampler wide,
                       DUMB_RESAMPLER* resampler, sample_t* dst, long dst_size, float delta,
                       Volumes... volumes) {
  const Resampler resample = bits == 8 ? eight : bits == 16 ? sixteen : wide;
  return resample(resampler, dst, dst_size, volumes..., Countable(delta));
}

}  // namespace

long dumb_resample_n_1_1(int n, DUMB_RESAMPLER* resampler, sample_t* dst, long dst_size,
                         float volume, float delta) {
  return ResampleCountably(n, dumb_resample_8_1_1, dumb_resample_16_1_1, dumb_resample_1_1,
                           resampler, dst, dst_size, delta, volume);
}

long dumb_resample_n_1_2(int n, DUMB_RESAMPLER* resampler, sample_t* dst, long dst_size,
                         float volume_left, float volume_right, float delta) {
  return ResampleCountably(n, dumb_resample_8_1_2, dumb_resample_16_1_2, dumb_resample_1_2,
                           resampler, dst, dst_size, delta, volume_left, volume_right);
}

long dumb_resample_n_2_1(int n, DUMB_RESAMPLER* resampler, sample_t* dst, long dst_size,
                         float volume_left, float volume_right, float delta) {
  return ResampleCountably(n, dumb_resample_8_2_1, dumb_resample_16_2_1, dumb_resample_2_1,
                           resampler, dst, dst_size, delta, volume_left, volume_right);
}

long dumb_resample_n_2_2(int n, DUMB_RESAMPLER* resampler, sample_t* dst, long dst_size,
                         float volume_left, float volume_right, float delta) {
  return ResampleCountably(n, dumb_resample_8_2_2, dumb_resample_16_2_2, dumb_resample_2_2,
                           resampler, dst, dst_size, delta, volume_left, volume_right);
}
