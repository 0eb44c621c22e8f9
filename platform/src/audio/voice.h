// The mixer's view of one sound buffer: its bytes, format, controls, cursor and notifications.
// Every field but the bytes is guarded by the owning mixer's lock; the bytes of a locked region
// belong to the caller that locked them until Unlock.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/directsound.h"

namespace platform::audio {

struct ByteRange {
  uint32_t begin = 0;
  uint32_t end = 0;
};

struct Voice {
  std::vector<uint8_t> bytes;
  WAVEFORMATEX format{};
  DWORD flags = 0;
  uint32_t frameBytes = 0;
  uint32_t frames = 0;

  bool playing = false;
  bool looping = false;
  bool lost = false;
  // Play position: a whole frame and a 32-bit fraction of the next.
  uint32_t cursorFrame = 0;
  uint32_t cursorFraction = 0;

  LONG volume = DSBVOLUME_MAX;
  LONG pan = DSBPAN_CENTER;
  DWORD frequency = 0;  // the format's own rate when 0
  // Q16 gains of the two output channels, from volume and pan.
  int32_t gainLeft = 1 << 16;
  int32_t gainRight = 1 << 16;

  // Regions handed out by Lock and not yet unlocked (a lock that wraps takes two).
  static constexpr size_t kMaxLockedRanges = 8;
  std::array<ByteRange, kMaxLockedRanges> locked{};
  size_t lockedCount = 0;

  std::vector<DSBPOSITIONNOTIFY> notifications;

  DWORD PlayRate() const { return frequency ? frequency : format.nSamplesPerSec; }
  uint32_t CursorBytes() const { return cursorFrame * frameBytes; }
  bool IsLocked(uint32_t begin, uint32_t end) const;
  void UpdateGains();
  // Signals the events of the offsets passed while advancing `advancedBytes` from `startBytes`.
  void NotifyPassed(uint32_t startBytes, uint64_t advancedBytes) const;
  void NotifyStopped() const;
};

}  // namespace platform::audio
