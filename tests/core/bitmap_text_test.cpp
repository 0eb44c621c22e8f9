#include <cstdio>
#include <functional>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "KText.h"
#include "game_recording_graphic.h"
#include "game_window_fixture.h"
#include "image_files.h"
#include "temp_folder.h"

namespace {

// While set, every allocation that may fail (new (std::nothrow)) fails, as when memory runs out.
bool g_failNothrowNew = false;

}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (g_failNothrowNew) return nullptr;
  try {
    return ::operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

namespace {

// The font of the recorded tests: each character 8 x 12 pixels side by side in the picture,
// advancing 10, lines 14 apart. '^' stands for the code 0xC8, written as a signed char, and 'A'
// for a record whose code has a high byte.
constexpr char kCharacters[] = " abcdefghijklmnopqrstuvwxyz.,!-0123456789^A";

std::vector<KCharRect> MakeTable() {
  std::vector<KCharRect> table;
  for (int i = 0; kCharacters[i] != '\0'; ++i) {
    int16_t code = static_cast<int16_t>(kCharacters[i]);
    if (kCharacters[i] == '^') code = static_cast<int16_t>(static_cast<signed char>(0xC8));
    if (kCharacters[i] == 'A') code = 0x100 | 'A';
    int16_t x1 = static_cast<int16_t>(8 * i);
    table.push_back({code, x1, 0, static_cast<int16_t>(x1 + 7), 11, 10, 14});
  }
  table.push_back({});
  return table;
}

class BitmapText : public testing::Test {
 protected:
  void SetUp() override {
    text_.SetGraphic(&picture_);
    text_.SetCharTable(table_.data());
  }

  // The characters blitted since the last look, as "c@x,y" ('_' for a space), each from its own
  // rectangle of the font picture.
  std::string Drawn() {
    std::ostringstream drawn;
    for (const std::string& call : picture_.calls) {
      float sx1, sy1, sx2, sy2;
      int x, y;
      if (std::sscanf(call.c_str(), "BlitAlphaRect(%g,%g,%g,%g at %d,%d", &sx1, &sy1, &sx2, &sy2,
                      &x, &y) != 6)
        continue;
      EXPECT_EQ(sx2, sx1 + 8) << call;
      EXPECT_EQ(sy1, 0) << call;
      EXPECT_EQ(sy2, 12) << call;
      char c = kCharacters[static_cast<int>(sx1) / 8];
      drawn << (drawn.tellp() > 0 ? " " : "") << (c == ' ' ? '_' : c) << '@' << x << ',' << y;
    }
    picture_.calls.clear();
    return drawn.str();
  }

  RecordingGraphic picture_;
  std::vector<KCharRect> table_ = MakeTable();
  KText text_;
};

TEST_F(BitmapText, EachDrawPlacesTheCharactersItFindsAtTheirPens) {
  struct Case {
    const char* what;
    std::function<void(KText&)> draw;
    const char* drawn;
  } cases[] = {
      {"left, a space advancing unseen", [](KText& t) { t.DrawStringFromLeft("ab c", 5, 7, 2); },
       "a@5,7 b@17,7 c@41,7"},
      {"left, missing characters taking no room",
       [](KText& t) { t.DrawStringFromLeft("a#B\xC8", 0, 0, 0); }, "a@0,0 ^@10,0"},
      {"chars, spaces blitted", [](KText& t) { t.DrawChars("ab c", 3, 5, 7, 2); },
       "a@5,7 b@17,7 _@29,7"},
      {"chars, a count beyond the text", [](KText& t) { t.DrawChars("ab", 10, 0, 0, 0); },
       "a@0,0 b@10,0"},
      {"chars of no text", [](KText& t) { t.DrawChars(nullptr, 3, 0, 0, 0); }, ""},
      {"right, from the last character", [](KText& t) { t.DrawStringFromRight("ab c", 100, 7, 2); },
       "c@88,7 _@76,7 b@64,7 a@52,7"},
      {"centred", [](KText& t) { t.DrawStringCentered("ab", 0, 100, 7, 2); }, "a@38,7 b@50,7"},
      {"centred, halved toward zero", [](KText& t) { t.DrawStringCentered("ab", -10, 3, 0, 2); },
       "a@-15,0 b@-3,0"},
      {"number from the left", [](KText& t) { t.DrawNumberFromLeft(-42, 0, 0, 0); },
       "-@0,0 4@10,0 2@20,0"},
      {"number from the right", [](KText& t) { t.DrawNumberFromRight(1200, 100, 0, 0); },
       "0@90,0 0@80,0 2@70,0 1@60,0"},
      {"number centred", [](KText& t) { t.DrawNumberCentered(7, 0, 30, 0, 0); }, "7@10,0"},
      {"pen held at the 16-bit edge", [](KText& t) { t.DrawStringFromLeft("ab", 32760, 0, 0); },
       "a@32760,0 b@32767,0"},
      {"empty text", [](KText& t) { t.DrawStringFromRight("", 0, 0, 0); }, ""},
  };
  for (const Case& c : cases) {
    c.draw(text_);
    EXPECT_EQ(Drawn(), c.drawn) << c.what;
  }
}

TEST_F(BitmapText, ADrawSetsTheColourOnceBeforeItsBlits) {
  text_.DrawStringFromLeft("a", 0, 0, 0);
  text_.SetColor(0.5f, 0.25f, 1, 0.75f);
  text_.DrawStringFromRight("ab", 0, 0, 0);
  ASSERT_EQ(picture_.calls.size(), 5u);
  EXPECT_EQ(picture_.calls[0], "SetBlitColor(1,1,1,1)");
  EXPECT_EQ(picture_.calls[2], "SetBlitColor(0.5,0.25,1,0.75)");
}

TEST_F(BitmapText, CharactersAreFoundByTheLowByteOfTheirCode) {
  EXPECT_EQ(text_.FindChar('a'), 1);
  EXPECT_EQ(text_.FindChar(0xC8), 41);
  EXPECT_EQ(text_.FindChar('A'), 42);
  EXPECT_EQ(text_.FindChar('#'), -1);
  EXPECT_EQ(text_.FindChar(0), -1) << "the record that ends the table";
  text_.SetCharTable(nullptr);
  EXPECT_EQ(text_.FindChar('a'), -1);
  text_.SetCharTable(table_.data());
  text_.SetGraphic(nullptr);
  EXPECT_EQ(text_.FindChar('a'), -1);
}

TEST_F(BitmapText, AWidthCountsTheSpacingAfterEachCharacterFound) {
  EXPECT_EQ(text_.GetStringWidth("ab c", 2), 48);
  EXPECT_EQ(text_.GetStringWidth("a#", 0), 10);
  EXPECT_EQ(text_.GetStringWidth("", 0), -1);
  EXPECT_EQ(text_.GetStringWidth(nullptr, 0), -1);
  EXPECT_EQ(text_.GetCharsWidth("ab c", 2, 2), 24);
  EXPECT_EQ(text_.GetCharsWidth("ab", 0, 10), 20);
  EXPECT_EQ(text_.GetCharsWidth("ab", 0, 0), -1);
  text_.SetCharTable(nullptr);
  EXPECT_EQ(text_.GetStringWidth("ab", 0), -1);
}

// Every character advances 10 here.
TEST_F(BitmapText, ALineEndsAtTheLastBreakThatFits) {
  struct Case {
    const char* text;
    int width;
    int length;
  } cases[] = {
      {"", 50, 0},        {"a", 50, 1},         {"abc", 30, 3},       {"abcd", 30, 3},
      {"abc de", 25, 2},  {"abc", 5, 1},        {"ab cd", 40, 2},     {"ab cd", 50, 5},
      {"ab\ncd", 100, 2}, {"ab\r\ncd", 100, 2}, {"hi.there", 50, 3},  {"hi,there", 50, 3},
      {"hey!you", 50, 4}, {"abcdef.", 60, 6},   {"hi there!", 80, 2}, {"a bcdefgh", 50, 5},
  };
  for (const Case& c : cases)
    EXPECT_EQ(text_.FindLineEnd(c.text, c.width, 0), c.length) << '"' << c.text << '"';
}

TEST_F(BitmapText, AParagraphIsWrappedIntoAlignedLines) {
  struct Case {
    const char* what;
    const char* text;
    int xMax;
    int align;
    int spacing;
    const char* drawn;
  } cases[] = {
      {"left", "ab cd ef", 50, 0, 1, "a@10,5 b@21,5 c@10,21 d@21,21 e@10,37 f@21,37"},
      {"right, the last advance ending at xMax", "ab cd ef", 50, 1, 1,
       "a@29,5 b@40,5 c@29,21 d@40,21 e@29,37 f@40,37"},
      {"centred", "ab cd ef", 50, 2, 1, "a@19,5 b@30,5 c@19,21 d@30,21 e@19,37 f@30,37"},
      {"another alignment", "ab cd ef", 50, 3, 1, ""},
      {"a text that fits, from xMin", "ab c", 50, 1, 0, "a@10,5 b@20,5 c@40,5"},
      {"a line feed", "ab\ncd ef", 60, 0, 0,
       "a@10,5 b@20,5 c@10,21 d@20,21 _@30,21 e@40,21 f@50,21"},
      {"a carriage return and line feed", "ab\r\ncd ef", 50, 0, 0,
       "a@10,5 b@20,5 c@10,21 d@20,21 e@10,37 f@20,37"},
      {"closing marks kept", "hi.there", 60, 0, 0,
       "h@10,5 i@20,5 .@30,5 t@10,21 h@20,21 e@30,21 r@40,21 e@50,21"},
      {"a word cut", "abcdef", 40, 0, 0, "a@10,5 b@20,5 c@30,5 d@10,21 e@20,21 f@30,21"},
      {"a column narrower than a character", "abc", 15, 0, 0, "a@10,5 b@10,21 c@10,37"},
  };
  for (const Case& c : cases) {
    text_.DrawMultiline(c.text, 10, c.xMax, 5, c.align, c.spacing, 2);
    EXPECT_EQ(Drawn(), c.drawn) << c.what;
  }
  text_.DrawMultiline("ab", 10, 9, 5, 0, 0, 2);
  EXPECT_EQ(Drawn(), "") << "xMax left of xMin";
}

TEST_F(BitmapText, WithoutAPictureEverythingIsSafeAndNothingIsDrawn) {
  g_failNothrowNew = true;
  KText failed("font.png", table_.data());
  failed.LoadGraphic("font.png");
  g_failNothrowNew = false;
  EXPECT_EQ(failed.GetGraphic(), nullptr);
  EXPECT_EQ(failed.FindChar('a'), -1) << "no table kept without a picture";
  failed.SetCharTable(table_.data());
  failed.DrawStringFromLeft("ab", 0, 0, 0);
  failed.DrawChars("ab", 2, 0, 0, 0);
  failed.DrawStringFromRight("ab", 0, 0, 0);
  failed.DrawNumberCentered(12, 0, 100, 0, 0);
  failed.DrawMultiline("ab cd ef gh", 0, 20, 0, 1, 0, 0);
  EXPECT_EQ(failed.GetStringWidth("ab", 0), -1);

  failed.LoadGraphic("font.png");
  EXPECT_NE(failed.GetGraphic(), nullptr);
  failed.FreeGraphic();
  EXPECT_EQ(failed.GetGraphic(), nullptr);

  text_.LoadGraphic("font.png");
  EXPECT_EQ(text_.GetGraphic(), &picture_);
  EXPECT_TRUE(picture_.calls.empty()) << "a picture already there is kept and not loaded";
}

using BitmapTextOnScreen = RendererWindowTest;

// A font picture of red 'r', green 'g' and blue 'b' squares and a white space, drawn through each
// renderer: every character lands on its own pixels, and the space shows nothing.
TEST_F(BitmapTextOnScreen, TheCharactersOfAFontPictureReachTheScreen) {
  TestPicture font{32, 8, {}};
  const uint32_t colours[] = {PackPixel(255, 0, 0, 255), PackPixel(0, 255, 0, 255),
                              PackPixel(0, 0, 255, 255), PackPixel(255, 255, 255, 255)};
  for (int y = 0; y < font.height; ++y) {
    for (int x = 0; x < font.width; ++x) font.pixels.push_back(colours[x / 8]);
  }
  TempFolder folder;
  std::string path = folder.Write("font.tga", TgaFile(font, 32));
  const KCharRect table[] = {{'r', 0, 0, 7, 7, 10, 8},
                             {'g', 8, 0, 15, 7, 10, 8},
                             {'b', 16, 0, 23, 7, 10, 8},
                             {' ', 24, 0, 31, 7, 10, 8},
                             {}};
  auto run = [](int from, int to) {
    std::vector<int> range;
    for (int x = from; x <= to; ++x) range.push_back(x);
    return range;
  };
  for (int renderer : {kDirectX, kOpenGL}) {
    ASSERT_TRUE(MakeWindow(renderer)) << renderer;
    Fill(0, 0, 0);
    KText text(path.c_str(), table);
    text.DrawStringFromLeft("rgb r", 20, 30, 0);
    EXPECT_EQ(ColumnsOf(33, kRed), [&] {
      std::vector<int> red = run(20, 27);
      std::vector<int> second = run(60, 67);
      red.insert(red.end(), second.begin(), second.end());
      return red;
    }()) << renderer;
    EXPECT_EQ(ColumnsOf(33, kGreen), run(30, 37)) << renderer;
    EXPECT_EQ(ColumnsOf(33, kBlue), run(40, 47)) << renderer;
    EXPECT_TRUE(ColumnsOf(33, kWhite).empty()) << renderer;
    EXPECT_EQ(RowsOf(22, kRed), run(30, 37)) << renderer;
    text.FreeGraphic();
  }
}

}  // namespace
