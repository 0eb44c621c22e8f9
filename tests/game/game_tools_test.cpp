// The small helpers of the screens and the level: random numbers, the file test and the value
// search. The frame-rate display is tested with the screens, which drive it.
#include "GameTools.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

#include "screen_app_folder.h"

namespace {

TEST(RandomTest, SameSeedGivesTheSameFifteenBitSequence) {
  SeedRandom(1234);
  std::vector<int> first;
  for (int i = 0; i < 1000; ++i) first.push_back(Random15());
  SeedRandom(1234);
  std::vector<int> second;
  for (int i = 0; i < 1000; ++i) second.push_back(Random15());
  EXPECT_EQ(first, second);

  SeedRandom(1235);
  std::vector<int> other;
  for (int i = 0; i < 1000; ++i) other.push_back(Random15());
  EXPECT_NE(first, other);
}

TEST(RandomTest, ValuesCoverZeroTo32767) {
  SeedRandom(7);
  int lowest = INT_MAX, highest = INT_MIN;
  std::set<int> seen;
  for (int i = 0; i < 200000; ++i) {
    int value = Random15();
    lowest = std::min(lowest, value);
    highest = std::max(highest, value);
    seen.insert(value);
  }
  EXPECT_GE(lowest, 0);
  EXPECT_LE(highest, 32767);
  EXPECT_LT(lowest, 20);
  EXPECT_GT(highest, 32747);
  EXPECT_GT(seen.size(), 30000u) << "the values spread over the whole range";
}

TEST(RandomTest, RangeFourFromMinusTwoGivesMinusTwoToOne) {
  SeedRandom(99);
  std::set<int> seen;
  for (int i = 0; i < 10000; ++i) seen.insert(RandomRange(-2, 4));
  EXPECT_EQ(seen, (std::set<int>{-2, -1, 0, 1}));
}

TEST(RandomTest, RangeOneAndZeroGiveTheBase) {
  SeedRandom(5);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(RandomRange(17, 1), 17);
    ASSERT_EQ(RandomRange(-3, 0), -3);
  }
}

TEST(RandomTest, NegativeRangeCountsDownFromTheBase) {
  SeedRandom(3);
  std::set<int> seen;
  for (int i = 0; i < 10000; ++i) seen.insert(RandomRange(10, -3));
  EXPECT_EQ(seen, (std::set<int>{8, 9, 10}));
}

// A range whose product with a 15-bit value is beyond an int still stays in the range.
TEST(RandomTest, WideRangeStaysInsideTheRange) {
  SeedRandom(11);
  const int range = 1 << 20;
  int highest = 0;
  for (int i = 0; i < 20000; ++i) {
    int value = RandomRange(100, range);
    ASSERT_GE(value, 100);
    ASSERT_LT(value, 100 + range);
    highest = std::max(highest, value);
  }
  EXPECT_GT(highest, 100 + range / 2);
}

TEST(FileExistsTest, TrueExactlyForAReadableFileBesideTheProgram) {
  AppSubfolder folder("screen_files");
  folder.Write("level.xml", "<level/>");
  folder.Write("deeper/empty.txt", "");

  EXPECT_TRUE(FileExists((folder.Name() + "\\level.xml").c_str()));
  EXPECT_TRUE(FileExists((folder.Name() + "/level.xml").c_str()));
  EXPECT_TRUE(FileExists(("\\" + folder.Name() + "\\level.xml").c_str()))
      << "one leading backslash is skipped";
  EXPECT_TRUE(FileExists((folder.Name() + "\\deeper\\empty.txt").c_str())) << "empty files count";

  EXPECT_FALSE(FileExists((folder.Name() + "\\missing.xml").c_str()));
  EXPECT_FALSE(FileExists((folder.Name() + "\\LEVEL.XML").c_str())) << "names are case-sensitive";
  EXPECT_FALSE(FileExists((folder.Name() + "\\deeper").c_str())) << "a folder is not a file";
  EXPECT_FALSE(FileExists(folder.Name().c_str()));
}

TEST(FileExistsTest, ARemovedFileIsMissing) {
  AppSubfolder folder("screen_files");
  folder.Write("2.xml", "x");
  std::string name = folder.Name() + "\\2.xml";
  ASSERT_TRUE(FileExists(name.c_str()));
  std::filesystem::remove(folder.File("2.xml"));
  EXPECT_FALSE(FileExists(name.c_str()));
}

TEST(ArrayContainsTest, SearchesOnlyTheFirstCountValues) {
  const int values[] = {4, -1, 9, 9, 0};
  EXPECT_TRUE(ArrayContains(values, 4, 5));
  EXPECT_TRUE(ArrayContains(values, 0, 5));
  EXPECT_TRUE(ArrayContains(values, -1, 2));
  EXPECT_FALSE(ArrayContains(values, 9, 2)) << "beyond the count";
  EXPECT_FALSE(ArrayContains(values, 7, 5));
  EXPECT_FALSE(ArrayContains(values, 4, 0));
  EXPECT_FALSE(ArrayContains(values, 4, -3));
  EXPECT_FALSE(ArrayContains(nullptr, 4, 0)) << "nothing is read for an empty search";
}

}  // namespace
