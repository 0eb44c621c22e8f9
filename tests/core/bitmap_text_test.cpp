#include <cstdio>
#include <functional>
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

// Characters 8 x 12 pixels side by side in the picture, advancing 10, lines 14 apart. '^' is the
// code 0xC8 written as a signed char, 'A' a code with a high byte.
constexpr char kCharacters[] = " abcdefghijklmnopqrstuvwxyz.,!-0123456789^A";

class BitmapText : public testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; kCharacters[i] != '\0'; ++i) {
      int16_t code = kCharacters[i] == '^'   ? int16_t(int8_t(0xC8))
                     : kCharacters[i] == 'A' ? int16_t(0x100 | 'A')
                                             : int16_t(kCharacters[i]);
      table_.push_back({code, int16_t(8 * i), 0, int16_t(8 * i + 7), 11, 10, 14});
    }
    table_.push_back({});
    text_.SetGraphic(&picture_);
    text_.SetCharTable(table_.data());
  }

  // The characters blitted since the last look, as "c@x,y" ('_' a space), each checked to come
  // from its own rectangle of the font picture.
  std::string Drawn() {
    std::ostringstream drawn;
    for (const std::string& call : picture_.calls) {
      float sx1, sy1, sx2, sy2;
      int x, y;
      if (std::sscanf(call.c_str(), "BlitAlphaRect(%g,%g,%g,%g at %d,%d", &sx1, &sy1, &sx2, &sy2,
                      &x, &y) != 6)
        continue;
      EXPECT_TRUE(sx2 == sx1 + 8 && sy1 == 0 && sy2 == 12) << call;
      char c = kCharacters[int(sx1) / 8];
      drawn << (drawn.tellp() > 0 ? " " : "") << (c == ' ' ? '_' : c) << '@' << x << ',' << y;
    }
    picture_.calls.clear();
    return drawn.str();
  }

  RecordingGraphic picture_;
  std::vector<KCharRect> table_;
  KText text_;
};

TEST_F(BitmapText, EachDrawPlacesTheCharactersItFindsAtTheirPens) {
  std::pair<std::function<void(KText&)>, const char*> cases[] = {
      {[](KText& t) { t.DrawStringFromLeft("ab c", 5, 7, 2); }, "a@5,7 b@17,7 c@41,7"},
      {[](KText& t) { t.DrawStringFromLeft("a#B\310A", 0, 0, 0); }, "a@0,0 ^@10,0 A@20,0"},
      {[](KText& t) { t.DrawChars("ab c", 3, 5, 7, 2); }, "a@5,7 b@17,7 _@29,7"},
      {[](KText& t) { t.DrawChars("ab", 10, 0, 0, 0); }, "a@0,0 b@10,0"},
      {[](KText& t) { t.DrawChars(nullptr, 3, 0, 0, 0); }, ""},
      {[](KText& t) { t.DrawStringFromRight("ab c", 100, 7, 2); }, "c@88,7 _@76,7 b@64,7 a@52,7"},
      {[](KText& t) { t.DrawStringCentered("ab", -10, 3, 0, 2); }, "a@-15,0 b@-3,0"},
      {[](KText& t) { t.DrawNumberFromLeft(-42, 0, 0, 0); }, "-@0,0 4@10,0 2@20,0"},
      {[](KText& t) { t.DrawNumberCentered(7, 0, 30, 0, 0); }, "7@10,0"},
      {[](KText& t) { t.DrawStringFromLeft("ab", 32760, 0, 0); }, "a@32760,0 b@32767,0"},
  };
  for (const auto& [draw, drawn] : cases) {
    draw(text_);
    EXPECT_EQ(Drawn(), drawn);
  }
  text_.SetColor(0.5f, 0.25f, 1, 0.75f);
  text_.DrawStringFromLeft("a", 0, 0, 0);
  EXPECT_EQ(picture_.calls.front(), "SetBlitColor(0.5,0.25,1,0.75)");
}

TEST_F(BitmapText, AWidthHasTheSpacingAfterEachCharacterFound) {
  EXPECT_EQ(text_.FindChar(0), -1) << "the record that ends the table";
  EXPECT_EQ(text_.GetStringWidth("ab c", 2), 48);
  EXPECT_EQ(text_.GetStringWidth("a#", 0), 10);
  EXPECT_EQ(text_.GetStringWidth("", 0), -1);
  EXPECT_EQ(text_.GetCharsWidth("ab", 0, 10), 20);
  EXPECT_EQ(text_.GetCharsWidth("ab", 0, 0), -1);
}

TEST_F(BitmapText, ALineEndsAtTheLastBreakThatFits) {
  std::tuple<const char*, int, int> cases[] = {
      {"", 50, 0},        {"a", 50, 1},         {"abcd", 30, 3},      {"abc de", 25, 2},
      {"abc", 5, 1},      {"ab cd", 40, 2},     {"ab\r\ncd", 100, 2}, {"hi.there", 50, 3},
      {"abcdef.", 60, 6}, {"hi there!", 80, 2}, {"a bcdefgh", 50, 5},
  };
  for (const auto& [text, width, length] : cases)
    EXPECT_EQ(text_.FindLineEnd(text, width, 0), length) << '"' << text << '"';
}

TEST_F(BitmapText, AParagraphIsWrappedIntoAlignedLinesThatKeepEveryCharacter) {
  std::tuple<const char*, int, int, int, const char*> cases[] = {
      {"ab cd ef", 50, 0, 1, "a@10,5 b@21,5 c@10,21 d@21,21 e@10,37 f@21,37"},
      {"ab cd ef", 50, 1, 1, "a@29,5 b@40,5 c@29,21 d@40,21 e@29,37 f@40,37"},
      {"ab cd ef", 50, 2, 1, "a@19,5 b@30,5 c@19,21 d@30,21 e@19,37 f@30,37"},
      {"ab cd ef", 50, 3, 1, ""},
      {"ab c", 50, 1, 0, "a@10,5 b@20,5 c@40,5"},
      {"ab\r\ncd ef", 50, 0, 0, "a@10,5 b@20,5 c@10,21 d@20,21 e@10,37 f@20,37"},
      {"hi.there", 60, 0, 0, "h@10,5 i@20,5 .@30,5 t@10,21 h@20,21 e@30,21 r@40,21 e@50,21"},
      {"abcdef", 40, 0, 0, "a@10,5 b@20,5 c@30,5 d@10,21 e@20,21 f@30,21"},
      {"abc", 15, 0, 0, "a@10,5 b@10,21 c@10,37"},
      {"ab", 9, 0, 0, ""},
  };
  for (const auto& [text, xMax, align, spacing, drawn] : cases) {
    text_.DrawMultiline(text, 10, xMax, 5, align, spacing, 2);
    EXPECT_EQ(Drawn(), drawn) << '"' << text << "\" align " << align;
  }
}

TEST_F(BitmapText, APictureThatCannotBeMadeLeavesATextThatDrawsNothing) {
  g_failNothrowNew = true;
  KText failed("font.png", table_.data());
  failed.LoadGraphic("font.png");
  g_failNothrowNew = false;
  EXPECT_EQ(failed.GetGraphic(), nullptr);
  EXPECT_EQ(failed.GetStringWidth("ab", 0), -1) << "no table kept without a picture";
  failed.SetCharTable(table_.data());
  failed.DrawChars("ab", 2, 0, 0, 0);
  failed.DrawMultiline("ab cd ef gh", 0, 20, 0, 1, 0, 0);
  failed.LoadGraphic("font.png");
  EXPECT_NE(failed.GetGraphic(), nullptr);
  failed.FreeGraphic();
  text_.LoadGraphic("font.png");
  EXPECT_TRUE(picture_.calls.empty()) << "a picture already there is kept and not loaded";
}

using BitmapTextOnScreen = RendererWindowTest;

// Red 'r', green 'g' and blue 'b' squares in a font picture: on each renderer every character
// lands on its own pixels.
TEST_F(BitmapTextOnScreen, TheCharactersOfAFontPictureReachTheScreen) {
  TestPicture font{24, 8, {}};
  const uint32_t colours[] = {PackPixel(255, 0, 0, 255), PackPixel(0, 255, 0, 255),
                              PackPixel(0, 0, 255, 255)};
  for (int i = 0; i < 24 * 8; ++i) font.pixels.push_back(colours[i % 24 / 8]);
  TempFolder folder;
  std::string path = folder.Write("font.tga", TgaFile(font, 32));
  const KCharRect table[] = {
      {'r', 0, 0, 7, 7, 10, 8}, {'g', 8, 0, 15, 7, 10, 8}, {'b', 16, 0, 23, 7, 10, 8}, {}};
  auto run = [](std::vector<int> range, int from, int to) {
    for (int x = from; x <= to; ++x) range.push_back(x);
    return range;
  };
  for (int renderer : {kDirectX, kOpenGL}) {
    ASSERT_TRUE(MakeWindow(renderer)) << renderer;
    Fill(0, 0, 0);
    KText text(path.c_str(), table);
    text.DrawStringFromLeft("rgbr", 20, 30, 0);
    EXPECT_EQ(ColumnsOf(33, kRed), run(run({}, 20, 27), 50, 57)) << renderer;
    EXPECT_EQ(ColumnsOf(33, kGreen), run({}, 30, 37)) << renderer;
    EXPECT_EQ(ColumnsOf(33, kBlue), run({}, 40, 47)) << renderer;
    EXPECT_EQ(RowsOf(22, kRed), run({}, 30, 37)) << renderer;
    text.FreeGraphic();
  }
}

}  // namespace
