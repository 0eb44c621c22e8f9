// The OpenGL picture: its textures, the OpenGL state it leaves and every way of drawing it.
#include <algorithm>
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

// A parameter of the picture's texture, or of its level 0, bound behind the picture's back.
GLint TextureParameter(const KGraphicGL& picture, GLenum name, bool ofLevel = false) {
  glBindTexture(GL_TEXTURE_2D, picture.TextureName());
  KGraphicGL::ForgetBoundTexture();
  GLint value = -1;
  ofLevel ? glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value)
          : glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
  return value;
}

// The texel words of the whole texture, its first row first.
std::vector<uint32_t> Texels(const KGraphicGL& picture) {
  size_t side = size_t(TextureParameter(picture, GL_TEXTURE_WIDTH, true));
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

  // A picture of one colour; the array is gone afterwards, so no update may follow.
  static void MakeSolid(KGraphicGL& picture, int width, int height, uint32_t pixel,
                        bool hiQuality = true) {
    std::vector<uint32_t> pixels(size_t(width) * height, pixel);
    ASSERT_TRUE(picture.MakePictureFromArray(pixels.data(), width, height, hiQuality));
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
    glEnable(GL_TEXTURE_1D + 7);  // an error of somebody else's fails no upload
    MakeSolid(picture, row.width, row.height, kOpaqueRed, row.hiQuality);
    EXPECT_EQ(picture.TextureWidth(), float(row.side));
    EXPECT_EQ(TextureParameter(picture, GL_TEXTURE_WIDTH, true), row.side);
    EXPECT_EQ(TextureParameter(picture, GL_TEXTURE_HEIGHT, true), row.side);
    EXPECT_EQ(TextureParameter(picture, GL_TEXTURE_INTERNAL_FORMAT, true), row.format);
    std::vector<uint32_t> texels = Texels(picture);
    size_t right = size_t(row.width) - 1, below = size_t(row.height) * row.side;
    EXPECT_EQ(texels[below - row.side + right], kOpaqueRed);
    EXPECT_EQ(texels[right + 1], row.width < row.side ? 0u : kOpaqueRed);
    EXPECT_EQ(below < texels.size() ? texels[below] : 0u, 0u);
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
  const std::string path = WriteFile("Gradient.PNG", PngFile(picture, 4)), asGiven = path;
  const struct {
    bool hiQuality, alpha;
    GLint format;
  } rows[] = {{false, false, GL_RGB},
              {true, false, GL_RGB8},
              {false, true, GL_RGBA},
              {true, true, GL_RGBA8}};
  KGraphicGL graphic;
  graphic.SetColorKey(true, 255, 0, 255);
  for (const auto& row : rows) {
    ASSERT_TRUE(graphic.LoadPicture(path.c_str(), row.hiQuality, row.alpha));
    EXPECT_EQ(TextureParameter(graphic, GL_TEXTURE_INTERNAL_FORMAT, true), row.format);
  }
  EXPECT_EQ(path, asGiven);
  EXPECT_EQ(graphic.GetWidth(), 5.0f);
  EXPECT_EQ(graphic.GetHeight(), 3.0f);
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
  pixels[0] = PackPixel(1, 2, 3, 255);
  KGraphicGL graphic;
  graphic.SetColorKey(true, 1, 2, 3);
  ASSERT_TRUE(graphic.MakePictureFromArray(pixels.data(), 2, 2, true));
  EXPECT_EQ(pixels[0], 0u);  // the key clears the caller's own pixel
  EXPECT_EQ(Texels(graphic)[0], 0u);
  pixels[3] = kOpaqueBlue;
  graphic.UpdatePictureFromArray();
  EXPECT_EQ(Texels(graphic)[4 + 1], kOpaqueBlue);
  TestPicture larger = Gradient(16, 16);
  ASSERT_TRUE(graphic.LoadPicture(WriteFile("larger.tga", TgaFile(larger, 32)).c_str(), 1, 1));
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
  graphic.SetTextureWrap(true);  // before there is a texture
  const struct {
    const char* step;
    std::function<void()> act;
    GLint wrap, filter;
  } rows[] = {
      {"load", [&] { graphic.LoadPicture(file.c_str(), true, true); }, GL_REPEAT, GL_NEAREST},
      {"smooth", [&] { graphic.SetTextureQuality(true); }, GL_REPEAT, GL_LINEAR},
      {"clamp", [&] { graphic.SetTextureWrap(false); }, GL_CLAMP_TO_EDGE, GL_LINEAR},
      {"reload", [&] { graphic.LoadPicture(file.c_str(), true, true); }, GL_CLAMP_TO_EDGE,
       GL_NEAREST},
      {"repeat, make", [&] { graphic.SetTextureWrap(true), MakeSolid(graphic, 2, 2, 0); },
       GL_CLAMP_TO_EDGE, GL_NEAREST},
      {"smooth, grab", [&] { graphic.SetTextureQuality(true), graphic.GrabBackBuffer(); },
       GL_CLAMP_TO_EDGE, GL_NEAREST},
  };
  for (const auto& row : rows) {
    row.act();
    for (GLenum axis : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T})
      EXPECT_EQ(TextureParameter(graphic, axis), row.wrap) << row.step;
    for (GLenum filter : {GL_TEXTURE_MAG_FILTER, GL_TEXTURE_MIN_FILTER})
      EXPECT_EQ(TextureParameter(graphic, filter), row.filter) << row.step;
  }
}

TEST_F(GraphicGL, APictureBindsOnlyWhenSomethingElseMayHaveBound) {
  KGraphicGL graphic, repeated;
  MakeSolid(graphic, 4, 4, kOpaqueRed);
  MakeSolid(repeated, 4, 4, kOpaqueBlue);
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
  // For the 3D objects: texturing on, its own texture bound and repeated, and no other.
  repeated.BindRepeat();
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), GLint(repeated.TextureName()));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(TextureParameter(repeated, GL_TEXTURE_WRAP_T), GL_REPEAT);
  EXPECT_EQ(TextureParameter(graphic, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
}

TEST_F(GraphicGL, EachFormPlacesTurnsAndFlipsItsQuad) {
  // A 20 x 10 picture in quarters: red and blue above, green and white below.
  std::vector<uint32_t> pixels(200);
  const uint32_t kQuarters[4] = {kOpaqueRed, kOpaqueBlue, PackPixel(0, 255, 0, 255), 0xFFFFFFFFu};
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = kQuarters[i % 20 / 10 + i / 100 * 2];
  KGraphicGL g;
  ASSERT_TRUE(g.MakePictureFromArray(pixels.data(), 20, 10, true));
  g.SetTextureWrap(true);
  struct Probe {
    int x, y;
    Rgb color;
  };
  const struct {
    const char* form;
    std::function<void()> draw;
    std::vector<Probe> probes;
  } rows[] = {
      // Exactly x 10 to 29 and rows 20 to 29, from the top of the screen.
      {"BlitRect",
       [&] { g.BlitRect(0, 0, 20, 10, 10, 20, false, false); },
       {{10, 20, kRed},
        {29, 20, kBlue},
        {10, 29, kGreen},
        {29, 29, kWhite},
        {9, 20, kBlack},
        {30, 29, kBlack},
        {10, 19, kBlack},
        {29, 30, kBlack}}},
      {"BlitRect flipX",
       [&] { g.BlitRect(0, 0, 20, 10, 10, 20, true, false); },
       {{10, 20, kBlue}, {29, 20, kRed}, {10, 29, kWhite}, {30, 29, kBlack}}},
      {"BlitRectF flipY",
       [&] { g.BlitRectF(0, 0, 20, 10, 10, 20, false, true); },
       {{10, 20, kGreen}, {29, 20, kWhite}, {10, 29, kRed}, {10, 30, kBlack}}},
      {"BlitRect both flips",
       [&] { g.BlitRect(0, 0, 20, 10, 10, 20, true, true); },
       {{10, 20, kWhite}, {29, 29, kRed}, {10, 19, kBlack}}},
      // Zoomed about the destination's centre (110, 105), not its corner.
      {"BlitRectRotateZoom",
       [&] { g.BlitRectRotateZoom(0, 0, 20, 10, 100, 100, 0, 2, 0, 0); },
       {{90, 95, kRed}, {129, 114, kWhite}, {89, 95, kBlack}, {130, 114, kBlack}}},
      // A quarter turn counter-clockwise about (dx + 10 + cx, dy + 5 + cy): the right half goes
      // above the pivot and the top half to its left.
      {"BlitRectRotateZoomF",
       [&] { g.BlitRectRotateZoomF(0, 0, 20, 10, 90, 70, 90, 1, 0, 0); },
       {{97, 80, kRed}, {97, 70, kBlue}, {103, 80, kGreen}, {103, 70, kWhite}, {93, 75, kBlack}}},
      {"BlitAlphaRectFx cx 5",
       [&] { g.BlitAlphaRectFx(0, 0, 20, 10, 90, 70, 90, 1, 1, 0, 0, 5, 0); },
       {{102, 85, kRed}, {102, 75, kBlue}, {108, 85, kGreen}, {102, 68, kBlack}}},
      {"BlitAlphaRectFxF cy 4",
       [&] { g.BlitAlphaRectFxF(0, 0, 20, 10, 90, 70, 90, 1, 1, 0, 0, 0, 4); },
       {{93, 84, kRed}, {93, 74, kBlue}, {98, 84, kGreen}, {98, 74, kWhite}, {103, 74, kBlack}}},
      // Tiles are half-turned: the bottom-right corner shows the texture's top-left.
      {"BlitTiled",
       [&] { g.BlitTiled(0, 0, 64, 32, 1, 0); },
       {{50, 28, kRed}, {30, 28, kBlue}, {50, 24, kGreen}, {50, 20, kBlack}}},
      {"BlitTiled twice",
       [&] { g.BlitTiled(100, 0, 64, 64, 2, 0); },
       {{125, 29, kRed}, {125, 24, kGreen}, {157, 61, kRed}, {157, 56, kGreen}}},
      {"StretchAlphaRect",
       [&] { g.StretchAlphaRect(0, 0, 20, 10, 10, 20, 50, 60, 1, 0, 0, 0, 0, 0); },
       {{10, 20, kRed}, {49, 20, kBlue}, {49, 59, kWhite}, {50, 59, kBlack}, {49, 60, kBlack}}},
      {"BlitArbitraryQuad",
       [&] { g.BlitArbitraryQuad(0, 0, 20, 0, 20, 10, 0, 10, 10, 20, 50, 20, 50, 60, 10, 60); },
       {{10, 20, kRed}, {49, 20, kBlue}, {49, 59, kWhite}, {50, 59, kBlack}, {49, 60, kBlack}}},
  };
  for (const auto& row : rows) {
    Clear(0, 0, 0);
    row.draw();
    for (const Probe& probe : row.probes)
      EXPECT_EQ(Pixel(probe.x, probe.y), probe.color)
          << row.form << " " << probe.x << ", " << probe.y;
    ExpectViewKept(row.form);
  }
}

TEST_F(GraphicGL, EachDrawLeavesItsOwnBlendingTexturingAndWhite) {
  KGraphicGL g, empty;
  MakeSolid(g, 8, 8, kOpaqueRed);
  enum Kind { kPlain, kBlended, kUntextured, kNothing };
  const struct {
    const char* draw;
    std::function<void(KGraphicGL&)> act;
    Kind kind;
  } rows[] = {
      {"BlitRect", [](KGraphicGL& p) { p.BlitRect(0, 0, 8, 8, 4, 4, 0, 0); }, kPlain},
      {"BlitRectRotateZoom",
       [](KGraphicGL& p) { p.BlitRectRotateZoom(0, 0, 8, 8, 4, 4, 30, 2, 0, 0); }, kPlain},
      {"BlitTiled", [](KGraphicGL& p) { p.BlitTiled(4, 4, 16, 16, 2, 30); }, kPlain},
      {"BlitAlphaRectF", [](KGraphicGL& p) { p.BlitAlphaRectF(0, 0, 8, 8, 4, 4, 0, 0); }, kBlended},
      {"BlitAlphaRectFx",
       [](KGraphicGL& p) { p.BlitAlphaRectFx(0, 0, 8, 8, 4, 4, 45, 2, 1, 0, 0, 1, 2); }, kBlended},
      {"StretchAlphaRect",
       [](KGraphicGL& p) { p.StretchAlphaRect(0, 0, 8, 8, 4, 4, 20, 20, -1, 45, 0, 0, 3, 3); },
       kBlended},
      {"BlitArbitraryQuad",
       [](KGraphicGL& p) {
         p.BlitArbitraryQuad(0, 0, 8, 0, 8, 8, 0, 8, 4, 4, 12, 5, 12, 12, 5, 12);
       },
       kBlended},
      {"DrawRect", [](KGraphicGL& p) { p.DrawRect(4, 4, 9, 9, 1, 0, 0, 0.5f); }, kUntextured},
      {"DrawLine", [](KGraphicGL& p) { p.DrawLine(4, 4, 9, 9, 1, 0, 0, 1); }, kUntextured},
      {"PlotPixel", [](KGraphicGL& p) { p.PlotPixel(4, 4, 1, 0, 0, 1); }, kUntextured},
      {"zoom 0", [](KGraphicGL& p) { p.BlitRectRotateZoomF(0, 0, 8, 8, 4, 4, 30, 0, 0, 0); },
       kNothing},
      {"Fx zoom 0",
       [](KGraphicGL& p) { p.BlitAlphaRectFx(0, 0, 8, 8, 4, 4, 30, 0, 1, 0, 0, 0, 0); }, kNothing},
      {"Fx alpha 0",
       [](KGraphicGL& p) { p.BlitAlphaRectFxF(0, 0, 8, 8, 4, 4, 30, 2, 0, 0, 0, 0, 0); }, kNothing},
  };
  const GLfloat white[4] = {1, 1, 1, 1};
  GLfloat color[4];
  for (const auto& row : rows) {
    for (KGraphicGL* picture : {&g, &empty}) {
      std::string what = std::string(row.draw) + (picture == &empty ? " without texture" : "");
      bool textured = row.kind == kPlain || row.kind == kBlended;
      bool draws = row.kind == kUntextured || (textured && picture == &g);
      Clear(0, 0, 0);
      glDisable(GL_BLEND);
      row.act(*picture);
      std::vector<Rgb> corner = Read(0, 0, 32, 32);
      EXPECT_EQ(IndicesOf(corner, kBlack).size() < corner.size(), draws) << what;
      ExpectViewKept(what);
      glGetFloatv(GL_CURRENT_COLOR, color);
      EXPECT_EQ(std::memcmp(color, white, sizeof color), 0) << what;
      EXPECT_EQ(bool(glIsEnabled(GL_BLEND)), row.kind == kBlended && draws) << what;
      if (row.kind == kUntextured) {
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << what;
        EXPECT_EQ(g_glPictures.lastBound, GLPictureState::kNothingBound) << what;
      } else if (draws) {
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << what;
        EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), GLint(g.TextureName())) << what;
      }
    }
  }
}

TEST_F(GraphicGL, BlendedBlitsUseTheFactorsOfTheBlendModeAndTheBlitColour) {
  KGraphicGL graphic;
  MakeSolid(graphic, 4, 4, PackPixel(255, 255, 255, 128));
  graphic.SetBlitColor(1, 0, 0, 1);
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
  // The plain blit after it shows the texture's own colours, unblended.
  graphic.BlitRect(0, 0, 4, 4, 10, 0, false, false);
  EXPECT_EQ(Pixel(11, 1), kWhite);
}

TEST_F(GraphicGL, GrabsCopyTheBackBufferTopRowFirst) {
  Clear(0, 0, 1);
  KGraphicGL graphic;
  graphic.DrawRect(0, 0, 10, 5, 1, 0, 0, 1);
  ASSERT_TRUE(graphic.GrabBackBuffer());
  EXPECT_EQ(graphic.GetWidth(), 800.0f);
  EXPECT_EQ(graphic.GetHeight(), 600.0f);
  EXPECT_EQ(graphic.TextureWidth(), 1024.0f);
  EXPECT_EQ(TextureParameter(graphic, GL_TEXTURE_INTERNAL_FORMAT, true), GL_RGB);
  std::vector<uint32_t> texels = Texels(graphic);
  const uint32_t kOpaqueBlack = PackPixel(0, 0, 0, 255);
  EXPECT_EQ(texels[1024 * 4 + 9], kOpaqueRed);
  EXPECT_EQ(texels[1024 * 5 + 9], kOpaqueBlue);
  EXPECT_EQ(texels[1024 * 599 + 799], kOpaqueBlue);
  EXPECT_EQ(texels[800], kOpaqueBlack);
  EXPECT_EQ(texels[1024 * 600], kOpaqueBlack);
  // The filter sees the screen's rows from the top; the colour key applies after it.
  static std::set<int> redRows;
  graphic.SetColorKey(true, 0, 255, 0);
  ASSERT_TRUE(graphic.GrabBackBufferFiltered([](int, int y, uint8_t* r, uint8_t* g, uint8_t*) {
    if (*r == 255) redRows.insert(y);
    std::swap(*r, *g);
  }));
  EXPECT_EQ(redRows, (std::set<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(TextureParameter(graphic, GL_TEXTURE_INTERNAL_FORMAT, true), GL_RGBA8);
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

TEST_F(GraphicGL, ALineLightsItsFirstPixelAndNotItsLastWhicheverWayItRuns) {
  // Lines from (100, 100) ten pixels each way; the pixels lit along the line, from its start.
  const struct {
    int toX, toY, stepX, stepY;
  } rows[] = {{110, 100, 1, 0}, {90, 100, -1, 0}, {100, 110, 0, 1},
              {100, 90, 0, -1}, {110, 110, 1, 1}, {90, 90, -1, -1}};
  KGraphicGL graphic;
  for (const auto& row : rows) {
    Clear(0, 0, 0);
    graphic.DrawLine(100, 100, row.toX, row.toY, 1, 1, 1, 1);
    std::vector<Rgb> around = Read(88, 88, 25, 25);
    std::vector<int> expected;
    for (int i = 0; i < 10; ++i)
      expected.push_back((100 + i * row.stepY - 88) * 25 + 100 + i * row.stepX - 88);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(IndicesOf(around, kWhite), expected) << row.toX << ", " << row.toY;
  }
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
  std::vector<int> columns = ColumnsOf(497, kRed);
  ASSERT_EQ(columns.size(), 10u);
  EXPECT_EQ(columns.front(), 100);
  EXPECT_EQ(RowsOf(100, kRed), (std::vector<int>{495, 496, 497, 498, 499}));
}

}  // namespace
