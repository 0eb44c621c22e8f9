#include "audio/audio_registry.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace platform::audio {

namespace {

struct Registry {
  std::mutex lock;
  AudioOutput output = AudioOutput::kDevice;
  std::vector<std::weak_ptr<Mixer>> mixers;
  std::weak_ptr<Mixer> manual;
  std::condition_variable unlocked;
  uint64_t unlocks = 0;
};

// Never destroyed: sound objects may release their buffers during the exit of the process.
Registry& TheRegistry() {
  static Registry* registry = new Registry;
  return *registry;
}

std::vector<std::shared_ptr<Mixer>> LiveMixers() {
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> hold(registry.lock);
  std::erase_if(registry.mixers, [](const std::weak_ptr<Mixer>& mixer) { return mixer.expired(); });
  std::vector<std::shared_ptr<Mixer>> live;
  for (const auto& mixer : registry.mixers) {
    if (auto locked = mixer.lock()) live.push_back(std::move(locked));
  }
  return live;
}

}  // namespace

AudioOutput ChosenOutput() {
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> hold(registry.lock);
  return registry.output;
}

void RegisterMixer(const std::shared_ptr<Mixer>& mixer, AudioOutput output) {
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> hold(registry.lock);
  registry.mixers.push_back(mixer);
  if (output == AudioOutput::kManual) registry.manual = mixer;
}

void CountUnlock() {
  Registry& registry = TheRegistry();
  {
    std::lock_guard<std::mutex> hold(registry.lock);
    ++registry.unlocks;
  }
  registry.unlocked.notify_all();
}

}  // namespace platform::audio

namespace platform {

void SetAudioOutput(AudioOutput output) {
  audio::Registry& registry = audio::TheRegistry();
  std::lock_guard<std::mutex> hold(registry.lock);
  registry.output = output;
}

std::vector<int16_t> Mix(uint32_t frames) {
  std::vector<int16_t> output(2 * size_t(frames), 0);
  std::shared_ptr<audio::Mixer> mixer;
  {
    audio::Registry& registry = audio::TheRegistry();
    std::lock_guard<std::mutex> hold(registry.lock);
    mixer = registry.manual.lock();
  }
  if (mixer) mixer->Render(output.data(), frames);
  return output;
}

void LoseSoundBuffers() {
  for (const auto& mixer : audio::LiveMixers()) {
    mixer->ForEachVoice([](audio::Voice& voice) {
      voice.lost = true;
      voice.playing = false;
    });
  }
}

std::vector<SoundBufferState> ListSoundBuffers() {
  std::vector<SoundBufferState> states;
  for (const auto& mixer : audio::LiveMixers()) {
    mixer->ForEachVoice([&](const audio::Voice& voice) {
      states.push_back({voice.playing, voice.playing && voice.looping, voice.lost,
                        DWORD(voice.bytes.size()), voice.CursorBytes(), voice.volume, voice.pan,
                        voice.PlayRate()});
    });
  }
  return states;
}

uint64_t SoundUnlockCount() {
  audio::Registry& registry = audio::TheRegistry();
  std::lock_guard<std::mutex> hold(registry.lock);
  return registry.unlocks;
}

bool WaitForSoundUnlocks(uint64_t count, uint32_t milliseconds) {
  audio::Registry& registry = audio::TheRegistry();
  std::unique_lock<std::mutex> hold(registry.lock);
  return registry.unlocked.wait_for(hold, std::chrono::milliseconds(milliseconds),
                                    [&] { return registry.unlocks >= count; });
}

}  // namespace platform
