// The software mixer behind DirectSound, pulled by hand so that every output sample is exact.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/directsound.h"
#include "platform/win32_kernel.h"

namespace {

WAVEFORMATEX PcmFormat(WORD channels, WORD bits, DWORD rate) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = channels;
  format.wBitsPerSample = bits;
  format.nSamplesPerSec = rate;
  format.nBlockAlign = WORD(channels * bits / 8);
  format.nAvgBytesPerSec = rate * format.nBlockAlign;
  return format;
}

constexpr DWORD kAllControls = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY |
                               DSBCAPS_CTRLPOSITIONNOTIFY | DSBCAPS_GLOBALFOCUS |
                               DSBCAPS_LOCSOFTWARE;

class Mixer : public testing::Test {
 protected:
  void SetUp() override {
    platform::SetAudioOutput(platform::AudioOutput::kManual);
    ASSERT_EQ(DirectSoundCreate(nullptr, &device_, nullptr), DS_OK);
  }
  void TearDown() override {
    for (IDirectSoundBuffer* buffer : buffers_) buffer->Release();
    device_->Release();
    platform::SetAudioOutput(platform::AudioOutput::kDevice);
  }

  HRESULT TryCreate(WAVEFORMATEX format, DWORD bytes, DWORD flags = kAllControls) {
    DSBUFFERDESC description{sizeof(DSBUFFERDESC), flags, bytes, 0, &format};
    IDirectSoundBuffer* buffer = nullptr;
    HRESULT result = device_->CreateSoundBuffer(&description, &buffer, nullptr);
    if (buffer) buffers_.push_back(buffer);
    return result;
  }

  // A buffer holding the given 16-bit samples.
  IDirectSoundBuffer* Buffer16(WORD channels, const std::vector<int16_t>& samples,
                               DWORD rate = platform::kAudioOutputRate) {
    EXPECT_EQ(TryCreate(PcmFormat(channels, 16, rate), DWORD(samples.size() * 2)), DS_OK);
    IDirectSoundBuffer* buffer = buffers_.back();
    Write(buffer, samples.data(), DWORD(samples.size() * 2));
    return buffer;
  }

  static void Write(IDirectSoundBuffer* buffer, const void* data, DWORD bytes) {
    void* audio = nullptr;
    DWORD length = 0;
    ASSERT_EQ(buffer->Lock(0, bytes, &audio, &length, nullptr, nullptr, 0), DS_OK);
    ASSERT_EQ(length, bytes);
    std::memcpy(audio, data, bytes);
    ASSERT_EQ(buffer->Unlock(audio, length, nullptr, 0), DS_OK);
  }

  IDirectSound* device_ = nullptr;
  std::vector<IDirectSoundBuffer*> buffers_;
};

DWORD Status(IDirectSoundBuffer* buffer) {
  DWORD status = 0;
  EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
  return status;
}

DWORD PlayCursor(IDirectSoundBuffer* buffer) {
  DWORD play = 0;
  EXPECT_EQ(buffer->GetCurrentPosition(&play, nullptr), DS_OK);
  return play;
}

bool IsSignalled(HANDLE event) {
  return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

}  // namespace

TEST_F(Mixer, OneShotPlaysItsSamplesUnchangedThenStopsAtTheStart) {
  IDirectSoundBuffer* buffer = Buffer16(2, {100, -100, 32767, -32768, 5, 6});
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING);
  EXPECT_EQ(platform::Mix(5), (std::vector<int16_t>{100, -100, 32767, -32768, 5, 6, 0, 0, 0, 0}));
  EXPECT_EQ(Status(buffer), 0u);
  EXPECT_EQ(PlayCursor(buffer), 0u);
}

TEST_F(Mixer, LoopingBufferWrapsAndReportsLooping) {
  IDirectSoundBuffer* buffer = Buffer16(1, {1000, 2000, 3000});
  ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
  EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
  EXPECT_EQ(platform::Mix(7), (std::vector<int16_t>{1000, 1000, 2000, 2000, 3000, 3000, 1000, 1000,
                                                    2000, 2000, 3000, 3000, 1000, 1000}));
  EXPECT_EQ(PlayCursor(buffer), 2u);
}

TEST_F(Mixer, StopKeepsThePositionAndPlayGoesOnFromIt) {
  IDirectSoundBuffer* buffer = Buffer16(1, {1, 2, 3, 4});
  buffer->Play(0, 0, 0);
  EXPECT_EQ(platform::Mix(2), (std::vector<int16_t>{1, 1, 2, 2}));
  ASSERT_EQ(buffer->Stop(), DS_OK);
  EXPECT_EQ(PlayCursor(buffer), 4u);
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{0, 0}));
  buffer->Play(0, 0, 0);
  EXPECT_EQ(platform::Mix(3), (std::vector<int16_t>{3, 3, 4, 4, 0, 0}));
  ASSERT_EQ(buffer->SetCurrentPosition(6), DS_OK);
  buffer->Play(0, 0, 0);
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{4, 4}));
  EXPECT_EQ(buffer->SetCurrentPosition(8), DSERR_INVALIDPARAM);
}

TEST_F(Mixer, VoicesAddUpAndClipAtTheSampleRange) {
  Buffer16(1, {20000, -20000, 100})->Play(0, 0, 0);
  Buffer16(1, {20000, -20000, -300})->Play(0, 0, 0);
  EXPECT_EQ(platform::Mix(3), (std::vector<int16_t>{32767, 32767, -32768, -32768, -200, -200}));
}

TEST_F(Mixer, EightBitSamplesAreUnsignedAroundTheMiddle) {
  ASSERT_EQ(TryCreate(PcmFormat(1, 8, platform::kAudioOutputRate), 4), DS_OK);
  const uint8_t samples[] = {128, 255, 0, 129};
  Write(buffers_.back(), samples, 4);
  buffers_.back()->Play(0, 0, 0);
  EXPECT_EQ(platform::Mix(4), (std::vector<int16_t>{0, 0, 32512, 32512, -32768, -32768, 256, 256}));
}

TEST_F(Mixer, VolumeIsInHundredthsOfADecibel) {
  IDirectSoundBuffer* buffer = Buffer16(1, {16000, 16000, 16000});
  ASSERT_EQ(buffer->SetVolume(-600), DS_OK);  // -6 dB: about half
  buffer->Play(0, 0, 0);
  std::vector<int16_t> half = platform::Mix(1);
  EXPECT_NEAR(half[0], 16000 * std::pow(10.0, -0.3), 1.0);
  EXPECT_EQ(half[0], half[1]);
  ASSERT_EQ(buffer->SetVolume(-2000), DS_OK);  // -20 dB: a tenth
  EXPECT_NEAR(platform::Mix(1)[0], 1600, 1.0);
  ASSERT_EQ(buffer->SetVolume(DSBVOLUME_MIN), DS_OK);
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{0, 0}));
  EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->SetVolume(-10001), DSERR_INVALIDPARAM);
}

TEST_F(Mixer, PanAttenuatesTheOtherSideOnly) {
  IDirectSoundBuffer* buffer = Buffer16(1, {10000, 10000, 10000});
  buffer->SetPan(DSBPAN_RIGHT);
  buffer->Play(0, 0, 0);
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{0, 10000}));
  buffer->SetPan(DSBPAN_LEFT);
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{10000, 0}));
  buffer->SetPan(-2000);
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{10000, 1000}));
  EXPECT_EQ(buffer->SetPan(10001), DSERR_INVALIDPARAM);
}

TEST_F(Mixer, FrequencyResamplesWithInterpolation) {
  IDirectSoundBuffer* buffer = Buffer16(1, {0, 1000, 2000, 3000});
  ASSERT_EQ(buffer->SetFrequency(platform::kAudioOutputRate / 2), DS_OK);
  buffer->Play(0, 0, 0);
  std::vector<int16_t> slow = platform::Mix(8);
  std::vector<int16_t> left;
  for (size_t i = 0; i < slow.size(); i += 2) left.push_back(slow[i]);
  EXPECT_EQ(left, (std::vector<int16_t>{0, 500, 1000, 1500, 2000, 2500, 3000, 3000}));

  ASSERT_EQ(buffer->SetFrequency(platform::kAudioOutputRate * 2), DS_OK);
  buffer->SetCurrentPosition(0);
  buffer->Play(0, 0, 0);
  EXPECT_EQ(platform::Mix(3), (std::vector<int16_t>{0, 0, 2000, 2000, 0, 0}));

  EXPECT_EQ(buffer->SetFrequency(99), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->SetFrequency(DSBFREQUENCY_ORIGINAL), DS_OK);
}

TEST_F(Mixer, ControlsNeedTheirCapabilityFlags) {
  ASSERT_EQ(TryCreate(PcmFormat(1, 16, 22050), 64, 0), DS_OK);
  IDirectSoundBuffer* plain = buffers_.back();
  EXPECT_EQ(plain->SetVolume(0), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(plain->SetPan(0), DSERR_CONTROLUNAVAIL);
  EXPECT_EQ(plain->SetFrequency(0), DSERR_CONTROLUNAVAIL);
  void* notify = &plain;
  EXPECT_EQ(plain->QueryInterface(IID_IDirectSoundNotify, &notify), E_NOINTERFACE);
  EXPECT_EQ(notify, nullptr);
}

TEST_F(Mixer, BufferSizesAndFormatsAreChecked) {
  EXPECT_EQ(TryCreate(PcmFormat(2, 16, 44100), 4), DS_OK);
  EXPECT_EQ(TryCreate(PcmFormat(1, 8, 8000), 3), DSERR_INVALIDPARAM);
  EXPECT_EQ(TryCreate(PcmFormat(2, 16, 44100), DSBSIZE_MAX + 1), DSERR_INVALIDPARAM);
  EXPECT_EQ(TryCreate(PcmFormat(3, 16, 44100), 600), DSERR_BADFORMAT);
  EXPECT_EQ(TryCreate(PcmFormat(2, 24, 44100), 600), DSERR_BADFORMAT);
  EXPECT_EQ(TryCreate(PcmFormat(1, 16, 50), 600), DSERR_BADFORMAT);
  WAVEFORMATEX misaligned = PcmFormat(2, 16, 44100);
  misaligned.nBlockAlign = 2;
  EXPECT_EQ(TryCreate(misaligned, 600), DSERR_BADFORMAT);
  WAVEFORMATEX compressed = PcmFormat(1, 16, 44100);
  compressed.wFormatTag = 2;
  EXPECT_EQ(TryCreate(compressed, 600), DSERR_BADFORMAT);
  EXPECT_EQ(TryCreate(PcmFormat(1, 16, 44100), 600, DSBCAPS_PRIMARYBUFFER), DSERR_INVALIDPARAM);

  WAVEFORMATEX format = PcmFormat(1, 16, 44100);
  DSBUFFERDESC shortDescription{20, 0, 600, 0, &format};
  IDirectSoundBuffer* buffer = nullptr;
  EXPECT_EQ(device_->CreateSoundBuffer(&shortDescription, &buffer, nullptr), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer, nullptr);
  EXPECT_EQ(buffers_.size(), 1u);
}

TEST_F(Mixer, OddLengthPlaysItsWholeFramesOnly) {
  ASSERT_EQ(TryCreate(PcmFormat(1, 16, platform::kAudioOutputRate), 5), DS_OK);
  const uint8_t bytes[] = {0x10, 0x00, 0x20, 0x00, 0x7f};
  Write(buffers_.back(), bytes, 5);
  buffers_.back()->Play(0, 0, DSBPLAY_LOOPING);
  EXPECT_EQ(platform::Mix(3), (std::vector<int16_t>{16, 16, 32, 32, 16, 16}));
}

TEST_F(Mixer, NotificationsFireWhenTheCursorPassesTheirOffsets) {
  IDirectSoundBuffer* buffer = Buffer16(2, std::vector<int16_t>(16, 7));  // 8 frames, 32 bytes
  IDirectSoundNotify* notify = nullptr;
  ASSERT_EQ(buffer->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&notify)),
            DS_OK);
  HANDLE start = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HANDLE middle = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HANDLE stop = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  const DSBPOSITIONNOTIFY positions[] = {{0, start}, {16, middle}, {DSBPN_OFFSETSTOP, stop}};
  ASSERT_EQ(notify->SetNotificationPositions(3, positions), DS_OK);

  buffer->Play(0, 0, DSBPLAY_LOOPING);
  EXPECT_EQ(notify->SetNotificationPositions(3, positions), DSERR_INVALIDCALL);
  platform::Mix(3);
  EXPECT_FALSE(IsSignalled(start));  // starting at an offset does not pass it
  EXPECT_FALSE(IsSignalled(middle));
  platform::Mix(1);  // the cursor reaches frame 4, byte 16
  EXPECT_TRUE(IsSignalled(middle));
  platform::Mix(3);
  EXPECT_FALSE(IsSignalled(start));
  platform::Mix(1);  // wraps to 0
  EXPECT_TRUE(IsSignalled(start));
  EXPECT_FALSE(IsSignalled(middle));
  EXPECT_FALSE(IsSignalled(stop));
  buffer->Stop();
  EXPECT_TRUE(IsSignalled(stop));

  const DSBPOSITIONNOTIFY outside[] = {{32, start}};
  EXPECT_EQ(notify->SetNotificationPositions(1, outside), DSERR_INVALIDPARAM);
  const DSBPOSITIONNOTIFY noEvent[] = {{0, nullptr}};
  EXPECT_EQ(notify->SetNotificationPositions(1, noEvent), DSERR_INVALIDPARAM);
  notify->Release();
  for (HANDLE event : {start, middle, stop}) CloseHandle(event);
}

TEST_F(Mixer, OneShotEndSignalsTheEndAndTheStop) {
  IDirectSoundBuffer* buffer = Buffer16(1, {1, 2, 3, 4});
  IDirectSoundNotify* notify = nullptr;
  ASSERT_EQ(buffer->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&notify)),
            DS_OK);
  HANDLE wrap = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HANDLE stop = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  const DSBPOSITIONNOTIFY positions[] = {{0, wrap}, {DSBPN_OFFSETSTOP, stop}};
  ASSERT_EQ(notify->SetNotificationPositions(2, positions), DS_OK);
  notify->Release();  // the buffer keeps its notifications
  buffer->Play(0, 0, 0);
  platform::Mix(6);
  EXPECT_TRUE(IsSignalled(wrap));
  EXPECT_TRUE(IsSignalled(stop));
  for (HANDLE event : {wrap, stop}) CloseHandle(event);
}

TEST_F(Mixer, LockedBytesStayTheCallersUntilUnlocked) {
  IDirectSoundBuffer* buffer = Buffer16(1, {500, 500, 500, 500, 500, 500, 500, 500});
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstBytes = 0;
  DWORD secondBytes = 0;
  ASSERT_EQ(buffer->Lock(12, 8, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
  EXPECT_EQ(firstBytes, 4u);  // bytes 12..15, then 0..3 from the start
  EXPECT_EQ(secondBytes, 4u);
  ASSERT_NE(second, nullptr);
  std::memset(first, 0, firstBytes);
  std::memset(second, 0, secondBytes);

  // While the region is out, a voice that would read it stays quiet but keeps time.
  buffer->Play(0, 0, 0);
  EXPECT_EQ(platform::Mix(2), (std::vector<int16_t>{0, 0, 0, 0}));
  EXPECT_EQ(PlayCursor(buffer), 4u);
  EXPECT_EQ(buffer->Unlock(static_cast<char*>(first) + 2, 2, nullptr, 0), DSERR_INVALIDPARAM);
  ASSERT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), DS_OK);
  EXPECT_EQ(platform::Mix(4), (std::vector<int16_t>{500, 500, 500, 500, 500, 500, 500, 500}));
  EXPECT_EQ(platform::Mix(2), (std::vector<int16_t>{0, 0, 0, 0}));  // written while locked

  EXPECT_EQ(buffer->Lock(16, 4, &first, &firstBytes, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
  EXPECT_EQ(buffer->Lock(14, 4, &first, &firstBytes, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
  ASSERT_EQ(buffer->Lock(9, 1, &first, &firstBytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
  EXPECT_EQ(firstBytes, 16u);
  EXPECT_EQ(buffer->Unlock(first, firstBytes, nullptr, 0), DS_OK);
}

TEST_F(Mixer, LostBuffersRefuseUntilRestoredAndComeBackSilent) {
  IDirectSoundBuffer* buffer = Buffer16(1, {900, 900});
  buffer->Play(0, 0, DSBPLAY_LOOPING);
  platform::LoseSoundBuffers();
  EXPECT_EQ(Status(buffer), DSBSTATUS_BUFFERLOST);
  EXPECT_EQ(buffer->Play(0, 0, 0), DSERR_BUFFERLOST);
  void* audio = nullptr;
  DWORD bytes = 0;
  EXPECT_EQ(buffer->Lock(0, 4, &audio, &bytes, nullptr, nullptr, 0), DSERR_BUFFERLOST);
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{0, 0}));
  ASSERT_EQ(buffer->Restore(), DS_OK);
  EXPECT_EQ(Status(buffer), 0u);
  ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{0, 0}));
}

TEST_F(Mixer, StateListShowsEveryBufferInCreationOrder) {
  IDirectSoundBuffer* first = Buffer16(1, {1, 2});
  IDirectSoundBuffer* second = Buffer16(2, {1, 2, 3, 4, 5, 6}, 22050);
  first->SetVolume(-831);
  second->SetPan(1505);
  second->SetFrequency(30000);
  second->Play(0, 0, DSBPLAY_LOOPING);
  std::vector<platform::SoundBufferState> states = platform::ListSoundBuffers();
  ASSERT_EQ(states.size(), 2u);
  EXPECT_FALSE(states[0].playing);
  EXPECT_EQ(states[0].bytes, 4u);
  EXPECT_EQ(states[0].volume, -831);
  EXPECT_EQ(states[0].frequency, platform::kAudioOutputRate);
  EXPECT_TRUE(states[1].playing);
  EXPECT_TRUE(states[1].looping);
  EXPECT_EQ(states[1].pan, 1505);
  EXPECT_EQ(states[1].frequency, 30000u);
}

TEST_F(Mixer, DeviceAnswersCapsAndCooperation) {
  DSCAPS caps{};
  EXPECT_EQ(device_->GetCaps(&caps), DSERR_INVALIDPARAM);
  caps.dwSize = 96;
  ASSERT_EQ(device_->GetCaps(&caps), DS_OK);
  EXPECT_EQ(caps.dwFlags & DSCAPS_EMULDRIVER, 0u);
  EXPECT_EQ(device_->SetCooperativeLevel(nullptr, DSSCL_PRIORITY), DS_OK);
  EXPECT_EQ(device_->SetCooperativeLevel(nullptr, 9), DSERR_INVALIDPARAM);
  EXPECT_EQ(device_->SetSpeakerConfig(DSSPEAKER_STEREO), DS_OK);
}
