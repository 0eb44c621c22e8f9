// What the sound tests share: a manual mixer for every test, files in a temporary folder named in
// the library's Windows form, and views of the mixed output.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KSound.h"
#include "platform/directsound.h"
#include "platform/message_boxes.h"
#include "sound_fixtures.h"
#include "temp_folder.h"

class SoundTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::SetAudioOutput(platform::AudioOutput::kManual);
    KSound::SetGlobalVolumes(100, 100);
    platform::TakeMessageBoxes();
  }
  void TearDown() override {
    KSound::SetGlobalVolumes(100, 100);
    platform::SetAudioOutput(platform::AudioOutput::kDevice);
  }

  // Writes the file and answers its path with backslashes, as the library's callers give it.
  std::string File(const std::string& name, const std::string& content) {
    folder_.Write(name, content);
    return folder_.WindowsPath() + "\\" + name;
  }
  std::string PathOf(const std::string& name) { return folder_.WindowsPath() + "\\" + name; }
  const TempFolder& Folder() const { return folder_; }

 private:
  TempFolder folder_;
};

inline std::vector<int16_t> Channel(const std::vector<int16_t>& mixed, int channel) {
  std::vector<int16_t> samples;
  for (size_t i = size_t(channel); i < mixed.size(); i += 2) samples.push_back(mixed[i]);
  return samples;
}

inline bool IsSilent(const std::vector<int16_t>& mixed) {
  for (int16_t sample : mixed)
    if (sample != 0) return false;
  return true;
}

inline std::vector<bool> PlayingStates() {
  std::vector<bool> playing;
  for (const platform::SoundBufferState& state : platform::ListSoundBuffers())
    playing.push_back(state.playing);
  return playing;
}
