// How much of one core real-time playback takes: nine sample voices at assorted rates, one Ogg
// Vorbis stream and one tracker-module stream, mixed to 44.1 kHz stereo. The streams are refilled
// on the mixing thread (polling), so one clock measures mixing, decoding and rendering together.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "KSound.h"
#include "sound_fixtures.h"

namespace {

constexpr uint32_t kSeconds = 60;
constexpr uint32_t kBlockFrames = 1024;

std::vector<int16_t> Tone(size_t frames) {
  std::vector<int16_t> samples(frames);
  for (size_t i = 0; i < frames; ++i) samples[i] = int16_t((i * 97) % 20000 - 10000);
  return samples;
}

// A stream started the ordinary way, then handed from its thread to polling.
void PollFromHere(KSound& sound) {
  sound.StopThread();
  sound.PlayLooping();
}

}  // namespace

int main() {
  platform::SetAudioOutput(platform::AudioOutput::kManual);
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::filesystem::path modPath = folder / "tundrel_sound_bench.mod";
  std::ofstream(modPath, std::ios::binary) << sound_fixtures::MakeMod(64);

  KSound samples;
  const std::string wav = sound_fixtures::Wav16(1, 22050, Tone(22050));
  if (!samples.LoadSampleFromMemory(wav.data(), int(wav.size()), 0, 100, true, 9)) return 1;
  for (int voice = 0; voice < 9; ++voice) {
    samples.PlaySample();
    samples.SetFrequency(11025 + voice * 4000);
  }

  KSound music;
  const std::string ogg = sound_fixtures::EncodeOgg(2, 44100, 44100 * 20);
  if (!music.LoadStreamFromMemory(ogg.data(), int(ogg.size()))) return 1;
  music.PlayStream(true);
  PollFromHere(music);

  KSound module;
  if (!module.LoadModule(modPath.c_str())) return 1;
  module.PlayModule(true);
  PollFromHere(module);

  const auto start = std::chrono::steady_clock::now();
  for (uint32_t done = 0; done < kSeconds * platform::kAudioOutputRate; done += kBlockFrames) {
    platform::Mix(kBlockFrames);
    music.PollOggStream(0);
    module.PollModule();
  }
  const double busy =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  int playing = 0;
  for (const platform::SoundBufferState& state : platform::ListSoundBuffers())
    playing += state.playing ? 1 : 0;
  std::filesystem::remove(modPath);
  std::printf("sound: %d buffers playing; %u s of playback took %.3f s: %.2f%% of one core\n",
              playing, kSeconds, busy, 100.0 * busy / kSeconds);
  return playing == 11 ? 0 : 1;
}
