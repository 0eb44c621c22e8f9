// The game's resource set: pictures, sounds and streams by index and by name, loaded from files
// beside the program, owned and deleted by the set.
#include "ResourceSet.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "KFactory.h"
#include "KGraphicDX.h"
#include "KSound.h"
#include "platform/directsound.h"
#include "platform/directx_seams.h"
#include "platform/input_seams.h"
#include "platform/message_boxes.h"
#include "screen_app_folder.h"
#include "screen_window.h"
#include "stderr_lines.h"

namespace {

void Append16(std::string& bytes, unsigned value) {
  bytes += static_cast<char>(value & 0xFF);
  bytes += static_cast<char>(value >> 8 & 0xFF);
}

void Append32(std::string& bytes, uint32_t value) {
  Append16(bytes, value & 0xFFFF);
  Append16(bytes, value >> 16);
}

// An uncompressed 32-bit TGA, top row first, of one colour: the width tells the pictures apart.
std::string TgaFile(int width, int height) {
  std::string bytes(2, '\0');
  bytes += '\2';
  bytes += std::string(9, '\0');
  Append16(bytes, static_cast<unsigned>(width));
  Append16(bytes, static_cast<unsigned>(height));
  bytes += '\x20';
  bytes += '\x28';
  for (int i = 0; i < width * height; ++i) bytes += std::string("\x40\x80\xC0\xFF", 4);
  return bytes;
}

// A mono 16-bit PCM WAV of a square wave, frames long.
std::string WavFile(uint32_t frames) {
  std::string samples;
  for (uint32_t i = 0; i < frames; ++i) Append16(samples, (i / 50) % 2 ? 0x2000 : 0xE000);
  std::string bytes = "RIFF";
  Append32(bytes, static_cast<uint32_t>(36 + samples.size()));
  bytes += "WAVEfmt ";
  Append32(bytes, 16);
  Append16(bytes, 1);
  Append16(bytes, 1);
  Append32(bytes, 22050);
  Append32(bytes, 44100);
  Append16(bytes, 2);
  Append16(bytes, 16);
  bytes += "data";
  Append32(bytes, static_cast<uint32_t>(samples.size()));
  return bytes + samples;
}

size_t LivePictures() {
  return KGraphicDX::LivePictures().size();
}

class ResourceSetTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::UseScriptedInput(true);
    platform::SetAudioOutput(platform::AudioOutput::kManual);
    platform::TakeMessageBoxes();
    delete KFactory::CreateWindowObject(0, false);
    ASSERT_TRUE(window_.CreateGameWindow(160, 120, 32, true, "resources"));
    for (int width : {3, 5, 7})
      folder_.Write("pic" + std::to_string(width) + ".tga", TgaFile(width, 2));
    folder_.Write("snd/beep.wav", WavFile(4000));
    folder_.Write("snd/boop.wav", WavFile(2000));
  }

  void TearDown() override {
    platform::RecordDirectXCalls(false);
    platform::TakeDirectXCalls();
    platform::TakeMessageBoxes();
  }

  // The name of a file of the folder as the game writes it.
  std::string Name(const std::string& file) const { return folder_.Name() + "\\" + file; }
  std::string Picture(int width) const { return Name("pic" + std::to_string(width) + ".tga"); }

  TitleRecordingWindow window_;
  AppSubfolder folder_{"screen_resources"};
};

TEST_F(ResourceSetTest, EachKindIsNumberedFromZeroInOrderOfAdding) {
  ResourceSet set;
  set.AddSound(Name("snd\\beep.wav"));
  set.AddImage(Picture(5), false);
  set.AddStream(Name("music.ogg"));
  set.AddImage(Picture(3), false);
  set.AddSound(Name("snd\\boop.wav"));

  EXPECT_EQ(set.GetImageIndex(Picture(5)), 0);
  EXPECT_EQ(set.GetImageIndex(Picture(3)), 1);
  EXPECT_EQ(set.GetSoundIndex(Name("snd\\beep.wav")), 0);
  EXPECT_EQ(set.GetSoundIndex(Name("snd\\boop.wav")), 1);
  EXPECT_FLOAT_EQ(set.GetImage(0)->GetWidth(), 5);
  EXPECT_FLOAT_EQ(set.GetImage(1)->GetWidth(), 3);
  EXPECT_EQ(set.GetImageByName(Picture(3)), set.GetImage(1));
  EXPECT_EQ(set.GetSoundByName(Name("snd\\boop.wav")), set.GetSound(1));
  ASSERT_NE(set.GetStream(0), nullptr);
  EXPECT_NE(set.GetStream(0), set.GetSound(0)) << "stream 0 and sound 0 are different objects";
  EXPECT_EQ(set.GetSoundIndex(Name("music.ogg")), -1) << "streams are not sounds";
}

TEST_F(ResourceSetTest, SoundsAreLoadedFromBesideTheProgram) {
  ResourceSet set;
  set.AddSound(Name("snd\\beep.wav"));
  set.AddSound(Name("snd/boop.wav"));
  for (int i = 0; i < 2; ++i) {
    set.GetSound(i)->PlaySample();
    EXPECT_TRUE(set.GetSound(i)->IsPlaying()) << i;
  }
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}

TEST_F(ResourceSetTest, MissingFilesStillTakeTheirIndexWithoutAMessage) {
  ResourceSet set;
  set.AddImage(Name("missing.png"), true);
  set.AddImage(Picture(7), true);
  set.AddSound(Name("missing.wav"));

  ASSERT_NE(set.GetImage(0), nullptr);
  EXPECT_FLOAT_EQ(set.GetImage(0)->GetWidth(), 0);
  EXPECT_FLOAT_EQ(set.GetImage(1)->GetWidth(), 7);
  EXPECT_EQ(set.GetImageIndex(Name("missing.png")), 0);
  ASSERT_NE(set.GetSound(0), nullptr);
  set.GetSound(0)->PlaySample();
  EXPECT_FALSE(set.GetSound(0)->IsPlaying());
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}

// Every file that fails to load is one line on standard error naming it and why; the player
// would otherwise see a blank picture or hear nothing without a word.
TEST_F(ResourceSetTest, EachFileThatFailsToLoadIsOneLineNamingItAndWhy) {
  enum Kind { kImage, kSound, kStream };
  std::string hugeTga = TgaFile(1, 1);
  hugeTga[12] = '\x28';  // 9000 pixels wide
  hugeTga[13] = '\x23';
  folder_.Write("empty.jpg", "");
  folder_.Write("text.png", "no picture in here");
  folder_.Write("picture.gif", "GIF89a");
  folder_.Write("huge.tga", hugeTga);
  folder_.Write("text.wav", "RIFF but no chunks");
  folder_.Write("text.ogg", "OggS but no pages");
  for (const char* pipe : {"pipe.tga", "pipe.wav", "pipe.ogg"})
    ASSERT_EQ(mkfifo(folder_.File(pipe).c_str(), 0600), 0);
  std::filesystem::create_directories(folder_.File("folder.wav"));
  const struct {
    Kind kind;
    const char* file;
    const char* reason;
  } kRows[] = {
      {kImage, "missing.png", "missing"},
      {kImage, "empty.jpg", "empty"},
      {kImage, "text.png", "not a PNG picture"},
      {kImage, "picture.gif", "not named as a known picture"},
      {kImage, "huge.tga", "too large"},
      {kImage, "pipe.tga", "not a regular file"},
      {kSound, "missing.wav", "missing"},
      {kSound, "text.wav", "not a WAV sound"},
      {kSound, "text.ogg", "not an Ogg Vorbis sound"},
      {kSound, "pipe.wav", "not a regular file"},
      {kSound, "folder.wav", "not a regular file"},
      {kStream, "pipe.ogg", "not a regular file"},
  };
  ResourceSet set;
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.file);
    std::string name = Name(row.file);
    std::vector<std::string> lines = StderrLines([&] {
      if (row.kind == kImage) set.AddImage(name, false);
      if (row.kind == kSound) set.AddSound(name);
      if (row.kind == kStream) set.AddStream(name);
    });
    EXPECT_EQ(lines, std::vector<std::string>{folder_.File(row.file) + ": " + row.reason});
  }
  EXPECT_EQ(StderrLines([&] { set.AddImage(Picture(3), false); }), std::vector<std::string>{})
      << "a file that loads says nothing";
}

TEST_F(ResourceSetTest, SamePathTwiceLoadsTwiceAndTheNameLeadsToTheSecond) {
  size_t before = LivePictures();
  ResourceSet set;
  set.AddImage(Picture(3), false);
  set.AddImage(Picture(5), false);
  set.AddImage(Picture(3), false);
  EXPECT_EQ(LivePictures(), before + 3);
  EXPECT_NE(set.GetImage(0), set.GetImage(2));
  EXPECT_FLOAT_EQ(set.GetImage(0)->GetWidth(), 3);
  EXPECT_FLOAT_EQ(set.GetImage(2)->GetWidth(), 3);
  EXPECT_EQ(set.GetImageIndex(Picture(3)), 2);
  EXPECT_EQ(set.GetImageByName(Picture(3)), set.GetImage(2));

  // Removing the name deletes the second; the first keeps its index.
  KGraphic* first = set.GetImage(0);
  set.RemoveImage(Picture(3));
  EXPECT_EQ(LivePictures(), before + 2);
  EXPECT_EQ(set.GetImage(0), first);
  EXPECT_FLOAT_EQ(set.GetImage(1)->GetWidth(), 5);
  EXPECT_THROW(set.GetImage(2), std::out_of_range);
}

TEST_F(ResourceSetTest, RemovalMovesTheLaterObjectsDownAndKeepsTheirNames) {
  size_t before = LivePictures();
  ResourceSet set;
  set.AddImage(Picture(3), false);
  set.AddImage(Picture(5), false);
  set.AddImage(Picture(7), false);
  KGraphic* last = set.GetImage(2);

  set.RemoveImage(Picture(5));
  EXPECT_EQ(LivePictures(), before + 2);
  EXPECT_EQ(set.GetImage(1), last);
  EXPECT_EQ(set.GetImageIndex(Picture(7)), 1);
  EXPECT_EQ(set.GetImageByName(Picture(7)), last);
  EXPECT_EQ(set.GetImageIndex(Picture(3)), 0);
  EXPECT_EQ(set.GetImageIndex(Picture(5)), -1);
  EXPECT_THROW(set.GetImage(2), std::out_of_range);

  int soundsBefore = g_soundInstanceCount;
  set.AddSound(Name("snd\\beep.wav"));
  set.AddSound(Name("snd\\boop.wav"));
  KSound* boop = set.GetSound(1);
  set.RemoveSound(Name("snd\\beep.wav"));
  EXPECT_EQ(g_soundInstanceCount, soundsBefore + 1);
  EXPECT_EQ(set.GetSound(0), boop);
  EXPECT_EQ(set.GetSoundIndex(Name("snd\\boop.wav")), 0);

  set.AddStream(Name("a.ogg"));
  set.AddStream(Name("b.ogg"));
  KSound* b = set.GetStream(1);
  set.RemoveStream(Name("a.ogg"));
  EXPECT_EQ(set.GetStream(0), b);
  EXPECT_THROW(set.GetStream(1), std::out_of_range);
  EXPECT_EQ(g_soundInstanceCount, soundsBefore + 2);
}

TEST_F(ResourceSetTest, IndexOutsideTheTableThrowsOutOfRange) {
  ResourceSet set;
  set.AddImage(Picture(3), false);
  set.AddImage(Picture(5), false);
  for (int index : {2, -1, 1000}) {
    try {
      set.GetImage(index);
      ADD_FAILURE() << "no exception for " << index;
    } catch (const std::out_of_range& error) {
      EXPECT_STREQ(error.what(), "invalid vector<T> subscript");
    }
  }
  EXPECT_THROW(set.GetSound(0), std::out_of_range);
  EXPECT_THROW(set.GetStream(0), std::out_of_range);
  EXPECT_THROW(set.GetImage(-2147483647 - 1), std::out_of_range);
}

TEST_F(ResourceSetTest, DestructionAndClearingDeleteWhatTheSetHolds) {
  size_t pictures = LivePictures();
  int sounds = g_soundInstanceCount;
  { ResourceSet empty; }
  EXPECT_EQ(LivePictures(), pictures);
  EXPECT_EQ(g_soundInstanceCount, sounds);
  {
    ResourceSet set;
    set.AddImage(Picture(3), false);
    set.AddImage(Name("missing.png"), false);
    set.AddSound(Name("snd\\beep.wav"));
    set.AddStream(Name("music.ogg"));
    EXPECT_EQ(LivePictures(), pictures + 2);
    EXPECT_EQ(g_soundInstanceCount, sounds + 2);

    set.ClearSounds();
    EXPECT_EQ(g_soundInstanceCount, sounds + 1) << "only the sounds";
    EXPECT_EQ(LivePictures(), pictures + 2);
    EXPECT_EQ(set.GetSoundIndex(Name("snd\\beep.wav")), -1);
    set.AddSound(Name("snd\\boop.wav"));
    EXPECT_EQ(set.GetSoundIndex(Name("snd\\boop.wav")), 0) << "numbered from 0 again";

    set.ClearImages();
    EXPECT_EQ(LivePictures(), pictures);
    EXPECT_THROW(set.GetImage(0), std::out_of_range);
    set.AddImage(Picture(7), false);
  }
  EXPECT_EQ(LivePictures(), pictures);
  EXPECT_EQ(g_soundInstanceCount, sounds);
}

TEST_F(ResourceSetTest, SmoothChoosesTheFilteringTheBlitUses) {
  ResourceSet set;
  set.AddImage(Picture(3), false);
  set.AddImage(Picture(5), true);
  window_.FlipBackBuffer(false, true);

  auto filtersOfBlit = [&](int index) {
    platform::TakeDirectXCalls();
    platform::RecordDirectXCalls(true);
    set.GetImage(index)->BlitRect(0, 0, 2, 2, 10, 10, false, false);
    platform::RecordDirectXCalls(false);
    std::vector<DWORD> filters;
    for (const platform::DirectXCall& call : platform::TakeDirectXCalls()) {
      if (call.name == "SetTextureStageState" && call.args.size() == 3 &&
          (call.args[1] == D3DTSS_MAGFILTER || call.args[1] == D3DTSS_MINFILTER)) {
        filters.push_back(call.args[2]);
      }
    }
    return filters;
  };
  EXPECT_EQ(filtersOfBlit(0), (std::vector<DWORD>{D3DTFG_POINT, D3DTFN_POINT}));
  EXPECT_EQ(filtersOfBlit(1), (std::vector<DWORD>{D3DTFG_LINEAR, D3DTFN_LINEAR}));
}

// Names that are not in the set: nothing is found, nothing is added, nothing is deleted.
TEST_F(ResourceSetTest, MissingNamesFindNothingAndRemoveNothing) {
  size_t pictures = LivePictures();
  int sounds = g_soundInstanceCount;
  ResourceSet set;
  set.AddImage(Picture(3), false);
  set.AddImage(Picture(5), false);
  set.AddSound(Name("snd\\beep.wav"));
  set.AddStream(Name("music.ogg"));
  KGraphic* first = set.GetImage(0);
  KGraphic* second = set.GetImage(1);

  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(set.GetImageByName("nothing.png"), nullptr);
    EXPECT_EQ(set.GetImageIndex("nothing.png"), -1);
    EXPECT_EQ(set.GetImageIndex(Picture(3).substr(1)), -1);
    EXPECT_EQ(set.GetSoundByName("nothing.wav"), nullptr);
    EXPECT_EQ(set.GetSoundIndex("nothing.wav"), -1);
    set.RemoveImage("nothing.png");
    set.RemoveSound("nothing.wav");
    set.RemoveStream("nothing.ogg");
  }
  std::string upper = Picture(3);
  std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
  EXPECT_EQ(set.GetImageIndex(upper), -1) << "names compare case-sensitively";
  set.RemoveImage(upper);

  EXPECT_EQ(LivePictures(), pictures + 2);
  EXPECT_EQ(g_soundInstanceCount, sounds + 2);
  EXPECT_EQ(set.GetImage(0), first);
  EXPECT_EQ(set.GetImage(1), second);
  EXPECT_THROW(set.GetImage(2), std::out_of_range);
  EXPECT_EQ(set.GetImageIndex(Picture(5)), 1);
  EXPECT_NE(set.GetSound(0), nullptr);
  EXPECT_NE(set.GetStream(0), nullptr);
}

}  // namespace
