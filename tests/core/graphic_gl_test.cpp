// The OpenGL picture: its textures, the OpenGL state it leaves and every way of drawing it.
#include <cstring>
#include <functional>
#include <set>

#include "GLPictureState.h"
#include "gl_context_fixture.h"
#include "image_files.h"
#include "platform/message_boxes.h"
#include "temp_folder.h"

namespace {

const uint32_t kOpaqueRed = PackPixel(255, 0, 0, 255);
const uint32_t kOpaqueBlue = PackPixel(0, 0, 255, 255);

GLint Integer(GLenum name) {
  GLint value = -1;
  glGetIntegerv(name, &value);
  return value;
}

// A parameter of the picture's texture (bound behind the picture's back) or of its level 0.
GLint TextureParameter(const KGraphicGL& picture, GLenum name) {
  glBindTexture(GL_TEXTURE_2D, picture.TextureName());
  KGraphicGL::ForgetBoundTexture();
  GLint value = -1;
  glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
  return value;
}

GLint LevelParameter(const KGraphicGL& picture, GLenum name) {
  glBindTexture(GL_TEXTURE_2D, picture.TextureName());
  KGraphicGL::ForgetBoundTexture();
  GLint value = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
  return value;
}

// The texel words of the whole texture, its first row first.
std::vector<uint32_t> Texels(const KGraphicGL& picture) {
  size_t side = size_t(LevelParameter(picture, GL_TEXTURE_WIDTH));
  std::vector<uint32_t> texels(side * side);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

class GraphicGL : public OpenGLContextTest {
 protected:
  void SetUp() override {
    OpenGLContextTest::SetUp();
    glGetFloatv(GL_PROJECTION_MATRIX, projection_);
  }

  // The world view as the window set it, with no OpenGL error left behind.
  void ExpectViewKept(const std::string& after) {
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << after;
    EXPECT_EQ(Integer(GL_MODELVIEW_STACK_DEPTH), 1) << after;
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW) << after;
    GLfloat projection[16], modelview[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    const GLfloat identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_EQ(std::memcmp(projection, projection_, sizeof projection), 0) << after;
    EXPECT_EQ(std::memcmp(modelview, identity, sizeof modelview), 0) << after;
  }

  std::string WriteFile(const std::string& name, const std::string& bytes) {
    folder_.Write(name, bytes);
    return folder_.File(name);
  }

  // A picture of one colour; the array is not kept alive, so no update may follow.
  static void MakeSolid(KGraphicGL& picture, int width, int height, uint32_t pixel,
                        bool hiQuality = true) {
    std::vector<uint32_t> pixels(size_t(width) * height, pixel);
    ASSERT_TRUE(picture.MakePictureFromArray(pixels.data(), width, height, hiQuality));
  }

  // A width x height picture whose left half is red and right half blue.
  static void MakeHalves(KGraphicGL& picture, int width, int height) {
    std::vector<uint32_t> pixels(size_t(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = int(i % size_t(width)) < width / 2 ? kOpaqueRed : kOpaqueBlue;
    ASSERT_TRUE(picture.MakePictureFromArray(pixels.data(), width, height, true));
  }

  GLfloat projection_[16];
  TempFolder folder_;
};

TEST_F(GraphicGL, APictureMadeBeforeTheScreenSizeWarns) {
  platform::TakeMessageBoxes();
  KGraphicGL::SetScreenSize(0, 0, 0);
  { KGraphicGL early; }
  KGraphicGL::SetScreenSize(kWidth, kHeight, 32);
  { KGraphicGL later; }
  std::vector<platform::MessageBoxRecord> boxes = platform::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Screen Dimensions not specified, you will not see anything");
  EXPECT_EQ(boxes[0].text, "KGraphicGL::SetScreenSize Not Called!");
}

TEST_F(GraphicGL, ArraysMakeSquareTexturesOfAtLeastFourTexels) {
  const struct {
    int width, height, side;
    bool hiQuality;
    GLint format;
  } rows[] = {{1, 1, 4, true, GL_RGBA8},       {3, 2, 4, false, GL_RGBA},
              {4, 4, 4, true, GL_RGBA8},       {5, 3, 8, true, GL_RGBA8},
              {256, 100, 256, true, GL_RGBA8}, {257, 10, 512, false, GL_RGBA}};
  KGraphicGL picture;
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.width << " x " << row.height);
    MakeSolid(picture, row.width, row.height, kOpaqueRed, row.hiQuality);
    EXPECT_EQ(picture.TextureWidth(), float(row.side));
    EXPECT_EQ(LevelParameter(picture, GL_TEXTURE_WIDTH), row.side);
    EXPECT_EQ(LevelParameter(picture, GL_TEXTURE_HEIGHT), row.side);
    EXPECT_EQ(LevelParameter(picture, GL_TEXTURE_INTERNAL_FORMAT), row.format);
    std::vector<uint32_t> texels = Texels(picture);
    EXPECT_EQ(texels[size_t(row.height - 1) * row.side + row.width - 1], kOpaqueRed);
    if (row.width < row.side) {
      EXPECT_EQ(texels[size_t(row.width)], 0u);
    }
    if (row.height < row.side) {
      EXPECT_EQ(texels[size_t(row.height) * row.side], 0u);
    }
  }
  // Too large for a texture: nothing changes.
  std::vector<uint32_t> wide(8193, kOpaqueBlue);
  EXPECT_FALSE(picture.MakePictureFromArray(wide.data(), 8193, 1, true));
  EXPECT_EQ(picture.GetWidth(), 257.0f);
  ExpectViewKept("making");
}

TEST_F(GraphicGL, FilesLoadInTheFormatOfTheirWishesWithTheColourKey) {
  TestPicture picture = Gradient(5, 3);
  picture.pixels[1] = PackPixel(255, 0, 255, 255);
  std::string path = WriteFile("Gradient.PNG", PngFile(picture, 4));
  const std::string asGiven = path;
  const struct {
    bool hiQuality, alpha;
    GLint format;
  } rows[] = {{true, true, GL_RGBA8},
              {false, true, GL_RGBA},
              {true, false, GL_RGB8},
              {false, false, GL_RGB}};
  KGraphicGL graphic;
  graphic.SetColorKey(true, 255, 0, 255);
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.hiQuality << " " << row.alpha);
    ASSERT_TRUE(graphic.LoadPicture(path.c_str(), row.hiQuality, row.alpha));
    EXPECT_EQ(path, asGiven);
    EXPECT_EQ(graphic.GetWidth(), 5.0f);
    EXPECT_EQ(graphic.GetHeight(), 3.0f);
    EXPECT_EQ(LevelParameter(graphic, GL_TEXTURE_INTERNAL_FORMAT), row.format);
  }
  ASSERT_TRUE(graphic.LoadPicture(path.c_str(), true, true));
  std::vector<uint32_t> texels = Texels(graphic);
  EXPECT_EQ(texels[2 * 8 + 4], picture.At(4, 2));
  EXPECT_EQ(texels[1], PackPixel(255, 0, 255, 0));
  EXPECT_EQ(texels[2 * 8 + 5], 0u);
  EXPECT_EQ(texels[3 * 8], 0u);
  EXPECT_FALSE(graphic.LoadPicture(WriteFile("picture.gif", "GIF89a").c_str(), true, true));
  EXPECT_EQ(graphic.TextureName(), 0u);
  ExpectViewKept("loading");
}

TEST_F(GraphicGL, NoTextureOutlivesTheNextOneOrTheFree) {
  std::string file = WriteFile("picture.png", PngFile(Gradient(3, 3), 4));
  std::string broken = WriteFile("broken.png", "not a picture");
  std::vector<uint32_t> pixels(4, kOpaqueRed);
  KGraphicGL graphic;
  const std::function<bool()> steps[] = {
      [&] { return graphic.LoadPicture(file.c_str(), true, true); },
      [&] { return graphic.LoadPicture(file.c_str(), true, true); },
      [&] { return graphic.MakePictureFromArray(pixels.data(), 2, 2, true); },
      [&] { return graphic.MakePictureFromArray(pixels.data(), 2, 2, true); },
      [&] { return graphic.GrabBackBuffer(); },
      [&] { return graphic.GrabBackBufferFiltered(nullptr); },
      // An undecodable file with a known extension: an empty picture with a 4 x 4 texture.
      [&] { return graphic.LoadPicture(broken.c_str(), true, true); },
  };
  std::set<GLuint> names;
  for (const auto& step : steps) {
    ASSERT_TRUE(step());
    names.insert(graphic.TextureName());
    for (GLuint name : names) EXPECT_EQ(glIsTexture(name), name == graphic.TextureName()) << name;
  }
  EXPECT_EQ(graphic.GetWidth(), 0.0f);
  EXPECT_EQ(graphic.TextureWidth(), 4.0f);
  graphic.FreePicture();
  for (GLuint name : names) EXPECT_FALSE(glIsTexture(name)) << name;
}

TEST_F(GraphicGL, AnUpdateUploadsTheKeptArrayAtItsOwnSizeUntilTheNextLoad) {
  std::vector<uint32_t> pixels(4, kOpaqueRed);
  KGraphicGL graphic;
  ASSERT_TRUE(graphic.MakePictureFromArray(pixels.data(), 2, 2, true));
  pixels[3] = kOpaqueBlue;
  graphic.UpdatePictureFromArray();
  EXPECT_EQ(Texels(graphic)[4 + 1], kOpaqueBlue);
  TestPicture larger = Gradient(16, 16);
  ASSERT_TRUE(
      graphic.LoadPicture(WriteFile("larger.tga", TgaFile(larger, 32)).c_str(), true, true));
  pixels[3] = kOpaqueRed;
  graphic.UpdatePictureFromArray();
  EXPECT_EQ(Texels(graphic)[16 + 1], larger.At(1, 1));
  graphic.FreePicture();
  graphic.UpdatePictureFromArray();
  ExpectViewKept("updating");
}

TEST_F(GraphicGL, FilteringAndAddressingFollowTheSettingsAndEachNewTexture) {
  std::string file = WriteFile("picture.png", PngFile(Gradient(3, 3), 4));
  KGraphicGL graphic;
  const struct {
    const char* step;
    std::function<void()> act;
    GLint wrap, filter;
  } rows[] = {
      {"wrap before a load", [&] { graphic.SetTextureWrap(true); }, -1, -1},
      {"load", [&] { graphic.LoadPicture(file.c_str(), true, true); }, GL_REPEAT, GL_NEAREST},
      {"smooth", [&] { graphic.SetTextureQuality(true); }, GL_REPEAT, GL_LINEAR},
      {"clamp", [&] { graphic.SetTextureWrap(false); }, GL_CLAMP, GL_LINEAR},
      {"reload", [&] { graphic.LoadPicture(file.c_str(), true, true); }, GL_CLAMP, GL_NEAREST},
      {"repeat", [&] { graphic.SetTextureWrap(true); }, GL_REPEAT, GL_NEAREST},
      {"make", [&] { MakeSolid(graphic, 2, 2, kOpaqueRed); }, GL_CLAMP, GL_NEAREST},
      {"smooth grab", [&] { graphic.SetTextureQuality(true), graphic.GrabBackBuffer(); }, GL_CLAMP,
       GL_NEAREST},
  };
  for (const auto& row : rows) {
    row.act();
    if (row.wrap < 0) continue;
    EXPECT_EQ(TextureParameter(graphic, GL_TEXTURE_WRAP_S), row.wrap) << row.step;
    EXPECT_EQ(TextureParameter(graphic, GL_TEXTURE_WRAP_T), row.wrap) << row.step;
    EXPECT_EQ(TextureParameter(graphic, GL_TEXTURE_MAG_FILTER), row.filter) << row.step;
    EXPECT_EQ(TextureParameter(graphic, GL_TEXTURE_MIN_FILTER), row.filter) << row.step;
  }
}

TEST_F(GraphicGL, BindRepeatRepeatsItsOwnTextureAndLeavesItBound) {
  KGraphicGL first, second;
  MakeSolid(first, 4, 4, kOpaqueRed);
  MakeSolid(second, 4, 4, kOpaqueRed);
  first.BlitRect(0, 0, 4, 4, 0, 0, false, false);
  second.BindRepeat();
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), GLint(second.TextureName()));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(TextureParameter(second, GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(TextureParameter(first, GL_TEXTURE_WRAP_S), GL_CLAMP);
}

TEST_F(GraphicGL, ABlitCoversExactlyItsPixelsFromTheTop) {
  KGraphicGL graphic;
  MakeSolid(graphic, 100, 50, kOpaqueRed);
  graphic.BlitRect(0, 0, 100, 50, 10, 20, false, false);
  std::vector<int> columns = ColumnsOf(40, kRed), rows = RowsOf(50, kRed);
  ASSERT_EQ(columns.size(), 100u);
  EXPECT_EQ(columns.front(), 10);
  ASSERT_EQ(rows.size(), 50u);
  EXPECT_EQ(rows.front(), 20);
  ExpectViewKept("a blit");
}

TEST_F(GraphicGL, EachDrawLeavesItsOwnBlendingTexturingAndWhite) {
  KGraphicGL g, empty;
  MakeSolid(g, 8, 8, kOpaqueRed);
  enum Texturing { kTextured, kUntextured, kNothing };
  const struct {
    const char* draw;
    std::function<void(KGraphicGL&)> act;
    Texturing texturing;
    bool blended;
  } rows[] = {
      {"BlitRect", [](KGraphicGL& p) { p.BlitRect(0, 0, 8, 8, 4, 4, false, false); }, kTextured,
       false},
      {"BlitRectF", [](KGraphicGL& p) { p.BlitRectF(0, 0, 8, 8, 4, 4, true, true); }, kTextured,
       false},
      {"BlitRectRotateZoom",
       [](KGraphicGL& p) { p.BlitRectRotateZoom(0, 0, 8, 8, 4, 4, 30, 2, false, false); },
       kTextured, false},
      {"BlitRectRotateZoomF",
       [](KGraphicGL& p) { p.BlitRectRotateZoomF(0, 0, 8, 8, 4, 4, 0, 0.5f, false, false); },
       kTextured, false},
      {"BlitAlphaRect", [](KGraphicGL& p) { p.BlitAlphaRect(0, 0, 8, 8, 4, 4, false, false); },
       kTextured, true},
      {"BlitAlphaRectF", [](KGraphicGL& p) { p.BlitAlphaRectF(0, 0, 8, 8, 4, 4, false, true); },
       kTextured, true},
      {"BlitAlphaRectFx",
       [](KGraphicGL& p) { p.BlitAlphaRectFx(0, 0, 8, 8, 4, 4, 45, 1.5f, 1, false, false, 1, 2); },
       kTextured, true},
      {"BlitAlphaRectFxF",
       [](KGraphicGL& p) { p.BlitAlphaRectFxF(0, 0, 8, 8, 4, 4, 0, 1, 1, false, false, 0, 0); },
       kTextured, true},
      {"StretchAlphaRect",
       [](KGraphicGL& p) { p.StretchAlphaRect(0, 0, 8, 8, 4, 4, 20, 20, 1, 0, 0, 0, 0, 0); },
       kTextured, true},
      {"StretchAlphaRect turned",
       [](KGraphicGL& p) { p.StretchAlphaRect(0, 0, 8, 8, 4, 4, 20, 20, -1, 45, 0, 0, 3, 3); },
       kTextured, true},
      {"BlitTiled", [](KGraphicGL& p) { p.BlitTiled(4, 4, 16, 16, 2, 30); }, kTextured, false},
      {"BlitArbitraryQuad",
       [](KGraphicGL& p) {
         p.BlitArbitraryQuad(0, 0, 8, 0, 8, 8, 0, 8, 4, 4, 12, 5, 12, 12, 5, 12);
       },
       kTextured, true},
      {"DrawRect opaque", [](KGraphicGL& p) { p.DrawRect(4, 4, 9, 9, 1, 0, 0, 1); }, kUntextured,
       false},
      {"DrawRect blended", [](KGraphicGL& p) { p.DrawRect(4, 4, 9, 9, 1, 0, 0, 0.5f); },
       kUntextured, false},
      {"DrawLine", [](KGraphicGL& p) { p.DrawLine(4, 4, 9, 9, 1, 0, 0, 1); }, kUntextured, false},
      {"PlotPixel", [](KGraphicGL& p) { p.PlotPixel(4, 4, 1, 0, 0, 1); }, kUntextured, false},
      {"BlitRectRotateZoom zoom 0",
       [](KGraphicGL& p) { p.BlitRectRotateZoom(0, 0, 8, 8, 4, 4, 30, 0, false, false); }, kNothing,
       false},
      {"BlitAlphaRectFx zoom 0",
       [](KGraphicGL& p) { p.BlitAlphaRectFx(0, 0, 8, 8, 4, 4, 30, 0, 1, false, false, 0, 0); },
       kNothing, false},
      {"BlitAlphaRectFxF alpha 0",
       [](KGraphicGL& p) { p.BlitAlphaRectFxF(0, 0, 8, 8, 4, 4, 30, 2, 0, false, false, 0, 0); },
       kNothing, false},
      {"BlitAlphaRectFx alpha -1",
       [](KGraphicGL& p) { p.BlitAlphaRectFx(0, 0, 8, 8, 4, 4, 0, 1, -1, false, false, 0, 0); },
       kNothing, false},
  };
  GLfloat white[4] = {1, 1, 1, 1}, color[4];
  for (const auto& row : rows) {
    for (KGraphicGL* picture : {&g, &empty}) {
      std::string what = std::string(row.draw) + (picture == &empty ? " without texture" : "");
      Clear(0, 0, 0);
      glDisable(GL_BLEND);
      row.act(*picture);
      bool draws = row.texturing == kUntextured || (row.texturing == kTextured && picture == &g);
      std::vector<Rgb> corner = Read(0, 0, 32, 32);
      EXPECT_EQ(IndicesOf(corner, kBlack).size() < corner.size(), draws) << what;
      ExpectViewKept(what);
      glGetFloatv(GL_CURRENT_COLOR, color);
      EXPECT_EQ(std::memcmp(color, white, sizeof color), 0) << what;
      EXPECT_EQ(bool(glIsEnabled(GL_BLEND)), row.blended && picture == &g) << what;
      if (row.texturing == kUntextured) {
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << what;
        EXPECT_EQ(g_glPictures.lastBound, GLPictureState::kNothingBound) << what;
      } else if (draws) {
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << what;
        EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), GLint(g.TextureName())) << what;
      }
    }
  }
}

TEST_F(GraphicGL, BlendedBlitsUseTheFactorsOfTheBlendMode) {
  KGraphicGL graphic;
  MakeSolid(graphic, 4, 4, PackPixel(255, 0, 0, 128));
  // Half-transparent red over blue; the frame buffer has no alpha channel: destination alpha is 1.
  const struct {
    int mode;
    GLint source, destination;
    Rgb over;
  } rows[] = {
      {K_BLEND_SRCALPHA_DSTALPHA, GL_SRC_ALPHA, GL_DST_ALPHA, {128, 0, 255}},
      {K_BLEND_SRCALPHA_INVSRCALPHA, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, {128, 0, 127}},
      {K_BLEND_ONE_INVSRCALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA, {255, 0, 127}},
      {K_BLEND_ZERO_INVSRCALPHA, GL_ZERO, GL_ONE_MINUS_SRC_ALPHA, {0, 0, 127}},
      {4, GL_ZERO, GL_ONE_MINUS_SRC_ALPHA, {0, 0, 127}},  // unknown: the mode stays
  };
  for (const auto& row : rows) {
    Clear(0, 0, 1);
    graphic.SetBlitMode(row.mode);
    graphic.BlitAlphaRect(0, 0, 4, 4, 0, 0, false, false);
    EXPECT_EQ(Integer(GL_BLEND_SRC), row.source) << row.mode;
    EXPECT_EQ(Integer(GL_BLEND_DST), row.destination) << row.mode;
    EXPECT_TRUE(Near(Pixel(1, 1), row.over, 1)) << row.mode << " " << Pixel(1, 1);
  }
}

TEST_F(GraphicGL, FlipsExchangeTheSourceEdges) {
  uint32_t pixels[4] = {kOpaqueRed, PackPixel(0, 255, 0, 255), kOpaqueBlue, 0xFFFFFFFFu};
  KGraphicGL graphic;
  ASSERT_TRUE(graphic.MakePictureFromArray(pixels, 2, 2, true));
  const struct {
    bool flipX, flipY;
    std::vector<Rgb> drawn;
  } rows[] = {{false, false, {kRed, kGreen, kBlue, kWhite}},
              {true, false, {kGreen, kRed, kWhite, kBlue}},
              {false, true, {kBlue, kWhite, kRed, kGreen}},
              {true, true, {kWhite, kBlue, kGreen, kRed}}};
  for (const auto& row : rows) {
    graphic.BlitRect(0, 0, 2, 2, 10, 10, row.flipX, row.flipY);
    EXPECT_EQ(Read(10, 10, 2, 2), row.drawn) << row.flipX << row.flipY;
  }
}

TEST_F(GraphicGL, RotateZoomGrowsFromTheCentreOfTheDestination) {
  KGraphicGL graphic;
  MakeSolid(graphic, 10, 10, kOpaqueRed);
  graphic.BlitRectRotateZoom(0, 0, 10, 10, 100, 100, 0, 2, false, false);
  std::vector<int> columns = ColumnsOf(105, kRed);
  ASSERT_EQ(columns.size(), 20u);
  EXPECT_EQ(columns.front(), 95);
  ExpectViewKept("a zoomed blit");
}

TEST_F(GraphicGL, AQuarterTurnGoesCounterClockwiseAboutThePivot) {
  KGraphicGL graphic;
  MakeHalves(graphic, 20, 10);
  // The 20 x 10 picture at (90, 70) pivots about (100 + cx, 75 + cy); its right (blue) half then
  // lies above the pivot and its left (red) half below.
  const struct {
    float cx, cy;
    int blueX, blueY, redX, redY, blackX, blackY;
  } rows[] = {{0, 0, 100, 70, 100, 80, 93, 75},
              {5, 0, 105, 72, 105, 86, 105, 66},
              {0, 4, 95, 74, 95, 84, 103, 74}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.cx << ", " << row.cy);
    for (bool whole : {true, false}) {
      Clear(0, 0, 0);
      if (whole) {
        graphic.BlitAlphaRectFx(0, 0, 20, 10, 90, 70, 90, 1, 1, false, false, row.cx, row.cy);
      } else {
        graphic.BlitAlphaRectFxF(0, 0, 20, 10, 90, 70, 90, 1, 1, false, false, row.cx, row.cy);
      }
      EXPECT_EQ(Pixel(row.blueX, row.blueY), kBlue) << whole;
      EXPECT_EQ(Pixel(row.redX, row.redY), kRed) << whole;
      EXPECT_EQ(Pixel(row.blackX, row.blackY), kBlack) << whole;
    }
  }
}

TEST_F(GraphicGL, TilesShowTheTextureHalfTurned) {
  std::vector<uint32_t> pixels(16, kOpaqueBlue);
  pixels[0] = pixels[1] = pixels[4] = pixels[5] = kOpaqueRed;  // the top-left quarter
  KGraphicGL graphic;
  ASSERT_TRUE(graphic.MakePictureFromArray(pixels.data(), 4, 4, true));
  graphic.SetTextureWrap(true);
  graphic.SetBlitColor(0, 1, 0, 1);  // not used by tiles
  graphic.BlitTiled(0, 0, 8, 8, 1, 0);
  graphic.BlitTiled(20, 0, 8, 8, 2, 0);
  EXPECT_EQ(Pixel(1, 1), kBlue);
  EXPECT_EQ(Pixel(6, 6), kRed);
  EXPECT_EQ(ColumnsOf(6, kRed), (std::vector<int>{4, 5, 6, 7, 22, 23, 26, 27}));
}

TEST_F(GraphicGL, GrabsCopyTheBackBufferTopRowFirst) {
  Clear(0, 0, 1);
  KGraphicGL painter;
  painter.DrawRect(0, 0, 10, 5, 1, 0, 0, 1);
  KGraphicGL graphic;
  ASSERT_TRUE(graphic.GrabBackBuffer());
  EXPECT_EQ(graphic.GetWidth(), 800.0f);
  EXPECT_EQ(graphic.GetHeight(), 600.0f);
  EXPECT_EQ(graphic.TextureWidth(), 1024.0f);
  EXPECT_EQ(LevelParameter(graphic, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
  std::vector<uint32_t> texels = Texels(graphic);
  const uint32_t kOpaqueBlack = PackPixel(0, 0, 0, 255);
  EXPECT_EQ(texels[1024 * 4 + 9], kOpaqueRed);
  EXPECT_EQ(texels[1024 * 5 + 9], kOpaqueBlue);
  EXPECT_EQ(texels[1024 * 599 + 799], kOpaqueBlue);
  EXPECT_EQ(texels[800], kOpaqueBlack);
  EXPECT_EQ(texels[1024 * 600], kOpaqueBlack);

  // The filter sees the screen's rows from the top; the colour key applies after it.
  static std::set<int> redRows;
  redRows.clear();
  graphic.SetColorKey(true, 0, 255, 0);
  ASSERT_TRUE(graphic.GrabBackBufferFiltered([](int, int y, uint8_t* r, uint8_t* g, uint8_t*) {
    if (*r == 255) redRows.insert(y);
    std::swap(*r, *g);
  }));
  EXPECT_EQ(redRows, (std::set<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(LevelParameter(graphic, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA8);
  texels = Texels(graphic);
  EXPECT_EQ(texels[0], 0u);
  EXPECT_EQ(texels[1024 * 5], kOpaqueBlue);
  EXPECT_EQ(texels[800], 0u);

  KGraphicGL::SetScreenSize(0, 0, 0);
  EXPECT_FALSE(graphic.GrabBackBuffer());
  KGraphicGL::SetScreenSize(kWidth, kHeight, 32);
  EXPECT_EQ(graphic.GetWidth(), 800.0f);
  ExpectViewKept("grabbing");
}

TEST_F(GraphicGL, ThePictureBindsOnlyWhenSomethingElseMayHaveBound) {
  KGraphicGL graphic;
  MakeSolid(graphic, 4, 4, kOpaqueRed);
  GLuint other = 0;
  glGenTextures(1, &other);
  graphic.BlitRect(0, 0, 4, 4, 0, 0, false, false);
  glBindTexture(GL_TEXTURE_2D, other);
  graphic.BlitRect(0, 0, 4, 4, 10, 0, false, false);
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), GLint(other));
  graphic.DrawRect(0, 20, 4, 24, 1, 1, 1, 1);
  graphic.BlitRect(0, 0, 4, 4, 20, 0, false, false);
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), GLint(graphic.TextureName()));
  EXPECT_EQ(Pixel(20, 0), kRed);
  glDeleteTextures(1, &other);
}

TEST_F(GraphicGL, OnlyBlendedBlitsTakeTheBlitColour) {
  KGraphicGL graphic;
  MakeSolid(graphic, 4, 4, 0xFFFFFFFFu);
  graphic.SetBlitColor(1, 0, 0, 1);
  graphic.BlitAlphaRect(0, 0, 4, 4, 0, 0, false, false);
  graphic.BlitRect(0, 0, 4, 4, 10, 0, false, false);
  EXPECT_EQ(Pixel(1, 1), kRed);
  EXPECT_EQ(Pixel(11, 1), kWhite);
}

TEST_F(GraphicGL, UntexturedDrawsLightTheirOwnPixels) {
  Clear(1, 1, 1);
  KGraphicGL graphic;
  graphic.SetBlitMode(K_BLEND_ZERO_INVSRCALPHA);
  graphic.DrawRect(0, 0, 10, 10, 0, 1, 0, 1);  // opaque whatever the blend mode
  graphic.DrawRect(20, 0, 30, 10, 0, 0, 0, 0.5f);
  graphic.DrawLine(0, 30, 50, 30, 1, 0, 0, 1);
  graphic.PlotPixel(40, 40, 0, 0, 1, 1);
  EXPECT_EQ(IndicesOf(Read(0, 0, 11, 11), kGreen).size(), 100u);
  EXPECT_TRUE(Near(Pixel(25, 5), Rgb{128, 128, 128}, 1)) << Pixel(25, 5);
  std::vector<int> line = ColumnsOf(30, kRed);
  ASSERT_EQ(line.size(), 50u);
  EXPECT_EQ(line.front(), 0);
  EXPECT_EQ(IndicesOf(Read(39, 39, 3, 3), kBlue), (std::vector<int>{4}));
}

TEST_F(GraphicGL, CopyingAScreenRectangleIgnoresTheViewAndTheTexture) {
  KGraphicGL graphic;
  MakeSolid(graphic, 4, 4, kOpaqueBlue);
  graphic.DrawRect(10, 10, 20, 15, 1, 0, 0, 1);
  graphic.BlitRect(0, 0, 4, 4, 0, 0, false, false);  // texturing on
  glRotatef(30, 0, 0, 1);
  // In window pixels, y upward: screen rows 10 to 14 are rows 585 to 589.
  KGraphicGL::CopyScreenRect(10, 585, 20, 590, 100, 100);
  glLoadIdentity();
  ExpectViewKept("a copy");
  EXPECT_EQ(ColumnsOf(497, kRed),
            (std::vector<int>{100, 101, 102, 103, 104, 105, 106, 107, 108, 109}));
  EXPECT_EQ(RowsOf(100, kRed), (std::vector<int>{495, 496, 497, 498, 499}));
}

}  // namespace
