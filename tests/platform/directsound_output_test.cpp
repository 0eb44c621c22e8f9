// The device's outputs: SDL's audio (here its driver that writes to a file) and the silent
// output that keeps time when there is no device. Both run on their own threads, so each test
// waits for the buffer's stop notification.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/directsound.h"
#include "platform/win32_kernel.h"
#include "stderr_lines.h"
#include "temp_folder.h"

namespace {

constexpr DWORD kWaitLimit = 20000;

struct OneShot {
  IDirectSoundBuffer* buffer = nullptr;
  HANDLE stopped = nullptr;
};

// A mono buffer holding the samples, with an event for its stop.
OneShot MakeOneShot(IDirectSound* device, const std::vector<int16_t>& samples) {
  WAVEFORMATEX format{
      WAVE_FORMAT_PCM, 1, platform::kAudioOutputRate, platform::kAudioOutputRate * 2, 2, 16, 0};
  DSBUFFERDESC description{sizeof(DSBUFFERDESC), DSBCAPS_CTRLPOSITIONNOTIFY,
                           DWORD(samples.size() * 2), 0, &format};
  OneShot shot;
  EXPECT_EQ(device->CreateSoundBuffer(&description, &shot.buffer, nullptr), DS_OK);
  void* audio = nullptr;
  DWORD bytes = 0;
  EXPECT_EQ(shot.buffer->Lock(0, 0, &audio, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
  std::memcpy(audio, samples.data(), bytes);
  shot.buffer->Unlock(audio, bytes, nullptr, 0);
  IDirectSoundNotify* notify = nullptr;
  EXPECT_EQ(shot.buffer->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&notify)),
            DS_OK);
  shot.stopped = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  DSBPOSITIONNOTIFY stop{DSBPN_OFFSETSTOP, shot.stopped};
  EXPECT_EQ(notify->SetNotificationPositions(1, &stop), DS_OK);
  notify->Release();
  return shot;
}

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() { unsetenv(name_); }

 private:
  const char* name_;
};

}  // namespace

TEST(DirectSoundOutput, SampleReachesTheAudioDevice) {
  TempFolder folder;
  const std::string output = folder.File("out.raw");
  ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
  ScopedEnvironment file("SDL_DISKAUDIOFILE", output);
  ScopedEnvironment delay("SDL_DISKAUDIODELAY", "1");
  platform::SetAudioOutput(platform::AudioOutput::kDevice);

  IDirectSound* device = nullptr;
  ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
  std::vector<int16_t> ramp(3000);
  for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = int16_t(i * 7 - 10000);
  OneShot shot = MakeOneShot(device, ramp);
  ASSERT_EQ(shot.buffer->SetPan(DSBPAN_CENTER), DSERR_CONTROLUNAVAIL);
  ASSERT_EQ(shot.buffer->Play(0, 0, 0), DS_OK);
  ASSERT_EQ(WaitForSingleObject(shot.stopped, kWaitLimit), WAIT_OBJECT_0);
  shot.buffer->Release();
  device->Release();  // closes the device, so the file is complete
  CloseHandle(shot.stopped);

  std::ifstream stream(output, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(stream)),
                          std::istreambuf_iterator<char>());
  std::vector<int16_t> written(bytes.size() / 2);
  std::memcpy(written.data(), bytes.data(), written.size() * 2);
  std::vector<int16_t> expected;
  for (int16_t sample : ramp) expected.insert(expected.end(), {sample, sample});
  EXPECT_NE(std::search(written.begin(), written.end(), expected.begin(), expected.end()),
            written.end());
}

TEST(DirectSoundOutput, SilentOutputKeepsTimeSoSamplesEnd) {
  platform::SetAudioOutput(platform::AudioOutput::kSilent);
  IDirectSound* device = nullptr;
  ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
  OneShot shot = MakeOneShot(device, std::vector<int16_t>(441, 1000));  // 10 ms
  ASSERT_EQ(shot.buffer->Play(0, 0, 0), DS_OK);
  EXPECT_EQ(WaitForSingleObject(shot.stopped, kWaitLimit), WAIT_OBJECT_0);
  DWORD status = 0;
  shot.buffer->GetStatus(&status);
  EXPECT_EQ(status, 0u);
  shot.buffer->Release();
  device->Release();
  CloseHandle(shot.stopped);
  platform::SetAudioOutput(platform::AudioOutput::kDevice);
}

// Without a usable device the program plays silently, as README says, and says nothing about it:
// the audio library's complaints about the device it could not open stay off standard error.
TEST(DirectSoundOutput, ADeviceThatCannotBeOpenedLeavesSilenceAndNoMessages) {
  ScopedEnvironment driver("SDL_AUDIODRIVER", "alsa");
  ScopedEnvironment device("AUDIODEV", "tundrel-no-such-device");
  platform::SetAudioOutput(platform::AudioOutput::kDevice);
  std::vector<std::string> lines = StderrLines([] {
    IDirectSound* sound = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    OneShot shot = MakeOneShot(sound, std::vector<int16_t>(441, 1000));
    ASSERT_EQ(shot.buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(WaitForSingleObject(shot.stopped, kWaitLimit), WAIT_OBJECT_0) << "the silent output";
    shot.buffer->Release();
    sound->Release();
    CloseHandle(shot.stopped);
  });
  EXPECT_EQ(lines, std::vector<std::string>{});
}
