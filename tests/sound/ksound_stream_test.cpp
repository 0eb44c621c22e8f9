// Streams and modules on the caller's thread: the in-memory file, loading, the polling refills
// and rendering a module to a file.
#include <cstdio>

#include "sound_test_support.h"

using sound_fixtures::EncodeOgg;
using sound_fixtures::MakeMod;
using sound_fixtures::Wav16;

namespace {

class KSoundStream : public SoundTest {};

constexpr uint32_t kHalfFrames = 16384;  // one 64 KB half of 16-bit stereo

}  // namespace

TEST_F(KSoundStream, MemoryFileReadsInPiecesToItsEnd) {
  KSound sound;
  std::string image(10000, '\0');
  for (size_t i = 0; i < image.size(); ++i) image[i] = char(i * 31);
  ASSERT_EQ(sound.CopyToMemoryFile(image.data(), int(image.size())), 10000);
  std::string read;
  std::vector<size_t> results;
  char piece[4096];
  for (int i = 0; i < 4; ++i) {
    size_t got = KSound::OggMemRead(piece, 1, sizeof piece, &sound);
    results.push_back(got);
    read.append(piece, got);
  }
  EXPECT_EQ(results, (std::vector<size_t>{4096, 4096, 1808, 0}));
  EXPECT_EQ(read, image);
  EXPECT_EQ(KSound::OggMemTell(&sound), 10000);

  // Whole items only; the position moves by the bytes copied.
  KSound::OggMemSeek(&sound, -10, SEEK_END);
  EXPECT_EQ(KSound::OggMemRead(piece, 4, 3, &sound), 2u);
  EXPECT_EQ(KSound::OggMemTell(&sound), 10000);
}

TEST_F(KSoundStream, MemoryFileSeeksWithinItsBoundsOrToTheEnd) {
  KSound sound;
  std::string image(1000, 'a');
  ASSERT_EQ(sound.CopyToMemoryFile(image.data(), 1000), 1000);
  EXPECT_EQ(KSound::OggMemSeek(&sound, 0, SEEK_END), 0);
  EXPECT_EQ(KSound::OggMemTell(&sound), 1000);
  KSound::OggMemSeek(&sound, 300, SEEK_SET);
  KSound::OggMemSeek(&sound, -100, SEEK_CUR);
  EXPECT_EQ(KSound::OggMemTell(&sound), 200);
  KSound::OggMemSeek(&sound, (ogg_int64_t(1) << 32) + 5, SEEK_SET);
  EXPECT_EQ(KSound::OggMemTell(&sound), 5);
  for (auto [offset, whence] :
       {std::pair{1001, SEEK_SET}, {-1, SEEK_SET}, {-6, SEEK_CUR}, {1, SEEK_END}, {0, 9}}) {
    KSound::OggMemSeek(&sound, 0, SEEK_SET);
    EXPECT_EQ(KSound::OggMemSeek(&sound, offset, whence), 0);
    EXPECT_EQ(KSound::OggMemTell(&sound), 1000) << offset << " " << whence;
  }
  char byte;
  EXPECT_EQ(KSound::OggMemRead(&byte, 1, 1, nullptr), size_t(-1));
  EXPECT_EQ(KSound::OggMemRead(&byte, size_t(1) << 40, size_t(1) << 40, &sound), size_t(-1));
  EXPECT_EQ(KSound::OggMemSeek(nullptr, 0, SEEK_SET), -1);
  EXPECT_EQ(KSound::OggMemTell(nullptr), -1);
  EXPECT_EQ(KSound::OggMemClose(&sound), 0);
  EXPECT_EQ(sound.CopyToMemoryFile(nullptr, 5), -1);
  EXPECT_EQ(sound.CopyToMemoryFile(image.data(), -5), -1);
}

TEST_F(KSoundStream, StreamLoadMakesOneSilentHalvedBuffer) {
  KSound sound;
  ASSERT_TRUE(sound.LoadSample(File("s.wav", Wav16(1, 44100, {1, 2})).c_str(), 100, false, 3));
  ASSERT_TRUE(sound.LoadStream(File("music.ogg", EncodeOgg(2, 44100, 20000)).c_str()));
  std::vector<platform::SoundBufferState> buffers = platform::ListSoundBuffers();
  ASSERT_EQ(buffers.size(), 1u);
  EXPECT_EQ(buffers[0].bytes, 0x20000u);
  EXPECT_EQ(buffers[0].frequency, 44100u);
  EXPECT_FALSE(sound.IsPlaying());
  sound.PlayLooping();
  EXPECT_TRUE(IsSilent(platform::Mix(2 * kHalfFrames)));
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}

TEST_F(KSoundStream, StreamsThatAreNotOggFail) {
  KSound sound;
  EXPECT_FALSE(sound.LoadStream(PathOf("missing.ogg").c_str()));
  EXPECT_FALSE(sound.LoadStream(File("empty.ogg", "").c_str()));
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
  EXPECT_FALSE(sound.LoadStream(File("text.ogg", "not a stream at all").c_str()));
  EXPECT_FALSE(sound.LoadStreamFromMemory("OggS", 4));
  std::vector<platform::MessageBoxRecord> boxes = platform::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].caption, "error");
  EXPECT_EQ(boxes[1].text, "error could not detect ogg file");
  EXPECT_FALSE(sound.LoadStreamFromMemory(nullptr, 100));
  EXPECT_TRUE(platform::ListSoundBuffers().empty());
  sound.PlayStream(true);
  EXPECT_FALSE(sound.IsPlaying());
}

TEST_F(KSoundStream, PolledStreamRefillsTheHalfTheCursorLeft) {
  KSound sound;
  const std::string ogg = EncodeOgg(2, 44100, 40000);
  ASSERT_TRUE(sound.LoadStreamFromMemory(ogg.data(), int(ogg.size())));
  EXPECT_FALSE(sound.PollOggStream(0));  // not playing
  sound.PlayLooping();
  const uint64_t start = platform::SoundUnlockCount();
  EXPECT_TRUE(sound.PollOggStream(0));  // cursor in half 0: half 1 gets the first audio
  EXPECT_TRUE(sound.PollOggStream(0));
  EXPECT_EQ(platform::SoundUnlockCount(), start + 1);
  EXPECT_TRUE(IsSilent(platform::Mix(kHalfFrames)));
  sound.PollOggStream(0);
  EXPECT_EQ(platform::SoundUnlockCount(), start + 2);
  std::vector<int16_t> first = platform::Mix(kHalfFrames);
  EXPECT_FALSE(IsSilent(first));
  sound.PollOggStream(0);
  std::vector<int16_t> second = platform::Mix(kHalfFrames);
  EXPECT_FALSE(IsSilent(second));
  EXPECT_NE(first, second);
}

TEST_F(KSoundStream, ModuleFilesLoadByTheirSignature) {
  KSound sound;
  EXPECT_FALSE(sound.LoadModule(PathOf("missing.mod").c_str()));
  EXPECT_FALSE(sound.LoadModule(File("notes.it", std::string(4000, 'n')).c_str()));
  EXPECT_TRUE(platform::ListSoundBuffers().empty());
  ASSERT_TRUE(sound.LoadModule(File("song.mod", MakeMod(12)).c_str()));
  std::vector<platform::SoundBufferState> buffers = platform::ListSoundBuffers();
  ASSERT_EQ(buffers.size(), 1u);
  EXPECT_EQ(buffers[0].bytes, 0x20000u);
  EXPECT_EQ(buffers[0].frequency, 44100u);
  EXPECT_FALSE(sound.IsPlaying());
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}

TEST_F(KSoundStream, PolledModuleTakesTheSecondHalfOnlyPastItsStart) {
  KSound sound;
  ASSERT_TRUE(sound.LoadModule(File("song.mod", MakeMod(12)).c_str()));
  EXPECT_TRUE(sound.PollModule());  // not playing yet: half 1 is rendered all the same
  const uint64_t start = platform::SoundUnlockCount();
  sound.PlayLooping();
  sound.PollModule();
  EXPECT_EQ(platform::SoundUnlockCount(), start);
  EXPECT_TRUE(IsSilent(platform::Mix(kHalfFrames)));
  sound.PollModule();  // exactly at the second half: nothing yet
  EXPECT_EQ(platform::SoundUnlockCount(), start);
  platform::Mix(1);
  sound.PollModule();
  EXPECT_EQ(platform::SoundUnlockCount(), start + 1);
  EXPECT_FALSE(IsSilent(platform::Mix(kHalfFrames - 1)));
}

TEST_F(KSoundStream, ModuleRendersToAFileUntilItEnds) {
  KSound sound;
  const std::string mod = File("song.mod", MakeMod(12));  // 63504 frames: four halves
  ASSERT_TRUE(sound.LoadModule(mod.c_str()));
  ASSERT_TRUE(sound.RenderModuleToFile(PathOf("all.raw").c_str(), 0));
  const std::string all = Folder().Read("all.raw");
  ASSERT_EQ(all.size(), 4u * 0x10000);
  EXPECT_NE(all.substr(0, 0x10000), std::string(0x10000, '\0'));
  // The last block holds the module's end, then silence.
  const size_t endByte = 63504u * 4;
  EXPECT_NE(all.substr(endByte - 4096, 4096), std::string(4096, '\0'));
  EXPECT_EQ(all.substr(endByte), std::string(all.size() - endByte, '\0'));

  ASSERT_TRUE(sound.LoadModule(mod.c_str()));
  ASSERT_TRUE(sound.RenderModuleToFile(PathOf("part.raw").c_str(), 100000));
  EXPECT_EQ(Folder().Read("part.raw"), all.substr(0, 0x10000));
}

TEST_F(KSoundStream, RenderFailsWithNothingToRenderOrNowhereToWrite) {
  KSound sound;
  EXPECT_FALSE(sound.RenderModuleToFile(PathOf("none.raw").c_str(), 0));
  const std::string ogg = EncodeOgg(2, 44100, 1000);
  ASSERT_TRUE(sound.LoadStreamFromMemory(ogg.data(), int(ogg.size())));
  EXPECT_FALSE(sound.RenderModuleToFile(PathOf("none.raw").c_str(), 0));
  ASSERT_TRUE(sound.LoadModule(File("song.mod", MakeMod(12)).c_str()));
  EXPECT_FALSE(sound.RenderModuleToFile(PathOf("no\\such\\folder.raw").c_str(), 0));
  EXPECT_FALSE(sound.RenderModuleToFile("/dev/full", 0));
  // Below one block's worth nothing is written, which is a failure too.
  ASSERT_TRUE(sound.LoadModule(File("song.mod", MakeMod(12)).c_str()));
  EXPECT_FALSE(sound.RenderModuleToFile(PathOf("tiny.raw").c_str(), 400));
  EXPECT_EQ(Folder().Read("tiny.raw"), "");
}
