// The level files the game reads from its levels folder, read through the game's XML reader: each
// is well-formed, within the limits of the level table, winnable, and exercises its share of rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "IrrXMLReader.h"

namespace {

struct Object {
  int x, y, type, state;
  bool IsGift() const { return type >= 0 && type <= 2; }
};

struct Level {
  bool readable = false;
  int levelElements = 0;
  std::string name, descr;
  bool hasName = false, hasDescr = false;
  int brickCnt = 0, neededBrickCnt = 0;
  std::vector<Object> objects;

  int Gifts() const {
    int gifts = 0;
    for (const Object& o : objects) gifts += o.IsGift();
    return gifts;
  }
  int CatchableGifts() const {
    int gifts = 0;
    for (const Object& o : objects) gifts += o.IsGift() && o.state != 9;
    return gifts;
  }
  std::set<int> Types() const {
    std::set<int> types;
    for (const Object& o : objects) types.insert(o.type);
    return types;
  }
  std::set<int> States() const {
    std::set<int> states;
    for (const Object& o : objects) states.insert(o.state);
    return states;
  }
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string LevelPath(int number) {
  return std::string(TUNDREL_GAME_DATA_DIR) + "/levels/" + std::to_string(number) + ".xml";
}

Level ReadLevel(int number) {
  Level level;
  std::unique_ptr<IrrXMLReader> reader(createIrrXMLReader(LevelPath(number).c_str()));
  if (!reader) return level;
  while (reader->read()) {
    if (reader->getNodeType() != kXmlNodeElement) continue;
    std::string element = reader->getNodeName();
    if (element == "level") {
      ++level.levelElements;
      level.readable = true;
      level.hasName = reader->getAttributeValue("name") != nullptr;
      level.hasDescr = reader->getAttributeValue("descr") != nullptr;
      if (level.hasName) level.name = reader->getAttributeValue("name");
      if (level.hasDescr) level.descr = reader->getAttributeValue("descr");
      level.brickCnt = reader->getAttributeValueAsInt("brickCnt");
      level.neededBrickCnt = reader->getAttributeValueAsInt("neededBrickCnt");
    } else if (element == "object") {
      for (const char* attribute : {"x", "y", "type", "state"}) {
        EXPECT_NE(reader->getAttributeValue(attribute), nullptr) << "object without " << attribute;
      }
      level.objects.push_back(
          {reader->getAttributeValueAsInt("x"), reader->getAttributeValueAsInt("y"),
           reader->getAttributeValueAsInt("type"), reader->getAttributeValueAsInt("state")});
    }
  }
  return level;
}

TEST(Levels, AreNumberedOneToFiveWithoutAGap) {
  for (int number = 1; number <= 5; ++number) {
    EXPECT_TRUE(std::filesystem::is_regular_file(LevelPath(number))) << number;
  }
  // Winning the fifth level shows the finish screen because there is no sixth.
  EXPECT_FALSE(std::filesystem::exists(LevelPath(6)));
}

TEST(Levels, InTheGameFolderAreCopiesOfTheHandWrittenFiles) {
  int copied = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TUNDREL_LEVEL_SOURCES)) {
    if (entry.path().extension() != ".xml") continue;
    SCOPED_TRACE(entry.path().filename().string());
    auto copy = std::filesystem::path(TUNDREL_GAME_DATA_DIR) / "levels" / entry.path().filename();
    EXPECT_EQ(ReadFile(copy), ReadFile(entry.path()));
    ++copied;
  }
  EXPECT_EQ(copied, 5);
}

TEST(Levels, StayWithinTheLimitsOfTheLevelTable) {
  for (int number = 1; number <= 5; ++number) {
    SCOPED_TRACE("level " + std::to_string(number));
    Level level = ReadLevel(number);
    ASSERT_TRUE(level.readable) << "no level element, or not well-formed";
    EXPECT_EQ(level.levelElements, 1);
    ASSERT_TRUE(level.hasName);
    ASSERT_TRUE(level.hasDescr);
    EXPECT_FALSE(level.name.empty());
    EXPECT_LE(level.name.size(), 24u) << "fits the window in the 50-pixel font";
    EXPECT_LE(level.descr.size(), 24u);
    EXPECT_GE(level.brickCnt, 1);
    EXPECT_LE(level.brickCnt, 70);
    EXPECT_EQ(static_cast<int>(level.objects.size()), level.brickCnt)
        << "every object listed is in play";
    for (const Object& o : level.objects) {
      EXPECT_TRUE(o.type >= 0 && o.type <= 4) << "type " << o.type;
      EXPECT_TRUE(o.state == 0 || o.state == 1 || o.state == 9) << "state " << o.state;
      // Hanging in the upper part of the window, and inside the walls a falling object bounces off.
      EXPECT_GE(o.x, 0);
      EXPECT_LE(o.x + 80, 800);
      EXPECT_GE(o.y, -100);
      EXPECT_LE(o.y, 260);
    }
  }
}

TEST(Levels, AskNoMoreGiftsThanCanBeCaught) {
  for (int number = 1; number <= 5; ++number) {
    SCOPED_TRACE("level " + std::to_string(number));
    Level level = ReadLevel(number);
    EXPECT_GE(level.neededBrickCnt, 1);
    EXPECT_LE(level.neededBrickCnt, level.Gifts());
    EXPECT_LE(level.neededBrickCnt, level.CatchableGifts()) << "absent gifts cannot be caught";
  }
}

TEST(Levels, IntroduceTheRulesOneAfterAnother) {
  EXPECT_EQ(ReadLevel(1).Types(), (std::set<int>{0, 1, 2})) << "gifts only";
  EXPECT_TRUE(ReadLevel(2).Types().count(3)) << "snowballs";
  EXPECT_TRUE(ReadLevel(3).Types().count(4)) << "chimneys";
  EXPECT_EQ(ReadLevel(4).States(), (std::set<int>{0, 1, 9})) << "every object state";
}

TEST(Levels, LastLevelIsFullAndNeedsASecondColumnOfGiftIcons) {
  Level level = ReadLevel(5);
  EXPECT_EQ(level.brickCnt, 70);
  EXPECT_EQ(level.objects.size(), 70u);
  EXPECT_GT(level.Gifts(), 25) << "the gift counter holds 25 icons a column";
  EXPECT_EQ(level.Types(), (std::set<int>{0, 1, 2, 3, 4}));
}

}  // namespace
