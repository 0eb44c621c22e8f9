// Samples: the shared device, the volume and pan tables, WAV and Ogg Vorbis loading, copies
// played in turn, and what reaches the mixer.
#include <memory>

#include "sound_test_support.h"

using sound_fixtures::Chunk;
using sound_fixtures::EncodeOgg;
using sound_fixtures::FormatPayload;
using sound_fixtures::Riff;
using sound_fixtures::Samples16;
using sound_fixtures::Wav16;

namespace {

class KSoundSample : public SoundTest {};

std::vector<int16_t> Stereo(const std::vector<int16_t>& mono) {
  std::vector<int16_t> stereo;
  for (int16_t sample : mono) stereo.insert(stereo.end(), {sample, sample});
  return stereo;
}

}  // namespace

TEST_F(KSoundSample, TablesHoldTheDecibelRows) {
  KSound sound;
  EXPECT_EQ(g_volumeTable[0], -10000);
  EXPECT_EQ(g_volumeTable[1], -5523);
  EXPECT_EQ(g_volumeTable[10], -2761);
  EXPECT_EQ(g_volumeTable[50], -831);
  EXPECT_EQ(g_volumeTable[80], -267);
  EXPECT_EQ(g_volumeTable[92], -100);
  EXPECT_EQ(g_volumeTable[99], -12);
  EXPECT_EQ(g_volumeTable[100], 0);
  EXPECT_EQ(g_panTable[100], 0);
  EXPECT_EQ(g_panTable[110], 228);
  EXPECT_EQ(g_panTable[150], 1505);
  EXPECT_EQ(g_panTable[190], 5000);
  EXPECT_EQ(g_panTable[90], -228);
  EXPECT_EQ(g_panTable[10], -5000);
  // Pans 99 and -99 stay within what a buffer accepts.
  EXPECT_EQ(g_panTable[199], 10000);
  EXPECT_EQ(g_panTable[1], -10000);
  EXPECT_EQ(g_panTable[0], -10000);
  EXPECT_EQ(g_panTable[200], 10000);
}

TEST_F(KSoundSample, DeviceIsSharedAndReleasedWithTheLastObject) {
  EXPECT_EQ(g_directSound, nullptr);
  auto first = std::make_unique<KSound>();
  IDirectSound* device = g_directSound;
  ASSERT_NE(device, nullptr);
  auto second = std::make_unique<KSound>();
  EXPECT_EQ(g_directSound, device);
  EXPECT_EQ(g_soundInstanceCount, 2);
  first.reset();
  EXPECT_EQ(g_directSound, device);
  second.reset();
  EXPECT_EQ(g_directSound, nullptr);
  EXPECT_EQ(g_soundInstanceCount, 0);
  KSound third;
  EXPECT_NE(g_directSound, nullptr);
}

TEST_F(KSoundSample, WavPlaysItsPcmUnchangedAndEnds) {
  KSound sound;
  EXPECT_FALSE(sound.IsPlaying());
  ASSERT_TRUE(sound.LoadSample(File("hit.wav", Wav16(1, 44100, {1000, -2000, 3000})).c_str(), 100,
                               false, 1));
  EXPECT_FALSE(sound.IsPlaying());
  EXPECT_TRUE(platform::Mix(2) == std::vector<int16_t>(4, 0));
  sound.PlaySample();
  EXPECT_TRUE(sound.IsPlaying());
  EXPECT_EQ(platform::Mix(2), (std::vector<int16_t>{1000, 1000, -2000, -2000}));
  EXPECT_TRUE(sound.IsPlaying());
  EXPECT_EQ(platform::Mix(2), (std::vector<int16_t>{3000, 3000, 0, 0}));
  EXPECT_FALSE(sound.IsPlaying());
}

TEST_F(KSoundSample, StereoEightBitWavKeepsItsChannels) {
  KSound sound;
  std::string pcm = {char(128), char(255), char(0), char(128)};
  std::string wav = Riff({Chunk("fmt ", FormatPayload(2, 8, 22050)), Chunk("data", pcm)});
  ASSERT_TRUE(sound.LoadSample(File("two.wav", wav).c_str(), 100, false, 1));
  sound.PlaySample();
  // 22050 Hz played at 44100: every frame twice, the odd ones halfway to the next.
  EXPECT_EQ(platform::Mix(4),
            (std::vector<int16_t>{0, 32512, -16384, 16256, -32768, 0, -32768, 0}));
}

TEST_F(KSoundSample, CopiesPlayInTurnAndOverlap) {
  KSound sound;
  ASSERT_TRUE(sound.LoadSample(File("s.wav", Wav16(1, 44100, {100, 200, 300, 400})).c_str(), 100,
                               false, 3));
  ASSERT_EQ(platform::ListSoundBuffers().size(), 3u);
  sound.PlaySample();
  EXPECT_EQ(PlayingStates(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{100, 100}));
  sound.PlaySample();
  EXPECT_EQ(PlayingStates(), (std::vector<bool>{false, true, true}));
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{300, 300}));  // 200 + 100
  sound.PlaySample();
  EXPECT_EQ(PlayingStates(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{600, 600}));  // 300 + 200 + 100
  sound.PlaySample();                                             // copy 1 again, from its start
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{600, 600}));  // 100 + 300 + 200
  EXPECT_EQ(platform::Mix(3), Stereo({900, 700, 400}));
  EXPECT_FALSE(sound.IsPlaying());
}

TEST_F(KSoundSample, OneCopyRestartsItself) {
  KSound sound;
  ASSERT_TRUE(sound.LoadSample(File("s.wav", Wav16(1, 44100, {1, 2, 3})).c_str(), 100, false, 1));
  sound.PlaySample();
  EXPECT_EQ(platform::Mix(2), Stereo({1, 2}));
  sound.PlaySample();
  EXPECT_EQ(platform::Mix(2), Stereo({1, 2}));
}

TEST_F(KSoundSample, CopiesAreOneToNine) {
  const std::string path = File("s.wav", Wav16(1, 44100, {1, 2}));
  for (auto [copies, buffers] : {std::pair{0, 1}, {-4, 1}, {9, 9}, {12, 9}}) {
    KSound sound;
    ASSERT_TRUE(sound.LoadSample(path.c_str(), 100, false, short(copies)));
    EXPECT_EQ(platform::ListSoundBuffers().size(), size_t(buffers)) << copies;
  }
}

TEST_F(KSoundSample, VolumeGoesThroughTheTableWithTheEffectsMaster) {
  KSound sound;
  ASSERT_TRUE(
      sound.LoadSample(File("s.wav", Wav16(1, 44100, {8000, 8000})).c_str(), 150, false, 2));
  sound.PlaySample();
  for (const auto& state : platform::ListSoundBuffers()) EXPECT_EQ(state.volume, 0);
  EXPECT_EQ(platform::Mix(1), Stereo({8000}));
  sound.SetVolume(50);
  for (const auto& state : platform::ListSoundBuffers()) EXPECT_EQ(state.volume, -831);
  sound.SetVolume(-5);
  EXPECT_EQ(platform::ListSoundBuffers()[0].volume, -10000);
  EXPECT_EQ(platform::Mix(1), Stereo({0}));

  KSound::SetGlobalVolumes(-1, 50);
  sound.SetVolume(1);
  EXPECT_EQ(platform::ListSoundBuffers()[1].volume, -10000);
  sound.SetVolume(100);
  EXPECT_EQ(platform::ListSoundBuffers()[1].volume, -831);
}

TEST_F(KSoundSample, MasterChangeReachesASampleAtItsNextPlay) {
  KSound sound;
  ASSERT_TRUE(sound.LoadSample(File("s.wav", Wav16(1, 44100, {1, 2, 3})).c_str(), 100, true, 1));
  sound.PlaySample();
  KSound::SetGlobalVolumes(-1, 40);
  EXPECT_EQ(g_musicVolume, 100);
  EXPECT_EQ(g_sfxVolume, 40);
  EXPECT_EQ(platform::ListSoundBuffers()[0].volume, 0);
  sound.PlaySample();
  EXPECT_EQ(platform::ListSoundBuffers()[0].volume, g_volumeTable[40]);
  KSound::SetGlobalVolumes(250, -1);
  EXPECT_EQ(g_musicVolume, 250);
  EXPECT_EQ(g_sfxVolume, 40);
}

TEST_F(KSoundSample, PanGoesThroughTheTableAndOutOfRangeMeansRight) {
  KSound sound;
  ASSERT_TRUE(
      sound.LoadSample(File("s.wav", Wav16(1, 44100, {5000, 5000, 5000})).c_str(), 100, true, 2));
  EXPECT_EQ(platform::ListSoundBuffers()[1].pan, 0);
  sound.SetPan(-100);
  EXPECT_EQ(platform::ListSoundBuffers()[1].pan, -10000);
  sound.PlaySample();
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{5000, 0}));
  sound.SetPan(150);
  EXPECT_EQ(platform::ListSoundBuffers()[0].pan, 10000);
  sound.SetPan(-150);
  EXPECT_EQ(platform::ListSoundBuffers()[1].pan, 10000);
  EXPECT_EQ(platform::Mix(1), (std::vector<int16_t>{0, 5000}));
  sound.SetPan(-99);
  EXPECT_EQ(platform::ListSoundBuffers()[1].pan, -10000);
  sound.SetPan(50);
  EXPECT_EQ(platform::ListSoundBuffers()[0].pan, 1505);
}

TEST_F(KSoundSample, FrequencyAppliesToTheCopyPlayedLast) {
  KSound sound;
  ASSERT_TRUE(
      sound.LoadSample(File("s.wav", Wav16(1, 22050, {0, 1000, 2000})).c_str(), 100, false, 2));
  sound.PlaySample();
  sound.SetFrequency(44100);
  EXPECT_EQ(platform::ListSoundBuffers()[1].frequency, 44100u);
  EXPECT_EQ(platform::ListSoundBuffers()[0].frequency, 22050u);
  EXPECT_EQ(platform::Mix(3), Stereo({0, 1000, 2000}));
  sound.SetFrequency(-3);
  EXPECT_EQ(platform::ListSoundBuffers()[1].frequency, 22050u);
}

TEST_F(KSoundSample, StopHaltsTheFirstCopyAndStopAllEveryCopy) {
  KSound sound;
  ASSERT_TRUE(sound.LoadSample(File("s.wav", Wav16(1, 44100, {1, 2})).c_str(), 100, true, 2));
  sound.PlaySample();
  sound.PlaySample();
  EXPECT_EQ(PlayingStates(), (std::vector<bool>{true, true}));
  sound.Stop();
  EXPECT_EQ(PlayingStates(), (std::vector<bool>{false, true}));
  EXPECT_TRUE(sound.IsPlaying());
  sound.StopAll();
  EXPECT_FALSE(sound.IsPlaying());
  sound.PlayLooping();
  EXPECT_TRUE(platform::ListSoundBuffers()[0].looping);
}

TEST_F(KSoundSample, LoopingSampleGoesOnUntilStopped) {
  KSound sound;
  ASSERT_TRUE(sound.LoadSample(File("s.wav", Wav16(1, 44100, {7, 8})).c_str(), 100, true, 1));
  sound.PlaySample();
  EXPECT_EQ(platform::Mix(5), Stereo({7, 8, 7, 8, 7}));
  EXPECT_TRUE(sound.IsPlaying());
}

TEST_F(KSoundSample, LostBufferIsRefilledAndThatPlayIsSilent) {
  KSound sound;
  ASSERT_TRUE(
      sound.LoadSample(File("s.wav", Wav16(1, 44100, {11, 22, 33})).c_str(), 100, false, 2));
  platform::LoseSoundBuffers();
  sound.PlaySample();
  EXPECT_EQ(platform::Mix(1), Stereo({0}));
  EXPECT_FALSE(sound.IsPlaying());
  sound.PlaySample();
  sound.PlaySample();
  EXPECT_EQ(platform::Mix(4), Stereo({22, 44, 66, 0}));
}

TEST_F(KSoundSample, ScannerTakesTheFirstDataBytesEvenInsideAnotherChunk) {
  KSound sound;
  std::string note = "xxdata";
  sound_fixtures::PutU32(note, 4);
  note += Samples16({-7, 9});
  std::string wav = Riff({Chunk("fmt ", FormatPayload(1, 16, 44100)), Chunk("LIST", note),
                          Chunk("data", Samples16({100, 200, 300}))});
  ASSERT_TRUE(sound.LoadSample(File("s.wav", wav).c_str(), 100, false, 1));
  sound.PlaySample();
  EXPECT_EQ(platform::Mix(3), Stereo({-7, 9, 0}));
}

TEST_F(KSoundSample, DataLengthIsCutToTheImage) {
  KSound sound;
  std::string wav = Riff({Chunk("fmt ", FormatPayload(1, 16, 44100))}) + "data";
  sound_fixtures::PutU32(wav, 1000000);
  wav += Samples16({5, 6, 7});
  ASSERT_TRUE(sound.LoadSample(File("s.wav", wav).c_str(), 100, false, 1));
  EXPECT_EQ(platform::ListSoundBuffers()[0].bytes, 6u);
  sound.PlaySample();
  EXPECT_EQ(platform::Mix(4), Stereo({5, 6, 7, 0}));
}

TEST_F(KSoundSample, WavsWithoutUsableFormatOrDataFail) {
  const std::string format = Chunk("fmt ", FormatPayload(1, 16, 44100));
  const std::string data = Chunk("data", Samples16({1, 2}));
  std::string negative = format + "data";
  sound_fixtures::PutU32(negative, 0x80000004u);
  negative += Samples16({1, 2});
  const std::vector<std::pair<std::string, std::string>> broken = {
      {"format after data", Riff({data, format})},
      {"no data", Riff({format})},
      {"empty data", Riff({format, Chunk("data", "")})},
      {"top bit in the data length", negative},
      {"24-bit", Riff({Chunk("fmt ", FormatPayload(1, 24, 44100)), data})},
      {"five bytes", "RIFF0"},
      {"empty", ""},
  };
  for (const auto& [what, image] : broken) {
    KSound sound;
    EXPECT_FALSE(sound.LoadSample(File("bad.wav", image).c_str(), 100, false, 2)) << what;
    EXPECT_TRUE(platform::ListSoundBuffers().empty()) << what;
    sound.PlaySample();
    sound.SetVolume(50);
    sound.SetPan(10);
    sound.SetFrequency(8000);
    EXPECT_FALSE(sound.IsPlaying()) << what;
  }
  KSound sound;
  EXPECT_FALSE(sound.LoadSample(PathOf("missing.wav").c_str(), 100, false, 1));
  Folder().MakeFolder("folder.wav");
  EXPECT_FALSE(sound.LoadSample(PathOf("folder.wav").c_str(), 100, false, 1));
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}

TEST_F(KSoundSample, NewLoadReplacesTheOldSound) {
  KSound sound;
  ASSERT_TRUE(sound.LoadSample(File("a.wav", Wav16(1, 44100, {1, 2})).c_str(), 100, true, 4));
  sound.PlaySample();
  ASSERT_TRUE(sound.LoadSample(File("b.wav", Wav16(1, 44100, {9, 9})).c_str(), 100, false, 1));
  ASSERT_EQ(platform::ListSoundBuffers().size(), 1u);
  EXPECT_FALSE(sound.IsPlaying());
  EXPECT_FALSE(sound.LoadSample(PathOf("missing.wav").c_str(), 100, false, 1));
  EXPECT_TRUE(platform::ListSoundBuffers().empty());
}

TEST_F(KSoundSample, WavFromMemoryPlaysTheCallersImage) {
  KSound sound;
  const std::string wav = Wav16(1, 44100, {-5, 5});
  EXPECT_FALSE(sound.LoadSampleFromMemory(nullptr, 10, 0, 100, false, 1));
  EXPECT_FALSE(sound.LoadSampleFromMemory(wav.data(), 0, 0, 100, false, 1));
  EXPECT_FALSE(sound.LoadSampleFromMemory(wav.data(), -40, 0, 100, false, 1));
  EXPECT_FALSE(sound.LoadSampleFromMemory(wav.data(), int(wav.size()), 2, 100, false, 1));
  ASSERT_TRUE(sound.LoadSampleFromMemory(wav.data(), int(wav.size()), -1, 100, false, 2));
  sound.PlaySample();
  EXPECT_EQ(platform::Mix(3), Stereo({-5, 5, 0}));
}

TEST_F(KSoundSample, OggFileDecodesWhole) {
  KSound sound;
  const long frames = 5000;
  ASSERT_TRUE(
      sound.LoadSample(File("tune.ogg", EncodeOgg(2, 44100, frames)).c_str(), 100, false, 2));
  ASSERT_EQ(platform::ListSoundBuffers().size(), 2u);
  EXPECT_EQ(platform::ListSoundBuffers()[1].bytes, uint32_t(frames * 4));
  sound.PlaySample();
  std::vector<int16_t> played = platform::Mix(uint32_t(frames));
  EXPECT_FALSE(IsSilent(played));
  // The two channels carry different pitches.
  EXPECT_NE(Channel(played, 0), Channel(played, 1));
  EXPECT_FALSE(sound.IsPlaying());
}

TEST_F(KSoundSample, OggFromMemoryDecodesWholeAndJunkIsReported) {
  KSound sound;
  const std::string ogg = EncodeOgg(1, 22050, 3000);
  ASSERT_TRUE(sound.LoadSampleFromMemory(ogg.data(), int(ogg.size()), 1, 100, false, 1));
  EXPECT_EQ(platform::ListSoundBuffers()[0].bytes, 6000u);
  EXPECT_EQ(platform::ListSoundBuffers()[0].frequency, 22050u);
  sound.PlaySample();
  EXPECT_FALSE(IsSilent(platform::Mix(6000)));
  EXPECT_FALSE(sound.IsPlaying());
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());

  const std::string junk(500, 'x');
  EXPECT_FALSE(sound.LoadSampleFromMemory(junk.data(), int(junk.size()), 1, 100, false, 1));
  std::vector<platform::MessageBoxRecord> boxes = platform::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "error");
  EXPECT_EQ(boxes[0].text, "error could not detect ogg file");
  EXPECT_TRUE(platform::ListSoundBuffers().empty());
}

TEST_F(KSoundSample, OnlyLowerCaseOggNamesAreDecodedAsOgg) {
  KSound sound;
  EXPECT_TRUE(sound.LoadSample(File("tune.OGG", Wav16(1, 44100, {3, 3})).c_str(), 100, false, 1));
  EXPECT_FALSE(sound.LoadSample(File("wave.ogg", Wav16(1, 44100, {3, 3})).c_str(), 100, false, 1));
  EXPECT_TRUE(sound.LoadSample(File("x.ogg.wav", EncodeOgg(1, 8000, 100)).c_str(), 100, false, 1));
  EXPECT_FALSE(sound.LoadSample(PathOf("missing.ogg").c_str(), 100, false, 1));
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}
