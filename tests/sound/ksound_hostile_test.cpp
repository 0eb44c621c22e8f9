// Broken and hostile WAV, Ogg Vorbis and tracker module images: every read stays inside the
// image, and a load either fails cleanly or gives a sound no longer than what the image holds.
#include <cstdint>
#include <filesystem>
#include <string>

#include "ModuleCheck.h"
#include "module_fixtures.h"
#include "sound_test_support.h"

using sound_fixtures::Chunk;
using sound_fixtures::EncodeOgg;
using sound_fixtures::FormatPayload;
using sound_fixtures::Riff;
using sound_fixtures::Wav16;

namespace {

class KSoundHostile : public SoundTest {};

// A fixed sequence of pseudo-random bytes.
class Bytes {
 public:
  explicit Bytes(uint32_t seed) : state_(seed) {}
  uint8_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return uint8_t(state_ >> 24);
  }

 private:
  uint32_t state_;
};

}  // namespace

TEST_F(KSoundHostile, EveryCutOfAWavImageLoadsNoMoreThanItHolds) {
  const std::string wav = Wav16(2, 44100, std::vector<int16_t>(40, 1234));
  const size_t dataStart = wav.find("data") + 8;
  for (size_t size = 0; size <= wav.size(); ++size) {
    // An exact-size copy, so that any read past the end is caught.
    std::vector<uint8_t> image(wav.begin(), wav.begin() + long(size));
    KSound sound;
    bool loaded = sound.LoadSampleFromMemory(image.data(), int(image.size()), 0, 100, false, 2);
    EXPECT_EQ(loaded, size >= dataStart + 4) << size;
    if (loaded) {
      EXPECT_EQ(platform::ListSoundBuffers()[0].bytes, size - dataStart);
    }
  }
}

TEST_F(KSoundHostile, TagsAtTheVeryEndAreNotReadPast) {
  const std::string format = Chunk("fmt ", FormatPayload(1, 16, 44100));
  for (std::string image :
       {std::string("RIFF....WAVEfmt "), std::string("RIFF....WAVEdata"), format + "data",
        format + "dat", std::string("RIFF....WAVEfmt \x10\0\0\0\1", 21)}) {
    std::vector<uint8_t> exact(image.begin(), image.end());
    KSound sound;
    EXPECT_FALSE(sound.LoadSampleFromMemory(exact.data(), int(exact.size()), 0, 100, false, 1))
        << image;
  }
}

TEST_F(KSoundHostile, RandomImagesWithScatteredTagsNeverReadOutside) {
  Bytes random(7);
  const char* tags[] = {"fmt ", "data", "RIFF", "WAVE"};
  int loads = 0;
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> image(8 + random.Next() % 120);
    for (uint8_t& byte : image) byte = random.Next();
    for (int t = 0; t < 3; ++t) {
      size_t at = random.Next() % image.size();
      const char* tag = tags[random.Next() % 4];
      for (size_t i = 0; i < 4 && at + i < image.size(); ++i) image[at + i] = uint8_t(tag[i]);
    }
    KSound sound;
    if (sound.LoadSampleFromMemory(image.data(), int(image.size()), 0, 100, round % 2, 2)) {
      ++loads;
      ASSERT_LE(platform::ListSoundBuffers()[0].bytes, image.size());
      sound.PlaySample();
      platform::Mix(64);
    }
  }
  SUCCEED() << loads << " images loaded";
}

TEST_F(KSoundHostile, CutOggImagesFailOrDecodeWhatTheyHold) {
  const std::string ogg = EncodeOgg(2, 22050, 9000);
  for (size_t size = 0; size < ogg.size(); size += 97) {
    std::vector<uint8_t> image(ogg.begin(), ogg.begin() + long(size));
    KSound sample;
    if (sample.LoadSampleFromMemory(image.data(), int(size), 1, 100, false, 1)) {
      EXPECT_LT(platform::ListSoundBuffers()[0].bytes, 9000u * 4) << size;
    }
    KSound stream;
    if (stream.LoadStreamFromMemory(image.data(), int(size))) {
      stream.PlayLooping();
      for (int i = 0; i < 3; ++i) {
        stream.PollOggStream(0);
        platform::Mix(16384);
      }
    }
  }
  platform::TakeMessageBoxes();
  KSound whole;
  EXPECT_TRUE(whole.LoadSampleFromMemory(ogg.data(), int(ogg.size()), 1, 100, false, 1));
}

TEST_F(KSoundHostile, DamagedOggPagesAreSkippedOrSilenced) {
  const std::string ogg = EncodeOgg(2, 44100, 30000);
  // The first two pages hold the headers; leave them alone so that the decoder opens.
  const size_t audio = ogg.find("OggS", ogg.find("OggS", 4) + 4);
  ASSERT_NE(audio, std::string::npos);
  Bytes random(11);
  for (int round = 0; round < 20; ++round) {
    std::string damaged = ogg;
    for (int i = 0; i < 40; ++i) {
      size_t at = audio + (random.Next() * 257u + random.Next()) % (ogg.size() - audio);
      damaged[at] = char(random.Next());
    }
    KSound sample;
    if (sample.LoadSampleFromMemory(damaged.data(), int(damaged.size()), 1, 100, false, 1)) {
      EXPECT_LE(platform::ListSoundBuffers()[0].bytes, 30000u * 4 + 8192u);
    }
    KSound stream;
    ASSERT_TRUE(stream.LoadStreamFromMemory(damaged.data(), int(damaged.size())));
    stream.PlayLooping();
    for (int i = 0; i < 6; ++i) {
      stream.PollOggStream(0);
      platform::Mix(16384);
    }
  }
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}

TEST_F(KSoundHostile, CutModuleFilesFailOrPlay) {
  const std::string mod = sound_fixtures::MakeMod(12);
  for (size_t size = 0; size <= mod.size(); size += 61) {
    KSound sound;
    const bool loaded = sound.LoadModule(File("cut.mod", mod.substr(0, size)).c_str());
    // Without its pattern a module has nothing to play.
    if (size < 1084 + 1024) {
      EXPECT_FALSE(loaded) << size;
    }
    if (loaded) {
      sound.PlayLooping();
      sound.PollModule();
      platform::Mix(16384);
    }
  }
  KSound whole;
  EXPECT_TRUE(whole.LoadModule(File("whole.mod", mod).c_str()));
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}

// The player divides by a header's initial tempo (for XM, by the low byte of its two).
TEST_F(KSoundHostile, ModulesWhoseHeaderGivesNoTempoAreRefused) {
  using namespace module_fixtures;
  const struct {
    const char* name;
    std::string module;
    size_t tempo;
  } formats[] = {{"it", MakeIt(), kItTempoOffset},
                 {"xm", MakeXm(), kXmTempoOffset},
                 {"s3m", MakeS3m(), kS3mTempoOffset}};
  for (const auto& format : formats) {
    for (int tempo : {0, 1, 125}) {
      std::string module = format.module;
      module[format.tempo] = char(tempo);
      if (std::string(format.name) == "xm") module[format.tempo + 1] = char(tempo == 0 ? 1 : 0);
      KSound sound;
      const bool loaded =
          sound.LoadModule(File(std::string("tempo.") + format.name, module).c_str());
      EXPECT_EQ(loaded, tempo != 0) << format.name << " at tempo " << tempo;
      if (!loaded) continue;
      // The buffer starts silent: the first refill plays once the cursor has left it.
      sound.PlayLooping();
      bool heard = false;
      for (int half = 0; half < 3; ++half) {
        sound.PollModule();
        heard = heard || !IsSilent(platform::Mix(16384));
      }
      EXPECT_TRUE(heard) << format.name << " at tempo " << tempo;
    }
  }
}

namespace {

// The module with `value` written at `offset`, little-endian, in `bytes` bytes.
std::string With(std::string module, size_t offset, uint32_t value, size_t bytes = 1) {
  for (size_t i = 0; i < bytes; ++i) module[offset + i] = char(value >> (8 * i));
  return module;
}

}  // namespace

// The player allocates a sample's length before it reads the sample (and loses the XM samples it
// has read when it cannot read what follows), and resamples for minutes at a rate of billions. It
// plays an IT pattern of no rows, which it used to run through for good while it measured the song.
TEST_F(KSoundHostile, ModulesThePlayerWouldFailOnAreRefused) {
  using namespace module_fixtures;
  const std::string xm = MakeXm(), s3m = MakeS3m(), it = MakeIt();
  // The player takes an instrument of any type but 0 for a sample.
  const std::string s3mOfOddType = With(s3m, kS3mInstrumentTypeOffset, 'W');
  // A second instrument like the first, then one whose volume or panning envelope is on with one
  // point.
  const size_t second = xm.size();
  const std::string xmTwo =
      With(xm + xm.substr(xm.size() - kXmInstrumentBytes), kXmInstrumentsOffset, 2);
  const std::string xmTwoEnveloped =
      With(With(xmTwo, second + kXmVolumeTypeOffset, 1), second + kXmVolumePointsOffset, 1);
  const std::string xmTwoPanned =
      With(With(xmTwo, second + kXmPanTypeOffset, 1), second + kXmPanPointsOffset, 1);
  const struct {
    const std::string& module;
    size_t offset, bytes;
    uint32_t value;
    bool loads;
  } fields[] = {{xm, kXmSampleLengthOffset, 4, 32, true},
                {xm, kXmSampleLengthOffset, 4, 33, false},
                {xm, kXmSampleLengthOffset, 4, uint32_t(xm.size()) + 1, false},
                {xm, kXmSampleLengthOffset, 4, 0x72617571, false},
                {xm, kXmInstrumentsOffset, 2, 129, false},
                {xm, kXmInstrumentsOffset, 2, 2, false},
                {xmTwo, second + kXmVibratoOffset, 1, 3, true},
                {xmTwo, second + kXmVibratoOffset, 1, 4, false},
                {xmTwo, second + kXmSampleHeaderSizeOffset, 4, 41, false},
                {xmTwoEnveloped, second + kXmVolumePointsOffset, 1, 12, true},
                {xmTwoEnveloped, second + kXmVolumePointsOffset, 1, 13, false},
                {xmTwoEnveloped, second + kXmVolumeValueOffset, 2, 64, true},
                {xmTwoEnveloped, second + kXmVolumeValueOffset, 2, 65, false},
                {xmTwo, second + kXmVolumePointsOffset, 1, 13, true},  // the envelope is off
                {xmTwoPanned, second + kXmPanPointsOffset, 1, 13, false},
                {xmTwoPanned, second + kXmPanValueOffset, 2, 64, true},
                {xmTwoPanned, second + kXmPanValueOffset, 2, 65, false},
                {s3m, kS3mSampleLengthOffset, 4, 32, true},
                {s3m, kS3mSampleLengthOffset, 4, uint32_t(s3m.size()) + 1, false},
                {it, kItSampleLengthOffset, 4, 32, true},
                {it, kItSampleLengthOffset, 4, uint32_t(it.size()) + 1, false},
                {it, kItSampleLengthOffset, 4, 0x7FFFFFF0, false},
                {it, kItSampleRateOffset, 4, 9999999, true},
                {it, kItSampleRateOffset, 4, 10000000, false},
                {s3m, kS3mSampleRateOffset, 4, 9999999, true},
                {s3m, kS3mSampleRateOffset, 4, 1702043819, false},
                {s3mOfOddType, kS3mSampleRateOffset, 4, 8363, true},
                {s3mOfOddType, kS3mSampleRateOffset, 4, 1744838827, false},
                {s3mOfOddType, kS3mSampleLengthOffset, 4, uint32_t(s3m.size()) + 1, false},
                {it, kItPatternRowsOffset, 2, 1, true},
                {it, kItPatternRowsOffset, 2, 0, true},
                {xm, kXmPatternRowsOffset, 2, 0, false}};
  for (const auto& field : fields) {
    const std::string module = With(field.module, field.offset, field.value, field.bytes);
    const std::string name = module.substr(0, 4) + " " + std::to_string(field.value);
    // Checked before the player could allocate anything.
    EXPECT_EQ(ModulePlayable(reinterpret_cast<const uint8_t*>(module.data()), module.size()),
              field.loads)
        << name;
    KSound sound;
    EXPECT_EQ(sound.LoadModule(File("claims.mod", module).c_str()), field.loads) << name;
  }
}

// The player steps through a note's sample by a whole number of 65536ths of a frame for each frame
// it renders, and divides by that step: a note that slow plays a held value. Slow ones: the lowest
// note, C-0, which plays five octaves under the sample's rate, on samples of a few hertz, and a
// 435 Hz sample slid down to the player's lowest pitch (linear slides, portamento down by 0xDF on
// each of 30 ticks).
TEST_F(KSoundHostile, NotesTooSlowToStepThroughTheirSampleHoldStill) {
  using namespace module_fixtures;
  using namespace std::string_literals;

  std::string slid = With(With(With(MakeIt(), kItSampleRateOffset, 435, 4), kItFlagsOffset, 9),
                          kItSpeedOffset, 31);
  const std::string slide = "\x81\x0B\x00\x01\x05\xDF\0"s;
  slid[kItPatternLengthOffset] = char(slide.size());
  slid.replace(kItPatternDataOffset, slide.size(), slide);
  const struct {
    const char* name;
    std::string module;
  } cases[] = {
      {"it at 10 Hz", With(With(MakeIt(), kItNoteOffset, 0), kItSampleRateOffset, 10, 4)},
      {"it at 0 Hz", With(With(MakeIt(), kItNoteOffset, 0), kItSampleRateOffset, 0, 4)},
      {"s3m at 5 Hz", With(With(MakeS3m(), kS3mNoteOffset, 0), kS3mSampleRateOffset, 5, 4)},
      {"xm 127 semitones down",
       With(With(MakeXm(), kXmNoteOffset, 1), kXmRelativeNoteOffset, 0x81)},
      {"it slid down", slid},
  };
  for (const auto& row : cases) {
    KSound sound;
    ASSERT_TRUE(sound.LoadModule(File("slow.mod", row.module).c_str())) << row.name;
    sound.PlayLooping();
    bool heard = false;
    for (int half = 0; half < 8; ++half) {
      sound.PollModule();
      heard = heard || !IsSilent(platform::Mix(16384));
    }
    EXPECT_TRUE(heard) << row.name;
  }
}

// The player ends the process when it comes to read a compressed stereo sample, writes a file
// "dupentry.txt" into the current folder for a row with two entries on one channel, and completes
// an entry cut short by its pattern's end from memory it never filled.
TEST_F(KSoundHostile, ItModulesThePlayerWouldStopOnOrWriteAboutAreRefused) {
  using namespace module_fixtures;
  using namespace std::string_literals;
  // Channel 1 (bit 7: a mask follows) with a note and an instrument; 0 ends a row.
  const std::string note = "\x81\x03\x3C\x01"s;
  const struct {
    const char* name;
    uint8_t sampleFlags;
    uint32_t sampleLength;
    std::string rows;
    bool loads;
  } cases[] = {
      {"compressed stereo", 0x1D, 32, note + '\0', false},
      {"compressed stereo of length 1", 0x1D, 1, note + '\0', true},
      {"compressed stereo, no data", 0x1C, 32, note + '\0', true},
      {"stereo", 0x15, 32, note + '\0', true},
      {"one channel twice", 0x11, 32, note + note + '\0', false},
      {"channels 1 and 65", 0x11, 32, note + "\xC1\x03\x3C\x01\0"s, false},
      {"the channel's kept mask", 0x11, 32, note + "\x01\x3C\x01\0"s, false},
      {"an effect only, twice", 0x11, 32, "\x81\x08\x01\x02\x01\x01\x02\0"s, false},
      {"a second entry holding nothing", 0x11, 32, note + "\x81\0\0"s, true},
      {"one channel on two rows", 0x11, 32, note + '\0' + note + '\0', true},
      {"two channels", 0x11, 32, note + "\x82\x03\x3C\x01\0"s, true},
      {"a row not ended", 0x11, 32, note, true},
      {"an instrument cut short", 0x11, 32, note.substr(0, 3), false},
      {"a mask cut short", 0x11, 32, note + '\0' + '\x81', false},
  };
  CurrentFolder current(Folder().Path());
  for (const auto& row : cases) {
    std::string module = With(With(MakeIt(), kItSampleFlagsOffset, row.sampleFlags),
                              kItSampleLengthOffset, row.sampleLength, 4);
    ASSERT_LE(row.rows.size(), kItPatternRoom) << row.name;
    module[kItPatternLengthOffset] = char(row.rows.size());
    module.replace(kItPatternDataOffset, row.rows.size(), row.rows);
    EXPECT_EQ(ModulePlayable(reinterpret_cast<const uint8_t*>(module.data()), module.size()),
              row.loads)
        << row.name;
    KSound sound;
    EXPECT_EQ(sound.LoadModule(File("rows.it", module).c_str()), row.loads) << row.name;
    EXPECT_FALSE(std::filesystem::exists(Folder().File("dupentry.txt"))) << row.name;
  }
}

TEST_F(KSoundHostile, DecodingGoesOnAfterAMissingPage) {
  const long frames = 44100 * 5;
  const std::string ogg = EncodeOgg(2, 44100, frames);
  std::vector<size_t> pages;
  for (size_t at = ogg.find("OggS"); at != std::string::npos; at = ogg.find("OggS", at + 4))
    pages.push_back(at);
  ASSERT_GT(pages.size(), 5u);  // two header pages, then audio
  const size_t gone = pages.size() / 2;
  const std::string holed = ogg.substr(0, pages[gone]) + ogg.substr(pages[gone + 1]);

  KSound sample;
  ASSERT_TRUE(sample.LoadSampleFromMemory(holed.data(), int(holed.size()), 1, 100, false, 1));
  const uint32_t bytes = platform::ListSoundBuffers()[0].bytes;
  EXPECT_LT(bytes, uint32_t(frames * 4));
  EXPECT_GT(bytes, uint32_t(frames * 4) / 2);
  // The audio after the hole is decoded too.
  sample.PlaySample();
  const std::vector<int16_t> played = platform::Mix(bytes / 4);
  EXPECT_FALSE(IsSilent(std::vector<int16_t>(played.end() - 2 * 44100, played.end())));
}
