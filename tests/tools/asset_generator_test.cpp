// The asset generator itself: the same bytes on every run, and clear failures for bad arguments.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const kGeneratedFiles[] = {
    "img/bg/nivra_hills1.jpg",    "img/bg/menu.jpg",        "img/bg/finish.jpg",
    "img/bg/gameover.jpg",        "img/spr/plasko.png",     "snd/sfx/ball_paddle.wav",
    "snd/sfx/present_paddle.ogg", "snd/sfx/ball_brick.wav", "snd/sfx/snowball_paddle.wav",
    "snd/sfx/chimney_paddle.wav",
};

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

int RunGenerator(const std::string& arguments) {
  std::string command =
      std::string("\"") + TUNDREL_ASSET_GENERATOR + "\" " + arguments + " 2>/dev/null";
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class AssetGeneratorTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("asset_generator_" +
               std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(AssetGeneratorTest, WritesTheSameBytesAsTheBuildDid) {
  ASSERT_EQ(RunGenerator("\"" + folder_.string() + "\" \"" + TUNDREL_GAME_FONT + "\""), 0);
  for (const char* name : kGeneratedFiles) {
    SCOPED_TRACE(name);
    std::string again = ReadFile(folder_ / name);
    EXPECT_FALSE(again.empty());
    EXPECT_TRUE(again == ReadFile(fs::path(TUNDREL_GAME_DATA_DIR) / name)) << "differs";
  }
}

TEST_F(AssetGeneratorTest, FailsWithoutWritingWhenTheFontIsMissing) {
  EXPECT_EQ(
      RunGenerator("\"" + folder_.string() + "\" \"" + (folder_ / "none.ttf").string() + "\""), 1);
  EXPECT_FALSE(fs::exists(folder_ / "img/bg/menu.jpg"));
}

TEST_F(AssetGeneratorTest, AsksForBothArguments) {
  EXPECT_EQ(RunGenerator(""), 2);
  EXPECT_EQ(RunGenerator("\"" + folder_.string() + "\""), 2);
}

}  // namespace
