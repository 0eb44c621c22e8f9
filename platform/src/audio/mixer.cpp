#include "audio/mixer.h"

#include <algorithm>

namespace platform::audio {

namespace {

template <int Bits>
inline int32_t SampleAt(const uint8_t* bytes) {
  if constexpr (Bits == 8) {
    return (int32_t(bytes[0]) - 128) << 8;
  } else {
    return int16_t(uint16_t(bytes[0] | (bytes[1] << 8)));
  }
}

template <int Bits, int Channels>
inline void ReadFrame(const uint8_t* frame, int32_t& left, int32_t& right) {
  left = SampleAt<Bits>(frame);
  right = Channels == 2 ? SampleAt<Bits>(frame + Bits / 8) : left;
}

inline int32_t Between(int32_t from, int32_t to, uint32_t fraction16) {
  return from + int32_t((int64_t(to - from) * fraction16) >> 16);
}

struct Travel {
  uint32_t steps = 0;  // output frames for which the voice moved
  bool ended = false;  // a one-shot voice ran past its last frame
};

// Adds the voice to the accumulator (unless it is inaudible) and moves its cursor.
template <int Bits, int Channels>
Travel MixVoice(Voice& voice, int32_t* accumulator, uint32_t frames, uint64_t step, bool audible) {
  const uint8_t* data = voice.bytes.data();
  const uint32_t frameBytes = voice.frameBytes;
  const uint64_t end = uint64_t(voice.frames) << 32;
  const int32_t gainLeft = voice.gainLeft;
  const int32_t gainRight = voice.gainRight;
  uint64_t position = (uint64_t(voice.cursorFrame) << 32) | voice.cursorFraction;
  Travel travel;
  for (; travel.steps < frames; ++travel.steps) {
    if (position >= end) {
      if (!voice.looping) {
        travel.ended = true;
        break;
      }
      position %= end;
    }
    if (audible) {
      const uint32_t frame = uint32_t(position >> 32);
      const uint32_t fraction = uint32_t(position) >> 16;
      int32_t left, right;
      ReadFrame<Bits, Channels>(data + size_t(frame) * frameBytes, left, right);
      if (fraction) {
        uint32_t next = frame + 1 < voice.frames ? frame + 1 : (voice.looping ? 0 : frame);
        int32_t nextLeft, nextRight;
        ReadFrame<Bits, Channels>(data + size_t(next) * frameBytes, nextLeft, nextRight);
        left = Between(left, nextLeft, fraction);
        right = Between(right, nextRight, fraction);
      }
      accumulator[2 * travel.steps] += (left * gainLeft) >> 16;
      accumulator[2 * travel.steps + 1] += (right * gainRight) >> 16;
    }
    position += step;
  }
  if (!travel.ended && position >= end) {
    if (voice.looping) {
      position %= end;
    } else {
      travel.ended = true;
    }
  }
  voice.cursorFrame = uint32_t(position >> 32);
  voice.cursorFraction = uint32_t(position);
  return travel;
}

using MixFunction = Travel (*)(Voice&, int32_t*, uint32_t, uint64_t, bool);

MixFunction MixFunctionFor(const WAVEFORMATEX& format) {
  if (format.wBitsPerSample == 8) {
    return format.nChannels == 2 ? MixVoice<8, 2> : MixVoice<8, 1>;
  }
  return format.nChannels == 2 ? MixVoice<16, 2> : MixVoice<16, 1>;
}

// Whether the frames the voice reads in this block touch a region that a caller has locked.
bool ReadsLockedBytes(const Voice& voice, uint32_t frames, uint64_t step) {
  if (voice.lockedCount == 0) return false;
  const bool interpolates = uint32_t(step) != 0 || voice.cursorFraction != 0;
  const uint64_t span =
      ((uint64_t(voice.cursorFraction) + step * (frames - 1)) >> 32) + (interpolates ? 2 : 1);
  const uint32_t playable = voice.frames * voice.frameBytes;
  const uint32_t first = voice.cursorFrame;
  if (!voice.looping || span >= voice.frames) {
    const uint64_t last =
        voice.looping ? voice.frames : std::min<uint64_t>(first + span, voice.frames);
    const uint32_t begin = voice.looping ? 0 : first * voice.frameBytes;
    return voice.IsLocked(begin, uint32_t(last * voice.frameBytes));
  }
  const uint64_t endBytes = (first + span) * voice.frameBytes;
  if (endBytes <= playable) return voice.IsLocked(first * voice.frameBytes, uint32_t(endBytes));
  return voice.IsLocked(first * voice.frameBytes, playable) ||
         voice.IsLocked(0, uint32_t(endBytes - playable));
}

void MixInto(Voice& voice, int32_t* accumulator, uint32_t frames, uint32_t outputRate) {
  const uint64_t step = (uint64_t(voice.PlayRate()) << 32) / outputRate;
  const bool audible =
      (voice.gainLeft | voice.gainRight) != 0 && !ReadsLockedBytes(voice, frames, step);
  const uint32_t startBytes = voice.CursorBytes();
  const uint32_t startFraction = voice.cursorFraction;
  const Travel travel = MixFunctionFor(voice.format)(voice, accumulator, frames, step, audible);
  if (travel.ended) {
    const uint32_t playable = voice.frames * voice.frameBytes;
    voice.playing = false;
    voice.cursorFrame = 0;
    voice.cursorFraction = 0;
    voice.NotifyPassed(startBytes, playable - startBytes);
    voice.NotifyStopped();
    return;
  }
  const uint64_t advancedFrames = (uint64_t(startFraction) + step * travel.steps) >> 32;
  voice.NotifyPassed(startBytes, advancedFrames * voice.frameBytes);
}

}  // namespace

void Mixer::Add(Voice* voice) {
  std::lock_guard<std::mutex> hold(lock_);
  voices_.push_back(voice);
}

void Mixer::Remove(Voice* voice) {
  std::lock_guard<std::mutex> hold(lock_);
  voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
}

void Mixer::Render(int16_t* output, uint32_t frames) {
  while (frames > 0) {
    const uint32_t block = std::min(frames, kBlockFrames);
    MixBlock(output, block);
    output += 2 * block;
    frames -= block;
  }
}

void Mixer::MixBlock(int16_t* output, uint32_t frames) {
  std::lock_guard<std::mutex> hold(lock_);
  std::fill_n(accumulator_.begin(), 2 * frames, 0);
  for (Voice* voice : voices_) {
    if (voice->playing) MixInto(*voice, accumulator_.data(), frames, outputRate_);
  }
  for (uint32_t i = 0; i < 2 * frames; ++i) {
    output[i] = int16_t(std::clamp(accumulator_[i], -32768, 32767));
  }
}

}  // namespace platform::audio
