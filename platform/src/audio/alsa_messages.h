// The ALSA library prints its complaints straight to standard error: on a machine without a sound
// card, opening the default device writes eight "ALSA lib" lines before the silent output takes
// over. While an object of this class lives, those messages are dropped.
#pragma once

namespace platform::audio {

class AlsaMessagesSilenced {
 public:
  AlsaMessagesSilenced();
  ~AlsaMessagesSilenced();
  AlsaMessagesSilenced(const AlsaMessagesSilenced&) = delete;
  AlsaMessagesSilenced& operator=(const AlsaMessagesSilenced&) = delete;

 private:
  // The library as loaded here (the same instance SDL loads); null where it is not installed.
  void* library_ = nullptr;
  using SetHandler = int (*)(void (*)(const char*, int, const char*, int, const char*, ...));
  SetHandler setHandler_ = nullptr;
};

}  // namespace platform::audio
