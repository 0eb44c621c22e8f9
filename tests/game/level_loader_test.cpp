// Reading level files into a level attempt: good files, and files that say too much, too little or
// nothing sensible. Run under the sanitizers, these also show that nothing is overrun or leaked.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "GlobalResources.h"
#include "KMiscTools.h"
#include "LevelAttempt.h"
#include "platform/process.h"
#include "temp_folder.h"

namespace {

std::string Object(int x, int y, int type, int state = 0) {
  return "<object x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" type=\"" +
         std::to_string(type) + "\" state=\"" + std::to_string(state) + "\"/>";
}

std::string Objects(int count, int type = 0) {
  std::string objects;
  for (int i = 0; i < count; ++i) objects += Object(10 * i, 5 * i, type);
  return objects;
}

std::string Level(const std::string& attributes, const std::string& body) {
  return "<?xml version=\"1.0\"?>\n<level " + attributes + ">" + body + "</level>\n";
}

class LevelLoader : public testing::Test {
 protected:
  void SetUp() override {
    folder_.MakeFolder("levels");
    std::string module = folder_.File("tundrel");
    platform::SetModulePathOverride(module.c_str());
    KMiscTools::InitAppFolder();
    // The level's objects draw with the shared sprite sheet, picture 1; it needn't load.
    g_resources.AddImage("img\\bg\\nivra_hills1.jpg", false);
    g_resources.AddImage("img\\spr\\plasko.png", true);
  }
  void TearDown() override {
    attempt_.Teardown();
    g_resources.ClearImages();
    platform::SetModulePathOverride(nullptr);
    KMiscTools::InitAppFolder();
  }

  void WriteLevel(int number, const std::string& content) {
    folder_.Write("levels/" + std::to_string(number) + ".xml", content);
  }
  bool Load(const std::string& content) {
    WriteLevel(1, content);
    return attempt_.LoadLevel(1);
  }
  int MadeObjects() const {
    int made = 0;
    for (int i = 0; i < LevelAttempt::kMaximumObjects; ++i)
      if (attempt_.GetBrick(i)) ++made;
    return made;
  }

  TempFolder folder_;
  LevelAttempt attempt_;
};

}  // namespace

TEST_F(LevelLoader, ReadsTheLevelAndItsObjectsInFileOrder) {
  ASSERT_TRUE(
      Load(Level("name=\"Snowy roofs\" descr=\"Catch three\" brickCnt=\"5\" "
                 "neededBrickCnt=\"2\"",
                 Object(100, 40, 0) + Object(200, 41, 3) + Object(300, 42, 1) + Object(400, 43, 4) +
                     Object(500, 44, 2, 1))));
  EXPECT_STREQ(attempt_.GetName(), "Snowy roofs");
  EXPECT_STREQ(attempt_.GetDescription(), "Catch three");
  EXPECT_EQ(attempt_.GetBrickCount(), 5);
  EXPECT_EQ(attempt_.GetNeededCount(), 2);
  EXPECT_EQ(attempt_.GetGiftCount(), 3) << "types 0 to 2 are gifts";
  const int types[] = {0, 3, 1, 4, 2};
  for (int i = 0; i < 5; ++i) {
    const Brick* brick = attempt_.GetBrick(i);
    ASSERT_NE(brick, nullptr);
    EXPECT_EQ(brick->type, types[i]);
    EXPECT_EQ(brick->phase, 8.0f * i) << "phases 8 degrees apart";
    EXPECT_EQ(brick->position.x, 100 * (i + 1));
    EXPECT_EQ(brick->position.y, 40 + i);
    EXPECT_EQ(brick->picture, g_resources.GetImage(IMAGE_SPRITES));
    EXPECT_EQ(brick->velocity.x, 0);
    EXPECT_EQ(brick->state, i == 4 ? BRICK_FALLING : BRICK_HANGING);
  }
  EXPECT_EQ(attempt_.GetBrick(5), nullptr);
}

TEST_F(LevelLoader, StopsReadingOnceBrickCntObjectsWereRead) {
  // What follows the fifth object is not read: the later level element changes nothing.
  ASSERT_TRUE(Load(Level("name=\"first\" brickCnt=\"5\"",
                         Objects(5) + "<level name=\"late\" brickCnt=\"9\"/>" + Objects(3))));
  EXPECT_EQ(attempt_.GetBrickCount(), 5);
  EXPECT_EQ(MadeObjects(), 5);
  EXPECT_STREQ(attempt_.GetName(), "first");
}

TEST_F(LevelLoader, FewerObjectsThanAnnouncedShrinkTheCount) {
  ASSERT_TRUE(Load(Level("brickCnt=\"12\" neededBrickCnt=\"3\"", Objects(7))));
  EXPECT_EQ(attempt_.GetBrickCount(), 7);
  EXPECT_EQ(attempt_.GetGiftCount(), 7);
}

TEST_F(LevelLoader, NumbersAreReadUpToTheirFirstOtherCharacter) {
  ASSERT_TRUE(Load(Level("brickCnt=\"3abc\" neededBrickCnt=\"+2\"",
                         "<object x=\"120.9\" y=\"-7.5\" type=\"2\"/>"
                         "<object type=\"1\" state=\" 1\"/>"
                         "<object x=\"99999999999\" y=\"abc\" type=\"3\" state=\"9\"/>")));
  EXPECT_EQ(attempt_.GetBrickCount(), 3);
  EXPECT_EQ(attempt_.GetNeededCount(), 2);
  const Brick* first = attempt_.GetBrick(0);
  EXPECT_EQ(first->position.x, 120);
  EXPECT_EQ(first->position.y, -7);
  EXPECT_EQ(first->state, BRICK_HANGING) << "a missing state reads as 0";
  const Brick* second = attempt_.GetBrick(1);
  EXPECT_EQ(second->position.x, 0) << "missing x and y read as 0";
  EXPECT_EQ(second->position.y, 0);
  EXPECT_EQ(second->state, BRICK_HANGING) << "a leading space is no number";
  const Brick* third = attempt_.GetBrick(2);
  EXPECT_EQ(third->position.x, static_cast<float>(INT_MAX)) << "saturates";
  EXPECT_EQ(third->position.y, 0);
  EXPECT_EQ(third->state, BRICK_GONE);
}

TEST_F(LevelLoader, ElementNamesAreCaseSensitive) {
  ASSERT_TRUE(
      Load("<levels><Level name=\"upper\" brickCnt=\"1\"/>"
           "<level name=\"lower\" brickCnt=\"2\" neededBrickCnt=\"1\"/>"
           "<Object x=\"1\" type=\"0\"/><OBJECT type=\"0\"/>" +
           Object(7, 8, 3) + Object(9, 10, 0) + "</levels>"));
  EXPECT_STREQ(attempt_.GetName(), "lower");
  EXPECT_EQ(attempt_.GetBrickCount(), 2);
  EXPECT_EQ(attempt_.GetBrick(0)->position.x, 7) << "objects are found at any depth";
  EXPECT_EQ(attempt_.GetGiftCount(), 1);
}

TEST_F(LevelLoader, MissingTextsAreEmptyAndLongTextsAreCutTo79Characters) {
  std::string longName(200, 'n');
  ASSERT_TRUE(Load(Level("name=\"" + longName + "\" brickCnt=\"1\"", Objects(1))));
  EXPECT_EQ(std::string(attempt_.GetName()), std::string(79, 'n'));
  EXPECT_STREQ(attempt_.GetDescription(), "") << "no descr attribute";
}

TEST_F(LevelLoader, MoreThan70ObjectsFillTheTableAndNoMore) {
  ASSERT_TRUE(Load(Level("brickCnt=\"90\" neededBrickCnt=\"70\"", Objects(90))));
  EXPECT_EQ(attempt_.GetBrickCount(), 70);
  EXPECT_EQ(attempt_.GetGiftCount(), 70);
  EXPECT_EQ(MadeObjects(), 70);
}

TEST_F(LevelLoader, WithoutAPositiveBrickCntObjectsAreMadeButNoneIsInPlay) {
  ASSERT_TRUE(Load(Level("name=\"none\"", Objects(80))));
  EXPECT_EQ(attempt_.GetBrickCount(), 0);
  EXPECT_EQ(MadeObjects(), 70) << "the table's 70 slots, released with the attempt";
  EXPECT_FALSE(attempt_.HasGiftsLeft());
  attempt_.Teardown();
  EXPECT_EQ(MadeObjects(), 0);

  ASSERT_TRUE(Load(Level("brickCnt=\"-3\"", Objects(4))));
  EXPECT_EQ(attempt_.GetBrickCount(), -3) << "kept as read";
  EXPECT_FALSE(attempt_.HasGiftsLeft()) << "no object is in play";
}

TEST_F(LevelLoader, ObjectsBeforeTheLevelElementBeyondItsCountAreNotInPlay) {
  ASSERT_TRUE(Load("<game>" + Objects(4) + "<level name=\"late\" brickCnt=\"2\"/>" + Objects(3) +
                   "</game>"));
  EXPECT_EQ(attempt_.GetBrickCount(), 2);
  EXPECT_EQ(MadeObjects(), 4) << "made before the count was known, released at teardown";
  EXPECT_STREQ(attempt_.GetName(), "late");
}

TEST_F(LevelLoader, AFileWithoutALevelElementOrThatCannotBeParsedHasNothingInPlay) {
  ASSERT_TRUE(Load("<objects>" + Objects(3) + "</objects>"));
  EXPECT_STREQ(attempt_.GetName(), "");
  EXPECT_EQ(attempt_.GetNeededCount(), 0);
  EXPECT_EQ(attempt_.GetBrickCount(), 0);
  EXPECT_FALSE(attempt_.HasGiftsLeft());
  attempt_.Teardown();

  for (const char* broken : {"<level name=\"x\" brickCnt=\"3\"><object type=\"0\">", "", "\xff\xfe",
                             "not xml at all", "<level name=\"x\" brickCnt=\"3\"></lvl>"}) {
    LevelAttempt attempt;
    WriteLevel(2, broken);
    EXPECT_TRUE(attempt.LoadLevel(2)) << "the file exists: " << broken;
    EXPECT_LE(attempt.GetBrickCount(), 0) << broken;
    EXPECT_FALSE(attempt.HasGiftsLeft()) << broken;
    attempt.Teardown();
  }
}

TEST_F(LevelLoader, GiftsInAnUnknownStateDoNotKeepTheLevelGoing) {
  ASSERT_TRUE(
      Load(Level("brickCnt=\"3\"", Object(0, 0, 1, 5) + Object(0, 0, 2, 9) + Object(0, 0, 7, 0))));
  EXPECT_EQ(attempt_.GetGiftCount(), 2);
  EXPECT_FALSE(attempt_.HasGiftsLeft()) << "a gift that can neither hang nor fall is resolved";
  Circle circle;
  EXPECT_FALSE(attempt_.GetBrick(2)->GetHitCircle(&circle)) << "type 7 has no shape";
  attempt_.Teardown();

  ASSERT_TRUE(Load(Level("brickCnt=\"2\"", Object(0, 0, 3) + Object(0, 0, 0, 1))));
  EXPECT_TRUE(attempt_.HasGiftsLeft()) << "a falling gift";
  attempt_.Teardown();
  ASSERT_TRUE(Load(Level("brickCnt=\"2\"", Object(0, 0, 3) + Object(0, 0, 4))));
  EXPECT_FALSE(attempt_.HasGiftsLeft()) << "snowballs and chimneys never keep a level going";
}

TEST_F(LevelLoader, TheLevelNumberNamesTheFileInTheProgramsLevelsFolder) {
  WriteLevel(12, Level("name=\"twelve\" brickCnt=\"1\"", Objects(1)));
  EXPECT_FALSE(attempt_.LoadLevel(1));
  EXPECT_FALSE(attempt_.LoadLevel(2));
  EXPECT_TRUE(attempt_.LoadLevel(12));
  EXPECT_STREQ(attempt_.GetName(), "twelve");
  EXPECT_EQ(attempt_.GetGiftCount(), 1);

  // No file: false, and nothing but the gift count changes.
  EXPECT_FALSE(attempt_.LoadLevel(13));
  EXPECT_STREQ(attempt_.GetName(), "twelve");
  EXPECT_EQ(attempt_.GetBrickCount(), 1);
  EXPECT_EQ(attempt_.GetGiftCount(), 0);

  folder_.MakeFolder("levels/14.xml");
  EXPECT_FALSE(attempt_.LoadLevel(14)) << "a folder is no level file";
}

TEST_F(LevelLoader, SetupWithoutALevelFileLeavesNothingMade) {
  int lives = 3;
  EXPECT_FALSE(attempt_.Setup(4, &lives));
  EXPECT_EQ(lives, 3);

  WriteLevel(4, Level("name=\"four\" descr=\"d\" brickCnt=\"2\" neededBrickCnt=\"1\"", Objects(2)));
  LevelAttempt attempt;
  ASSERT_TRUE(attempt.Setup(4, &lives));
  EXPECT_EQ(attempt.GetState(), 202);
  EXPECT_EQ(attempt.GetBrickCount(), 2);
  attempt.Teardown();
  EXPECT_EQ(attempt.GetBrick(0), nullptr);
}
