#include "audio/voice.h"

#include <cmath>

#include "platform/win32_kernel.h"

namespace platform::audio {

namespace {

// Q16 amplitude of an attenuation in hundredths of a decibel; the lowest level is silence.
int32_t GainOf(LONG hundredthsOfDecibel) {
  if (hundredthsOfDecibel <= DSBVOLUME_MIN) return 0;
  return static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, hundredthsOfDecibel / 2000.0)));
}

}  // namespace

bool Voice::IsLocked(uint32_t begin, uint32_t end) const {
  for (size_t i = 0; i < lockedCount; ++i) {
    if (locked[i].begin < end && begin < locked[i].end) return true;
  }
  return false;
}

void Voice::UpdateGains() {
  gainLeft = GainOf(volume + (pan > 0 ? -pan : 0));
  gainRight = GainOf(volume + (pan < 0 ? pan : 0));
}

void Voice::NotifyPassed(uint32_t startBytes, uint64_t advancedBytes) const {
  if (advancedBytes == 0) return;
  const uint64_t playable = uint64_t(frames) * frameBytes;
  for (const DSBPOSITIONNOTIFY& notification : notifications) {
    if (notification.dwOffset == DSBPN_OFFSETSTOP || notification.dwOffset >= playable) continue;
    uint64_t distance = (notification.dwOffset + playable - startBytes) % playable;
    if (distance == 0) distance = playable;
    if (distance <= advancedBytes) SetEvent(notification.hEventNotify);
  }
}

void Voice::NotifyStopped() const {
  for (const DSBPOSITIONNOTIFY& notification : notifications) {
    if (notification.dwOffset == DSBPN_OFFSETSTOP) SetEvent(notification.hEventNotify);
  }
}

}  // namespace platform::audio
