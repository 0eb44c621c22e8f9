// The asset generator itself: the same bytes on every run, and clear failures for bad arguments.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "temp_folder.h"

namespace {

const char* const kGeneratedFiles[] = {
    "img/bg/nivra_hills1.jpg",    "img/bg/menu.jpg",        "img/bg/finish.jpg",
    "img/bg/gameover.jpg",        "img/spr/plasko.png",     "snd/sfx/ball_paddle.wav",
    "snd/sfx/present_paddle.ogg", "snd/sfx/ball_brick.wav", "snd/sfx/snowball_paddle.wav",
    "snd/sfx/chimney_paddle.wav",
};

std::string ReadFile(const std::filesystem::path& path) {
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
  std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
  TempFolder folder_;
};

TEST_F(AssetGeneratorTest, WritesTheSameBytesAsTheBuildDid) {
  ASSERT_EQ(RunGenerator(Quoted(folder_.Path()) + " " + Quoted(TUNDREL_GAME_FONT)), 0);
  for (const char* name : kGeneratedFiles) {
    SCOPED_TRACE(name);
    std::string again = folder_.Read(name);
    EXPECT_FALSE(again.empty());
    EXPECT_TRUE(again == ReadFile(std::filesystem::path(TUNDREL_GAME_DATA_DIR) / name))
        << "differs";
  }
}

TEST_F(AssetGeneratorTest, FailsWithoutWritingWhenTheFontIsMissing) {
  EXPECT_EQ(RunGenerator(Quoted(folder_.Path()) + " " + Quoted(folder_.File("none.ttf"))), 1);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("img/bg/menu.jpg")));
}

TEST_F(AssetGeneratorTest, AsksForBothArguments) {
  EXPECT_EQ(RunGenerator(""), 2);
  EXPECT_EQ(RunGenerator(Quoted(folder_.Path())), 2);
}

}  // namespace
