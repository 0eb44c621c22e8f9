// Streams and modules refilled by their own threads. The manual mixer moves the play cursor; each
// step waits until the thread has written what the cursor asked for, so every output is exact.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>
#include <thread>

#include "sound_test_support.h"

using sound_fixtures::EncodeOgg;
using sound_fixtures::MakeMod;

namespace {

constexpr uint32_t kHalfFrames = 16384;  // one 64 KB half of 16-bit stereo
constexpr uint32_t kWaitLimit = 30000;   // only reached when a refill never comes

class KSoundThread : public SoundTest {
 protected:
  // Mixes one half and waits for the refills it causes (each thread unlocks once per refill,
  // once more when it silences the buffer at the end).
  std::vector<int16_t> MixHalf(uint64_t unlocks) {
    const uint64_t before = platform::SoundUnlockCount();
    std::vector<int16_t> mixed = platform::Mix(kHalfFrames);
    EXPECT_TRUE(platform::WaitForSoundUnlocks(before + unlocks, kWaitLimit));
    return mixed;
  }

  const std::string ogg_ = EncodeOgg(2, 44100, 20000);  // 80000 bytes: one half and a bit
};

// Frames [from, to) of a mixed half.
std::vector<int16_t> Frames(const std::vector<int16_t>& mixed, size_t from, size_t to) {
  return std::vector<int16_t>(mixed.begin() + long(2 * from), mixed.begin() + long(2 * to));
}

constexpr size_t kTailFrames = 20000 - kHalfFrames;

}  // namespace

TEST_F(KSoundThread, LoopingStreamEndsInsideAHalfAndGoesOnFromTheStart) {
  KSound sound;
  ASSERT_TRUE(sound.LoadStreamFromMemory(ogg_.data(), int(ogg_.size())));
  sound.PlayStream(true);
  EXPECT_TRUE(sound.IsPlaying());
  EXPECT_TRUE(IsSilent(MixHalf(1)));  // the buffer starts silent
  EXPECT_TRUE(IsSilent(MixHalf(1)));
  std::vector<int16_t> start = MixHalf(1);
  EXPECT_FALSE(IsSilent(start));
  std::vector<int16_t> tail = MixHalf(1);
  EXPECT_FALSE(IsSilent(Frames(tail, 0, kTailFrames)));
  EXPECT_TRUE(IsSilent(Frames(tail, kTailFrames, kHalfFrames)));
  EXPECT_EQ(MixHalf(1), start);
  EXPECT_TRUE(sound.IsPlaying());
  sound.StopThread();
  EXPECT_FALSE(sound.IsPlaying());
}

TEST_F(KSoundThread, StreamThatDoesNotLoopStopsOnceItsLastAudioHasPlayed) {
  KSound sound;
  ASSERT_TRUE(sound.LoadStreamFromMemory(ogg_.data(), int(ogg_.size())));
  sound.PlayStream(false);
  MixHalf(1);
  MixHalf(1);  // the decoder reaches the end here
  EXPECT_FALSE(IsSilent(MixHalf(1)));
  EXPECT_TRUE(sound.IsPlaying());
  std::vector<int16_t> tail = MixHalf(2);  // the tail, then the stream stops and goes silent
  EXPECT_FALSE(IsSilent(Frames(tail, 0, kTailFrames)));
  EXPECT_FALSE(sound.IsPlaying());
  EXPECT_TRUE(IsSilent(platform::Mix(2 * kHalfFrames)));

  // Playing again starts from the beginning.
  sound.PlayStream(false);
  EXPECT_TRUE(sound.IsPlaying());
  MixHalf(1);
  MixHalf(1);
  EXPECT_FALSE(IsSilent(MixHalf(1)));
}

TEST_F(KSoundThread, TwoStreamsRefillOnlyTheirOwnBuffers) {
  KSound left;
  KSound right;
  const std::string quiet = EncodeOgg(2, 44100, 40000, 0.25f);
  ASSERT_TRUE(left.LoadStreamFromMemory(ogg_.data(), int(ogg_.size())));
  ASSERT_TRUE(right.LoadStreamFromMemory(quiet.data(), int(quiet.size())));
  left.SetPan(-100);
  right.SetPan(100);
  left.PlayStream(true);
  right.PlayStream(true);
  MixHalf(2);
  MixHalf(2);
  std::vector<int16_t> both = MixHalf(2);
  std::vector<int16_t> leftSide = Channel(both, 0);
  std::vector<int16_t> rightSide = Channel(both, 1);
  EXPECT_FALSE(IsSilent(leftSide));
  EXPECT_FALSE(IsSilent(rightSide));
  EXPECT_NE(leftSide, rightSide);

  right.StopThread();
  std::vector<int16_t> alone = MixHalf(1);
  EXPECT_FALSE(IsSilent(Channel(alone, 0)));
  EXPECT_TRUE(IsSilent(Channel(alone, 1)));
}

TEST_F(KSoundThread, StreamVolumeFollowsTheMusicMaster) {
  KSound sound;
  ASSERT_TRUE(sound.LoadStreamFromMemory(ogg_.data(), int(ogg_.size())));
  KSound::SetGlobalVolumes(50, 10);
  sound.SetVolume(100);
  sound.PlayStream(true);
  EXPECT_EQ(platform::ListSoundBuffers()[0].volume, -831);
}

TEST_F(KSoundThread, ModuleThatDoesNotLoopEndsAndPlaysAgainFromItsStart) {
  KSound sound;
  ASSERT_TRUE(sound.LoadModule(File("song.mod", MakeMod(12)).c_str()));  // 3.9 halves
  sound.PlayModule(false);
  EXPECT_TRUE(sound.IsPlaying());
  MixHalf(1);
  MixHalf(1);
  std::vector<int16_t> first = MixHalf(1);
  EXPECT_FALSE(IsSilent(first));
  EXPECT_FALSE(IsSilent(MixHalf(1)));
  EXPECT_FALSE(IsSilent(MixHalf(1)));
  EXPECT_TRUE(sound.IsPlaying());
  std::vector<int16_t> tail = MixHalf(2);  // the end, then the module stops on its thread
  const size_t tailFrames = 63504 - 3 * kHalfFrames;
  EXPECT_FALSE(IsSilent(Frames(tail, tailFrames - 100, tailFrames)));
  EXPECT_TRUE(IsSilent(Frames(tail, tailFrames, kHalfFrames)));
  EXPECT_FALSE(sound.IsPlaying());

  sound.PlayModule(false);
  MixHalf(1);
  MixHalf(1);
  EXPECT_EQ(MixHalf(1), first);
}

TEST_F(KSoundThread, LoopingModuleKeepsPlaying) {
  KSound sound;
  ASSERT_TRUE(sound.LoadModule(File("song.mod", MakeMod(2)).c_str()));  // shorter than a half
  sound.PlayModule(true);
  for (int i = 0; i < 4; ++i) MixHalf(1);
  EXPECT_FALSE(IsSilent(MixHalf(1)));
  EXPECT_TRUE(sound.IsPlaying());
}

TEST_F(KSoundThread, LoadingOrDestroyingEndsAPlayingStream) {
  auto sound = std::make_unique<KSound>();
  ASSERT_TRUE(sound->LoadModule(File("song.mod", MakeMod(12)).c_str()));
  sound->PlayModule(true);
  MixHalf(1);
  ASSERT_TRUE(sound->LoadStreamFromMemory(ogg_.data(), int(ogg_.size())));
  EXPECT_FALSE(sound->IsPlaying());
  sound->PlayStream(true);
  MixHalf(1);
  sound.reset();
  EXPECT_EQ(g_directSound, nullptr);
}

TEST_F(KSoundThread, LostStreamBufferIsRestoredAndRefilledByItsThread) {
  KSound sound;
  ASSERT_TRUE(sound.LoadStreamFromMemory(ogg_.data(), int(ogg_.size())));
  platform::LoseSoundBuffers();
  sound.PlayStream(true);  // the play finds the buffer lost and restores it
  EXPECT_FALSE(sound.IsPlaying());
  sound.PlayStream(true);
  EXPECT_TRUE(sound.IsPlaying());
  MixHalf(1);
  MixHalf(1);
  EXPECT_FALSE(IsSilent(MixHalf(1)));
}

namespace {

// Sounds a program keeps until its exit, destroyed by an exit handler registered before the
// first sound, as a game's global resources are.
std::unique_ptr<KSound> g_keptSounds[2];

size_t ThreadCount() {
  return size_t(std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                              std::filesystem::directory_iterator()));
}

// The threads of the process before its first sound.
size_t g_threadsBeforeSound = 0;

void ReportSoundThreadsAtExit() {
  std::fprintf(stderr, "sound threads at exit: %zu\n", ThreadCount() - g_threadsBeforeSound);
}

}  // namespace

TEST_F(KSoundThread, EveryThreadEndsBeforeTheExitHandlersOfKeptSounds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string module = File("kept.mod", MakeMod(12));
  EXPECT_EXIT(
      {
        // Runs after the sound layer's own handler, registered with the first sound below.
        std::atexit(ReportSoundThreadsAtExit);
        // A thread sanitizer starts its own thread with the first other one: that happens here.
        std::thread([] {}).join();
        g_threadsBeforeSound = ThreadCount();
        platform::SetAudioOutput(platform::AudioOutput::kSilent);
        g_keptSounds[0] = std::make_unique<KSound>();
        g_keptSounds[0]->LoadStreamFromMemory(ogg_.data(), int(ogg_.size()));
        g_keptSounds[0]->PlayStream(true);
        g_keptSounds[1] = std::make_unique<KSound>();
        g_keptSounds[1]->LoadModule(module.c_str());
        g_keptSounds[1]->PlayModule(true);
        std::fprintf(stderr, "sound threads playing: %zu\n", ThreadCount() - g_threadsBeforeSound);
        std::exit(0);
      },
      // Two stream threads and the silent output's.
      testing::ExitedWithCode(0), "sound threads playing: 3\n.*sound threads at exit: 0\n");
}
