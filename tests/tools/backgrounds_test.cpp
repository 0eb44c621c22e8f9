// The four screen backgrounds the build writes: full-window JPEGs, the level's message band dark
// enough for white text, and the menu and end screens with their words on them.
#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string BackgroundPath(const char* name) {
  return std::string(TUNDREL_GAME_DATA_DIR) + "/img/bg/" + name;
}

// Luminance from 0 to 1 of every pixel of a region, top to bottom.
class Picture {
 public:
  explicit Picture(const std::string& path) {
    unsigned char* pixels = stbi_load(path.c_str(), &width_, &height_, &channels_, 3);
    if (pixels == nullptr) return;
    for (int i = 0; i < width_ * height_; ++i) {
      const unsigned char* p = pixels + i * 3;
      luminance_.push_back((0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]) / 255.0);
    }
    stbi_image_free(pixels);
  }
  bool Loaded() const { return !luminance_.empty(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Channels() const { return channels_; }

  std::vector<double> Region(int left, int top, int right, int bottom) const {
    std::vector<double> values;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) values.push_back(luminance_[y * width_ + x]);
    }
    return values;
  }

 private:
  int width_ = 0, height_ = 0, channels_ = 0;
  std::vector<double> luminance_;
};

double Mean(const std::vector<double>& values) {
  double sum = 0;
  for (double v : values) sum += v;
  return sum / values.size();
}

double Percentile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(share * (values.size() - 1))];
}

TEST(Backgrounds, AreOpaqueJpegsOfTheWindowsSize) {
  for (const char* name : {"nivra_hills1.jpg", "menu.jpg", "finish.jpg", "gameover.jpg"}) {
    SCOPED_TRACE(name);
    std::ifstream file(BackgroundPath(name), std::ios::binary);
    unsigned char start[3] = {};
    file.read(reinterpret_cast<char*>(start), 3);
    EXPECT_EQ(start[0], 0xFF);
    EXPECT_EQ(start[1], 0xD8) << "JPEG start-of-image marker";
    Picture picture(BackgroundPath(name));
    ASSERT_TRUE(picture.Loaded());
    EXPECT_EQ(picture.Width(), 800);
    EXPECT_EQ(picture.Height(), 600);
    EXPECT_EQ(picture.Channels(), 3);
  }
}

TEST(Backgrounds, LevelKeepsTheMessageBandDarkEnoughForWhiteText) {
  Picture level(BackgroundPath("nivra_hills1.jpg"));
  ASSERT_TRUE(level.Loaded());
  // The two 50-pixel lines start at (120, 80) and (120, 180) and may run to the right edge.
  std::vector<double> band = level.Region(110, 70, 800, 250);
  EXPECT_LT(Mean(band), 0.2);
  EXPECT_LT(Percentile(band, 0.99), 0.45) << "no bright patches behind the text";
}

TEST(Backgrounds, LevelHasLitSnowAtTheBottomAndADarkSkyAboveIt) {
  Picture level(BackgroundPath("nivra_hills1.jpg"));
  ASSERT_TRUE(level.Loaded());
  EXPECT_GT(Mean(level.Region(0, 560, 800, 600)), 0.7);
  EXPECT_LT(Mean(level.Region(0, 0, 800, 60)), Mean(level.Region(0, 300, 800, 340)));
}

TEST(Backgrounds, ScreensCarryTheirWordsInTheSkyAboveTheHills) {
  // The words are the only near-white pixels in the dark sky: count them where the text stands.
  for (const char* name : {"menu.jpg", "finish.jpg", "gameover.jpg"}) {
    SCOPED_TRACE(name);
    Picture screen(BackgroundPath(name));
    ASSERT_TRUE(screen.Loaded());
    std::vector<double> words = screen.Region(100, 90, 700, 340);
    long bright = std::count_if(words.begin(), words.end(), [](double v) { return v > 0.75; });
    EXPECT_GT(bright, 8000);
    std::vector<double> sky = screen.Region(0, 0, 800, 60);
    long brightSky = std::count_if(sky.begin(), sky.end(), [](double v) { return v > 0.75; });
    EXPECT_LT(brightSky, bright / 10);
  }
}

}  // namespace
