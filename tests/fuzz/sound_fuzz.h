// The set-up of the sound fuzz targets: a manual mixer, so that nothing plays by itself and every
// run is the same, one sound kept for the whole run, so that the device is made once, and message
// boxes captured and dropped after each input.
#pragma once

#include "KSound.h"
#include "platform/directsound.h"
#include "platform/message_boxes.h"

inline void PrepareSoundFuzzing() {
  static bool prepared = false;
  if (prepared) return;
  prepared = true;
  platform::CaptureMessageBoxes(true);
  platform::SetAudioOutput(platform::AudioOutput::kManual);
  static KSound* const keepsTheDevice = new KSound;
  (void)keepsTheDevice;
}

// Mixes enough frames for a stream's play cursor to leave both halves of its buffer.
inline void MixAndPoll(KSound& sound, bool module) {
  for (int half = 0; half < 3; ++half) {
    if (module) {
      sound.PollModule();
    } else {
      sound.PollOggStream(0);
    }
    platform::Mix(16384);
  }
}
