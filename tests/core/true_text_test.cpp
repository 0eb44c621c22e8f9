// TrueType text on the DirectX renderer: the glyph atlas, the glyph records behind each blit, the
// three alignments and measuring, checked against FreeType's own rendering of the same face.
#include "KTrueText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "game_window_fixture.h"
#include "peak_memory.h"
#include "temp_folder.h"
#include "text_oracle.h"
#include "true_type_font.h"

namespace {

const char* const kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";

// One glyph blit as the recorder saw it: where it landed and the atlas rectangle it took.
struct DrawnGlyph {
  int x, y;          // top-left on the screen
  int sx, sy, w, h;  // source rectangle in atlas pixels
  D3DCOLOR color;
};

// Every character 32 to 255 in order.
std::string AllCharacters() {
  std::string text;
  for (int c = 32; c < 256; ++c) text += static_cast<char>(c);
  return text;
}

class TrueTextTest : public DirectXWindowTest {
 protected:
  void SetUp() override {
    DirectXWindowTest::SetUp();
    ASSERT_TRUE(MakeWindow());
  }

  // The glyph blits made by draw. Each blit sets the world matrix to its turn about the glyph's
  // centre followed by the move to its whole-pixel corner, then draws the quad from (0, 0).
  std::vector<DrawnGlyph> Blits(const std::function<void()>& draw) {
    platform::TakeDirectXCalls();
    platform::RecordDirectXCalls(true);
    draw();
    platform::RecordDirectXCalls(false);
    std::vector<DrawnGlyph> glyphs;
    D3DMATRIX world{};
    for (const platform::DirectXCall& call : platform::TakeDirectXCalls()) {
      if (call.name == "SetTransform" && call.args.size() >= 1 &&
          call.args[0] == D3DTRANSFORMSTATE_WORLD) {
        world = call.matrix;
      }
      if (call.name != "DrawPrimitive") continue;
      auto quad = call.VerticesAs<D3DLVERTEX>();
      EXPECT_EQ(quad.size(), 4u);
      if (quad.size() != 4) continue;
      KGraphicDX* atlas = Atlas();
      float tw = atlas ? atlas->TextureWidth() : 0, th = atlas ? atlas->TextureHeight() : 0;
      // The corner's half-pixel offset and the odd half of the centre are undone by rounding up.
      glyphs.push_back({int(std::ceil(world.m[3][0] + 0.5f)), int(std::ceil(0.5f - world.m[3][1])),
                        int(std::lround(quad[0].tu * tw)), int(std::lround(quad[0].tv * th)),
                        int(quad[1].x), int(-quad[2].y), quad[0].color});
    }
    return glyphs;
  }

  // The newest DirectX picture: the atlas of the text last built.
  static KGraphicDX* Atlas() {
    const auto& pictures = KGraphicDX::LivePictures();
    return pictures.empty() ? nullptr : pictures.back();
  }

  // The atlas's texels, row by row, each as bytes red, green, blue, alpha.
  static std::vector<std::vector<std::array<int, 4>>> Texels(KGraphicDX* atlas) {
    int width = int(atlas->TextureWidth()), height = int(atlas->TextureHeight());
    std::vector<std::vector<std::array<int, 4>>> texels(
        static_cast<size_t>(height), std::vector<std::array<int, 4>>(static_cast<size_t>(width)));
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof locked;
    if (atlas->Surface()->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr) != DD_OK) return {};
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        uint32_t texel;
        std::memcpy(&texel,
                    static_cast<unsigned char*>(locked.lpSurface) + y * locked.lPitch + x * 4, 4);
        texels[size_t(y)][size_t(x)] = {int(texel >> 16 & 0xFF), int(texel >> 8 & 0xFF),
                                        int(texel & 0xFF), int(texel >> 24)};
      }
    }
    atlas->Surface()->Unlock(nullptr);
    return texels;
  }
};

TEST_F(TrueTextTest, OneGlyphTakesItsBitmapFromTheAtlasAndSitsByItsBearings) {
  TextOracle oracle(kFont, 50);
  ASSERT_TRUE(oracle.Loaded());
  KTrueText text(kFont);
  text.SetHeightPix(50);
  EXPECT_EQ(text.GetHeight(), oracle.Height());

  auto blits = Blits([&] { text.DrawStringFromLeft("A", 10, 20, 0); });
  ASSERT_EQ(blits.size(), 1u);
  OracleGlyph a = oracle.Glyph('A');
  ASSERT_GT(a.width, 20);
  EXPECT_EQ(blits[0].w, a.width);
  EXPECT_EQ(blits[0].h, a.rows);
  EXPECT_EQ(blits[0].x, 10 + a.left);
  EXPECT_EQ(blits[0].y, 20 + a.top);
  EXPECT_EQ(blits[0].color, 0xFFFFFFFFu) << "a new atlas is untinted";

  KGraphicDX* atlas = Atlas();
  ASSERT_NE(atlas, nullptr);
  auto texels = Texels(atlas);
  ASSERT_FALSE(texels.empty());
  int mismatches = 0;
  for (int row = 0; row < a.rows; ++row) {
    for (int column = 0; column < a.width; ++column) {
      std::array<int, 4> expected = {255, 255, 255, a.coverage[size_t(row) * a.width + column]};
      if (texels[size_t(blits[0].sy + row)][size_t(blits[0].sx + column)] != expected) {
        ++mismatches;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// The whole atlas: each character's record against FreeType, the layout row by row with no gap,
// and every texel outside the glyphs clear.
TEST_F(TrueTextTest, AtlasHoldsEveryCharacterSideBySideInRows) {
  const int pixels = 30;
  TextOracle oracle(kFont, pixels);
  KTrueText text(kFont);
  text.SetHeightPix(pixels);
  std::string all = AllCharacters();
  auto blits = Blits([&] { text.DrawStringFromLeft(all.c_str(), 0, 40, 0); });
  ASSERT_EQ(blits.size(), 224u);
  KGraphicDX* atlas = Atlas();
  ASSERT_NE(atlas, nullptr);

  int pen = 0, penX = 0, penY = 0, tallest = 0, widest = 0;
  std::vector<std::vector<bool>> covered(size_t(atlas->TextureHeight()),
                                         std::vector<bool>(size_t(atlas->TextureWidth())));
  for (int c = 32; c < 256; ++c) {
    const DrawnGlyph& drawn = blits[size_t(c - 32)];
    OracleGlyph glyph = oracle.Glyph(static_cast<unsigned char>(c));
    SCOPED_TRACE(c);
    ASSERT_EQ(drawn.w, glyph.width);
    ASSERT_EQ(drawn.h, glyph.rows);
    EXPECT_EQ(drawn.x, pen + glyph.left);
    EXPECT_EQ(drawn.y, 40 + glyph.top);
    if (penX + glyph.width > 512) {
      penX = 0;
      penY += tallest;
    }
    tallest = std::max(tallest, glyph.rows);
    if (glyph.width > 0 && glyph.rows > 0) {
      EXPECT_EQ(drawn.sx, penX);
      EXPECT_EQ(drawn.sy, penY);
    }
    for (int row = 0; row < drawn.h; ++row)
      for (int column = 0; column < drawn.w; ++column)
        covered[size_t(drawn.sy + row)][size_t(drawn.sx + column)] = true;
    penX += glyph.width;
    widest = std::max(widest, penX);
    pen += glyph.advance;
  }
  EXPECT_EQ(atlas->TextureWidth(), float(widest));
  EXPECT_EQ(atlas->TextureHeight(), float(penY + tallest));
  EXPECT_GT(penY, 0) << "more than one row";

  auto texels = Texels(atlas);
  ASSERT_EQ(texels.size(), covered.size());
  int stray = 0;
  for (size_t y = 0; y < covered.size(); ++y)
    for (size_t x = 0; x < covered[y].size(); ++x)
      if (!covered[y][x] && texels[y][x] != std::array<int, 4>{0, 0, 0, 0}) ++stray;
  EXPECT_EQ(stray, 0) << "texels outside every glyph stay clear";
}

// The largest pixel size whose line height is the given one.
int PixelsForHeight(int height) {
  for (int pixels = 40; pixels > 0; --pixels) {
    TextOracle oracle(kFont, pixels);
    if (oracle.Height() == height) return pixels;
  }
  return 0;
}

TEST_F(TrueTextTest, LineHeightNineteenUsesRowsOf256AndTwentyRowsOf512) {
  std::string all = AllCharacters();
  for (int height : {19, 20}) {
    int pixels = PixelsForHeight(height);
    ASSERT_GT(pixels, 0) << height;
    KTrueText text(kFont);
    text.SetHeightPix(pixels);
    ASSERT_EQ(text.GetHeight(), height);
    auto blits = Blits([&] { text.DrawStringFromLeft(all.c_str(), 0, 0, 0); });
    ASSERT_EQ(blits.size(), 224u);
    int limit = height < 20 ? 256 : 512, rightmost = 0, widestGlyph = 0;
    for (const DrawnGlyph& glyph : blits) {
      rightmost = std::max(rightmost, glyph.sx + glyph.w);
      widestGlyph = std::max(widestGlyph, glyph.w);
    }
    EXPECT_LE(rightmost, limit) << height;
    EXPECT_GT(rightmost, limit - widestGlyph) << height << ": rows are filled up to the limit";
    EXPECT_EQ(Atlas()->TextureWidth(), float(rightmost));
  }
}

TEST_F(TrueTextTest, SameHeightKeepsTheAtlasAndAnotherRebuildsIt) {
  KTrueText text(kFont);
  text.SetHeightPix(24);
  size_t before = KGraphicDX::LivePictures().size();
  text.DrawStringFromLeft("A", 0, 0, 0);
  ASSERT_EQ(KGraphicDX::LivePictures().size(), before + 1);
  KGraphicDX* first = Atlas();
  int firstWidth = Blits([&] { text.DrawStringFromLeft("A", 0, 0, 0); })[0].w;

  text.SetHeightPix(24);
  EXPECT_EQ(KGraphicDX::LivePictures().size(), before + 1);
  EXPECT_EQ(Atlas(), first);
  // 18 points at 96 dots an inch are the same 24 pixels.
  int height = text.GetHeight();
  text.SetHeightPt(18);
  EXPECT_EQ(text.GetHeight(), height);
  EXPECT_EQ(KGraphicDX::LivePictures().size(), before + 1);
  EXPECT_EQ(Atlas(), first);

  text.SetHeightPix(48);
  EXPECT_EQ(KGraphicDX::LivePictures().size(), before) << "the old atlas is gone";
  auto blits = Blits([&] { text.DrawStringFromLeft("A", 0, 0, 0); });
  EXPECT_EQ(KGraphicDX::LivePictures().size(), before + 1);
  ASSERT_EQ(blits.size(), 1u);
  EXPECT_GT(blits[0].w, firstWidth * 3 / 2);
}

TEST_F(TrueTextTest, HeightsAreKeptToOneTo512Pixels) {
  KTrueText text(kFont);
  text.SetHeightPix(512);
  int largest = text.GetHeight();
  text.SetHeightPix(1);
  int smallest = text.GetHeight();
  EXPECT_GT(largest, 512);
  EXPECT_LT(smallest, 4);

  text.SetHeightPix(1 << 30);
  EXPECT_EQ(text.GetHeight(), largest);
  text.SetHeightPt(1 << 26);
  EXPECT_EQ(text.GetHeight(), largest);
  text.SetHeightPix(-40);
  EXPECT_EQ(text.GetHeight(), smallest);
  text.SetHeightPt(-3);
  EXPECT_GT(text.GetHeight(), 0);
  text.SetHeightPix(0);
  EXPECT_EQ(text.GetHeight(), smallest);
}

TEST_F(TrueTextTest, LineFeedIsSkippedWithoutMovingThePen) {
  KTrueText text(kFont);
  text.SetHeightPix(30);
  auto together = Blits([&] { text.DrawStringFromLeft("AB", 20, 10, 3); });
  auto split = Blits([&] { text.DrawStringFromLeft("A\nB", 20, 10, 3); });
  ASSERT_EQ(split.size(), 2u);
  ASSERT_EQ(together.size(), 2u);
  EXPECT_EQ(split[1].x, together[1].x);
  EXPECT_EQ(split[0].x, together[0].x);
  EXPECT_EQ(text.GetStringWidth("A\nB", 3), text.GetStringWidth("AB", 3));
}

TEST_F(TrueTextTest, FromTheRightTheTextEndsAtX) {
  TextOracle oracle(kFont, 40);
  KTrueText text(kFont);
  text.SetHeightPix(40);
  OracleGlyph a = oracle.Glyph('A'), b = oracle.Glyph('B');

  auto blits = Blits([&] { text.DrawStringFromRight("AB", 180, 5, 2); });
  ASSERT_EQ(blits.size(), 2u);
  // Drawn from the last character back: B first, then A.
  int penB = 180 - b.advance;
  EXPECT_EQ(blits[0].x, penB + b.left);
  EXPECT_EQ(blits[1].x, penB - 2 - a.advance + a.left);
  EXPECT_EQ(blits[0].y, 5 + b.top);

  // Characters that draw nothing at the end do not count as the last character.
  auto trailing = Blits([&] { text.DrawStringFromRight("AB\n", 180, 5, 2); });
  ASSERT_EQ(trailing.size(), 2u);
  EXPECT_EQ(trailing[0].x, blits[0].x);
  EXPECT_EQ(trailing[1].x, blits[1].x);
}

TEST_F(TrueTextTest, CentredTextStartsHalfTheSpareRoomInAndMayStartLeftOfX1) {
  TextOracle oracle(kFont, 40);
  KTrueText text(kFont);
  text.SetHeightPix(40);
  OracleGlyph a = oracle.Glyph('A'), b = oracle.Glyph('B');
  int width = a.advance + b.advance + 2;
  ASSERT_EQ(text.GetStringWidth("AB", 1), width);

  auto blits = Blits([&] { text.DrawStringCentered("AB", 10, 190, 0, 1); });
  ASSERT_EQ(blits.size(), 2u);
  EXPECT_EQ(blits[0].x, 10 + (180 - width) / 2 + a.left);

  // Narrower than the text: the start is left of x1, the halving truncated toward zero.
  int spare = 9 - width;
  blits = Blits([&] { text.DrawStringCentered("AB", 100, 109, 0, 1); });
  ASSERT_EQ(blits.size(), 2u);
  EXPECT_EQ(blits[0].x, 100 - (-spare) / 2 + a.left);
  EXPECT_LT(blits[0].x - a.left, 100);
}

// The measured width is the distance the pen moves when the text is drawn, for every byte.
TEST_F(TrueTextTest, MeasuredWidthIsTheDrawnPenAdvance) {
  TextOracle oracle(kFont, 26);
  KTrueText text(kFont);
  text.SetHeightPix(26);
  OracleGlyph bar = oracle.Glyph('|');
  for (const char* sample : {"Hello", "caf\xE9 \xC5ngstr\xF6m", "\t\x01tab", "\xFF\xA0\x80", ""}) {
    for (int kerning : {0, 3, -2}) {
      std::string probe = std::string(sample) + "|";
      auto blits = Blits([&] { text.DrawStringFromLeft(probe.c_str(), 7, 0, kerning); });
      ASSERT_FALSE(blits.empty());
      int penAtBar = blits.back().x - bar.left;
      EXPECT_EQ(text.GetStringWidth(sample, kerning), penAtBar - 7) << sample << " " << kerning;
    }
  }
  int expected = 0;
  for (unsigned char c : std::string("\xE9t\xE9")) expected += oracle.Glyph(c).advance;
  EXPECT_EQ(text.GetStringWidth("\xE9t\xE9", 0), expected) << "bytes above 127 are Latin-1";
  EXPECT_EQ(text.GetStringWidth("", 5), 0);
  EXPECT_EQ(text.GetStringWidth("\n\r", 5), 0);
}

TEST_F(TrueTextTest, ColourTintsTheAtlasWithoutChangingItsGlyphs) {
  KTrueText text(kFont);
  text.SetHeightPix(20);
  text.SetColor(1, 0, 0, 1);
  auto blits = Blits([&] { text.DrawStringFromLeft("x", 0, 0, 0); });
  ASSERT_EQ(blits.size(), 1u);
  EXPECT_EQ(blits[0].color, 0xFFFF0000u);
  text.SetColor(0, 0, 1, 0.5f);
  blits = Blits([&] { text.DrawStringFromLeft("x", 0, 0, 0); });
  ASSERT_EQ(blits.size(), 1u);
  EXPECT_EQ(blits[0].color & 0x00FFFFFFu, 0x0000FFu);
  EXPECT_NEAR(double(blits[0].color >> 24), 127.5, 1.0);
}

TEST_F(TrueTextTest, MissingOrBrokenFontDrawsNothingAndMeasuresZero) {
  TempFolder folder;
  const char broken[] = "\0\1\0\0 not a font at all";
  folder.Write("broken.ttf", std::string(broken, sizeof broken - 1));
  for (const std::string& file : {std::string("/no/such/font.ttf"), folder.File("broken.ttf")}) {
    SCOPED_TRACE(file);
    size_t pictures = KGraphicDX::LivePictures().size();
    KTrueText text(file.c_str());
    text.SetHeightPix(40);
    text.SetHeightPt(12);
    text.SetColor(1, 0, 0, 1);
    EXPECT_EQ(text.GetHeight(), 0);
    EXPECT_EQ(text.GetStringWidth("Hello", 2), 0);
    auto blits = Blits([&] {
      text.DrawStringFromLeft("Hello", 10, 10, 0);
      text.DrawStringFromRight("Hello", 190, 10, 0);
      text.DrawStringCentered("Hello", 0, 200, 10, 0);
      text.BuildAtlas();
    });
    EXPECT_TRUE(blits.empty());
    EXPECT_EQ(KGraphicDX::LivePictures().size(), pictures) << "no atlas";
  }
  EXPECT_TRUE(platform::TakeMessageBoxes().empty()) << "no message";
}

TEST_F(TrueTextTest, LoadingAnotherFaceDropsTheOldGlyphs) {
  TextOracle mono("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", 30);
  ASSERT_TRUE(mono.Loaded());
  KTrueText text(kFont);
  text.SetHeightPix(30);
  text.DrawStringFromLeft("i", 0, 0, 0);
  text.LoadFace("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
  text.SetHeightPix(30);
  EXPECT_EQ(text.GetStringWidth("iii", 0), 3 * mono.Glyph('i').advance);
  auto blits = Blits([&] { text.DrawStringFromLeft("i", 0, 0, 0); });
  ASSERT_EQ(blits.size(), 1u);
  EXPECT_EQ(blits[0].w, mono.Glyph('i').width);
}

// A bitmap font of one 14-pixel strike, whose glyphs FreeType renders as one bit a pixel with rows
// padded to whole bytes: 'A' is 10 pixels wide (2 bytes a row), 'B' 3 pixels.
std::string BitmapFont() {
  auto glyph = [](const char* name, int code, int width, int advance) {
    std::string text = std::string("STARTCHAR ") + name + "\nENCODING " + std::to_string(code) +
                       "\nSWIDTH 500 0\nDWIDTH " + std::to_string(advance) + " 0\nBBX " +
                       std::to_string(width) + " 14 1 -3\nBITMAP\n";
    for (int row = 0; row < 14; ++row) {
      unsigned bits = 0;
      for (int column = 0; column < width; ++column)
        if ((row + column + code) % 3 == 0) bits |= 0x8000u >> column;
      char line[8];
      std::snprintf(line, sizeof line, width > 8 ? "%04X\n" : "%02X\n",
                    width > 8 ? bits : bits >> 8);
      text += line;
    }
    return text + "ENDCHAR\n";
  };
  return "STARTFONT 2.1\nFONT -test-probe-medium-r-normal--14-140-75-75-c-100-iso8859-1\n"
         "SIZE 14 75 75\nFONTBOUNDINGBOX 10 14 1 -3\nSTARTPROPERTIES 6\nPIXEL_SIZE 14\n"
         "FONT_ASCENT 11\nFONT_DESCENT 3\nDEFAULT_CHAR 65\nCHARSET_REGISTRY \"ISO8859\"\n"
         "CHARSET_ENCODING \"1\"\nENDPROPERTIES\nCHARS 2\n" +
         glyph("A", 'A', 10, 12) + glyph("B", 'B', 3, 5) + "ENDFONT\n";
}

TEST_F(TrueTextTest, OneBitGlyphsWithPaddedRowsBecomeFullCoverage) {
  TempFolder folder;
  folder.Write("probe.bdf", BitmapFont());
  KTrueText text(folder.File("probe.bdf").c_str());
  ASSERT_EQ(text.GetHeight(), 14);
  auto blits = Blits([&] { text.DrawStringFromLeft("AB", 20, 30, 0); });
  ASSERT_EQ(blits.size(), 2u);
  EXPECT_EQ(blits[0].x, 21);
  EXPECT_EQ(blits[0].y, 30) << "the bitmap's top is the font's ascent";
  EXPECT_EQ(blits[1].x, 20 + 12 + 1);
  EXPECT_EQ(text.GetStringWidth("AB", 0), 17);

  auto texels = Texels(Atlas());
  ASSERT_FALSE(texels.empty());
  int mismatches = 0;
  for (size_t i = 0; i < 2; ++i) {
    const DrawnGlyph& glyph = blits[i];
    ASSERT_EQ(glyph.w, i == 0 ? 10 : 3);
    ASSERT_EQ(glyph.h, 14);
    for (int row = 0; row < 14; ++row) {
      for (int column = 0; column < glyph.w; ++column) {
        int alpha = (row + column + (i == 0 ? 'A' : 'B')) % 3 == 0 ? 255 : 0;
        std::array<int, 4> expected = {255, 255, 255, alpha};
        if (texels[size_t(glyph.sy + row)][size_t(glyph.sx + column)] != expected) ++mismatches;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// At 400 pixels the 224 glyphs need a picture taller than any texture: none is made or tried, the
// text still measures, and a smaller height draws again.
TEST_F(TrueTextTest, GlyphsBeyondTheLargestTextureMeasureButDrawNothing) {
  TextOracle oracle(kFont, 400);
  KTrueText text(kFont);
  text.SetHeightPix(400);
  size_t pictures = KGraphicDX::LivePictures().size();
  platform::RecordDirectXCalls(true);
  text.DrawStringFromLeft("AB", 0, 0, 0);
  text.SetColor(1, 1, 0, 1);
  text.DrawStringFromRight("AB", 100, 0, 0);
  platform::RecordDirectXCalls(false);
  auto calls = platform::TakeDirectXCalls();
  EXPECT_TRUE(CallsNamed(calls, "CreateSurface").empty());
  EXPECT_TRUE(CallsNamed(calls, "DrawPrimitive").empty());
  EXPECT_EQ(KGraphicDX::LivePictures().size(), pictures);
  EXPECT_EQ(text.GetStringWidth("AB", 1),
            oracle.Glyph('A').advance + oracle.Glyph('B').advance + 2);

  text.SetHeightPix(40);
  EXPECT_EQ(Blits([&] { text.DrawStringFromLeft("AB", 0, 0, 0); }).size(), 2u);
}

// Glyphs that span many ems (an em of 16 units for outlines of 700) are measured but neither
// rendered into the atlas nor drawn; the same glyphs with a usual em are drawn.
TEST_F(TrueTextTest, GlyphsSpanningManyEmsAreMeasuredButNotDrawn) {
  TempFolder folder;
  for (int unitsPerEm : {16, 1024}) {
    const std::string path = folder.Write("em" + std::to_string(unitsPerEm) + ".ttf",
                                          true_type_font::MakeTrueTypeFont(unitsPerEm));
    KTrueText text(path.c_str());
    text.SetHeightPix(14);
    EXPECT_EQ(text.GetStringWidth("AB", 0), 2 * ((600 * 14 + unitsPerEm / 2) / unitsPerEm))
        << unitsPerEm;
    EXPECT_EQ(Blits([&] { text.DrawStringFromLeft("AB", 0, 0, 0); }).size(),
              unitsPerEm == 16 ? 0u : 2u)
        << unitsPerEm;
  }
}

// A font whose glyphs are far larger than its line (an em of 16 units for outlines of 700) asks
// at 400 pixels for glyph bitmaps taller than any atlas: they are measured without being rendered.
TEST(TrueTextHostileFont, GlyphsLargerThanAnyAtlasAreMeasuredWithoutBeingRendered) {
  TempFolder folder;
  const std::string path = folder.Write("huge.ttf", true_type_font::MakeTrueTypeFont(16));
  KTrueText text(path.c_str());
  text.SetHeightPix(400);
  const long before = PeakResidentKilobytes();
  EXPECT_EQ(text.GetStringWidth("AB", 0), 2 * 600 * 400 / 16);
  EXPECT_LT(PeakResidentKilobytes() - before, 16 * 1024);
}

// Beside a glyph that fits ('B' scaled to 1/64), a glyph spanning many ems ('A', 6250 x 8750
// pixels at 200) is left out of the atlas without ever being rendered.
TEST(TrueTextHostileFont, AGlyphLeftOutOfTheAtlasIsNeverRendered) {
  TempFolder folder;
  const std::string path =
      folder.Write("mixed.ttf", true_type_font::MakeTrueTypeFont(16, 1.0 / 64));
  KTrueText text(path.c_str());
  text.SetHeightPix(200);
  const long before = PeakResidentKilobytes();
  EXPECT_EQ(text.GetStringWidth("AB", 0), 2 * 600 * 200 / 16);
  EXPECT_LT(PeakResidentKilobytes() - before, 16 * 1024);
}

// On the OpenGL renderer the glyphs are blitted at whole pixels: white text over black is
// FreeType's coverage at each glyph's place, pixel for pixel, and black elsewhere.
using TrueTextOnOpenGL = RendererWindowTest;

TEST_F(TrueTextOnOpenGL, GlyphsAreFreeTypesCoverageWhereTheirBearingsPutThem) {
  ASSERT_TRUE(MakeWindow(kOpenGL));
  TextOracle oracle(kFont, 40);
  ASSERT_TRUE(oracle.Loaded());
  std::vector<int> expected(size_t(kWidth) * kHeight, 0);
  int pen = 10;
  for (unsigned char character : {'A', 'g', '%'}) {
    OracleGlyph glyph = oracle.Glyph(character);
    for (int row = 0; row < glyph.rows; ++row) {
      for (int column = 0; column < glyph.width; ++column) {
        expected[size_t(20 + glyph.top + row) * kWidth + size_t(pen + glyph.left + column)] =
            glyph.coverage[size_t(row) * glyph.width + column];
      }
    }
    pen += glyph.advance;
  }
  KTrueText text(kFont);
  text.SetHeightPix(40);
  window_->SetClearColor(0, 0, 0, 1);
  window_->SetWorldView(0, 0, 0, 1, true);
  text.DrawStringFromLeft("Ag%", 10, 20, 0);
  std::vector<Rgb> frame = Read(0, 0, kWidth, kHeight);
  int mismatches = 0;
  for (size_t i = 0; i < frame.size(); ++i)
    mismatches += frame[i] != Rgb{expected[i], expected[i], expected[i]};
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(std::count(expected.begin(), expected.end(), 255), 100);
}

}  // namespace
