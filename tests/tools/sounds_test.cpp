// The five sound effects the build writes: 16-bit PCM WAVs that are short, audible, unclipped and
// free of clicks at their ends, and one Ogg Vorbis file that the game's decoder plays.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string SoundPath(const char* name) {
  return std::string(TUNDREL_GAME_DATA_DIR) + "/snd/sfx/" + name;
}

uint32_t Little(const std::vector<uint8_t>& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes.at(at + i);
  return value;
}

struct Wav {
  uint16_t format = 0, channels = 0, bitsPerSample = 0;
  uint32_t sampleRate = 0;
  std::vector<int16_t> samples;

  double Seconds() const { return static_cast<double>(samples.size()) / channels / sampleRate; }
};

// Reads the RIFF chunks the game's loader reads: "fmt " and "data".
Wav ReadWav(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  Wav wav;
  EXPECT_GE(bytes.size(), 12u);
  if (bytes.size() < 12) return wav;
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "WAVE");
  EXPECT_EQ(Little(bytes, 4, 4), bytes.size() - 8) << "the RIFF size covers the file";
  for (size_t at = 12; at + 8 <= bytes.size();) {
    std::string id(bytes.begin() + at, bytes.begin() + at + 4);
    uint32_t size = Little(bytes, at + 4, 4);
    EXPECT_LE(at + 8 + size, bytes.size()) << id;
    if (id == "fmt ") {
      wav.format = Little(bytes, at + 8, 2);
      wav.channels = Little(bytes, at + 10, 2);
      wav.sampleRate = Little(bytes, at + 12, 4);
      EXPECT_EQ(Little(bytes, at + 16, 4), wav.sampleRate * wav.channels * 2) << "byte rate";
      EXPECT_EQ(Little(bytes, at + 20, 2), wav.channels * 2u) << "block align";
      wav.bitsPerSample = Little(bytes, at + 22, 2);
    } else if (id == "data") {
      for (size_t i = 0; i + 1 < size && at + 9 + i < bytes.size(); i += 2) {
        wav.samples.push_back(static_cast<int16_t>(Little(bytes, at + 8 + i, 2)));
      }
    }
    at += 8 + size + (size & 1);
  }
  return wav;
}

int Peak(const std::vector<int16_t>& samples) {
  int peak = 0;
  for (int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

void ExpectCleanEnds(const std::vector<int16_t>& samples) {
  ASSERT_FALSE(samples.empty());
  EXPECT_LT(std::abs(samples.front()), 600) << "starts near silence";
  EXPECT_LT(std::abs(samples.back()), 300) << "ends in silence";
}

TEST(Sounds, EffectsAreShortSixteenBitPcmWavs) {
  for (const char* name :
       {"ball_paddle.wav", "ball_brick.wav", "snowball_paddle.wav", "chimney_paddle.wav"}) {
    SCOPED_TRACE(name);
    Wav wav = ReadWav(SoundPath(name));
    EXPECT_EQ(wav.format, 1) << "PCM";
    EXPECT_EQ(wav.bitsPerSample, 16);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.sampleRate, 44100u);
    ASSERT_FALSE(wav.samples.empty());
    EXPECT_GT(wav.Seconds(), 0.03);
    EXPECT_LT(wav.Seconds(), 0.6);
    int peak = Peak(wav.samples);
    EXPECT_GT(peak, 12000) << "audible";
    EXPECT_LT(peak, 32000) << "not clipped";
    ExpectCleanEnds(wav.samples);
  }
}

TEST(Sounds, BallOnPaddleIsOverBeforeTheNextBounceCanComeRound) {
  // The level plays it only while it is not playing already, so it must be brief.
  Wav wav = ReadWav(SoundPath("ball_paddle.wav"));
  ASSERT_GT(wav.sampleRate, 0u);
  EXPECT_LT(wav.Seconds(), 0.08);
}

TEST(Sounds, GiftCaughtIsAnOggVorbisChimeThatDecodes) {
  OggVorbis_File ogg;
  ASSERT_EQ(ov_fopen(SoundPath("present_paddle.ogg").c_str(), &ogg), 0);
  vorbis_info* info = ov_info(&ogg, -1);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->channels, 1);
  EXPECT_EQ(info->rate, 44100);

  std::vector<int16_t> samples;
  char buffer[8192];
  int section = 0;
  long count;
  while ((count = ov_read(&ogg, buffer, sizeof buffer, 0, 2, 1, &section)) > 0) {
    const int16_t* pcm = reinterpret_cast<const int16_t*>(buffer);
    samples.insert(samples.end(), pcm, pcm + count / 2);
  }
  EXPECT_EQ(count, 0) << "decodes to the end without error";
  ov_clear(&ogg);

  double seconds = static_cast<double>(samples.size()) / 44100;
  EXPECT_GT(seconds, 0.5);
  EXPECT_LT(seconds, 1.5);
  EXPECT_GT(Peak(samples), 12000);
  ExpectCleanEnds(samples);
}

}  // namespace
