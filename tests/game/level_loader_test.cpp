// Reading level files into a level attempt: good files, and files that say too much, too little or
// nothing sensible. Run under the sanitizers, these also show that nothing is overrun or leaked.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <string>
#include <vector>

#include "GlobalResources.h"
#include "KMiscTools.h"
#include "LevelAttempt.h"
#include "platform/process.h"
#include "stderr_lines.h"
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
  bool Load(const std::string& content) { return Load(attempt_, content); }
  bool Load(LevelAttempt& attempt, const std::string& content) {
    WriteLevel(1, content);
    return attempt.LoadLevel(1);
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

// A file that is there but holds no level fails as a missing one does (the game ends as won) rather
// than giving a level with nothing in play, won at once; each says why on one line.
TEST_F(LevelLoader, AFileThatHoldsNoLevelFailsAsAMissingOneAndSaysWhy) {
  ASSERT_EQ(mkfifo(folder_.File("levels/2.xml").c_str(), 0600), 0);
  const std::pair<const char*, const char*> kRows[] = {
      {"<level name=\"x\" brickCnt=\"3\"><object type=\"0\">", "not well-formed XML"},
      {"\xff\xfe", "not well-formed XML"},
      {"not xml at all", "not well-formed XML"},
      {"<level name=\"x\" brickCnt=\"3\"></lvl>", "not well-formed XML"},
      {"", "empty"},
      {"<objects><object type=\"0\"/><object type=\"1\"/></objects>", "holds no level element"},
  };
  const std::string file = folder_.Path() + "/levels/1.xml: ";
  for (const auto& [content, reason] : kRows) {
    SCOPED_TRACE(content);
    LevelAttempt attempt;
    bool loaded = true;
    EXPECT_EQ(StderrLines([&] { loaded = Load(attempt, content); }),
              std::vector<std::string>{file + reason});
    EXPECT_FALSE(loaded);
    attempt.Teardown();
  }
  // The named pipe is refused at once: reading it would wait for a writer for ever.
  EXPECT_EQ(StderrLines([&] { EXPECT_FALSE(attempt_.LoadLevel(2)); }),
            std::vector<std::string>{folder_.Path() + "/levels/2.xml: not a regular file"});
}

// The first level missing means there are no levels at all; a later one missing is how the game
// learns that the last level was played, which is no fault.
TEST_F(LevelLoader, OnlyAMissingFirstLevelIsReported) {
  EXPECT_EQ(StderrLines([&] { EXPECT_FALSE(attempt_.LoadLevel(1)); }),
            std::vector<std::string>{folder_.Path() + "/levels/1.xml: missing"});
  EXPECT_EQ(StderrLines([&] { EXPECT_FALSE(attempt_.LoadLevel(2)); }), std::vector<std::string>{});
}

// A level that needs more gifts than can be caught in it could never be won.
TEST_F(LevelLoader, TheNeedIsHeldToTheGiftsThatCanBeCaught) {
  const struct {
    std::string file;
    int needed;
    const char* line;  // null: no line
  } kRows[] = {
      {Level("brickCnt=\"3\" neededBrickCnt=\"3\"", Objects(3)), 3, nullptr},
      {Level("brickCnt=\"3\" neededBrickCnt=\"4\"", Objects(3)), 3,
       "neededBrickCnt 4 held to 3, the gifts it holds"},
      {Level("brickCnt=\"3\" neededBrickCnt=\"-2\"", Objects(3)), 0,
       "neededBrickCnt -2 held to 0, the gifts it holds"},
      // The table stops at 70 objects.
      {Level("neededBrickCnt=\"75\"", Objects(80)), 0,
       "neededBrickCnt 75 held to 0, the gifts it holds"},
      {Level("brickCnt=\"80\" neededBrickCnt=\"75\"", Objects(80)), 70,
       "neededBrickCnt 75 held to 70, the gifts it holds"},
      // Snowballs, absent gifts and gifts made before a smaller count are not there to catch.
      {Level("brickCnt=\"4\" neededBrickCnt=\"2\"",
             Object(0, 0, 3) + Object(0, 0, 0, 9) + Object(0, 0, 1, 1) + Object(0, 0, 2)),
       2, nullptr},
      {Level("brickCnt=\"4\" neededBrickCnt=\"3\"",
             Object(0, 0, 3) + Object(0, 0, 0, 9) + Object(0, 0, 1, 1) + Object(0, 0, 2)),
       2, "neededBrickCnt 3 held to 2, the gifts it holds"},
      {Objects(6) + Level("brickCnt=\"2\" neededBrickCnt=\"5\"", ""), 2,
       "neededBrickCnt 5 held to 2, the gifts it holds"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.file.substr(0, 80));
    LevelAttempt attempt;
    std::vector<std::string> expected;
    if (row.line) expected.push_back(folder_.Path() + "/levels/1.xml: " + row.line);
    EXPECT_EQ(StderrLines([&] { EXPECT_TRUE(Load(attempt, row.file)); }), expected);
    EXPECT_EQ(attempt.GetNeededCount(), row.needed);
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

TEST_F(LevelLoader, SetupSaysWhenTheFontCannotBeLoaded) {
  WriteLevel(4, Level("name=\"four\" brickCnt=\"1\"", Objects(1)));
  folder_.MakeFolder("img/font");
  ASSERT_EQ(mkfifo(folder_.File("img/font/bw.ttf").c_str(), 0600), 0);
  int lives = 3;
  EXPECT_EQ(StderrLines([&] { EXPECT_TRUE(attempt_.Setup(4, &lives)); }),
            std::vector<std::string>{folder_.Path() + "/img/font/bw.ttf: not a regular file"});
}
