// The OpenGL picture's own OpenGL side: its textures (sides, formats, texels, filtering and
// addressing, none left behind), the bound-texture cache, the state each draw leaves, grabs and
// the screen-rectangle copy. The pixels the pictures draw are compared with the DirectX
// renderer's in renderers_compare_test.cpp.
#include <cstring>
#include <functional>
#include <iterator>
#include <set>

#include "GLPictureState.h"
#include "KGraphicGL.h"
#include "game_window_fixture.h"
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

// The projection and model-view matrices.
std::vector<GLfloat> View() {
  std::vector<GLfloat> view(32);
  glGetFloatv(GL_PROJECTION_MATRIX, view.data());
  glGetFloatv(GL_MODELVIEW_MATRIX, view.data() + 16);
  return view;
}

class GraphicGL : public OpenGLWindowTest {
 protected:
  void SetUp() override {
    OpenGLWindowTest::SetUp();
    ASSERT_TRUE(MakeWindow());
    view_ = View();
  }

  // The view as the window set it, one matrix on each stack and no OpenGL error left behind.
  void ExpectViewKept(const std::string& after) {
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << after;
    for (GLenum stack :
         {GL_MODELVIEW_STACK_DEPTH, GL_PROJECTION_STACK_DEPTH, GL_TEXTURE_STACK_DEPTH})
      EXPECT_EQ(Integer(stack), 1) << after;
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW) << after;
    EXPECT_EQ(View(), view_) << after;
  }

  // A picture of one colour; the array is gone afterwards, so no update may follow.
  static void MakeSolid(KGraphicGL& picture, int width, int height, uint32_t pixel) {
    std::vector<uint32_t> pixels(size_t(width) * height, pixel);
    ASSERT_TRUE(picture.MakePictureFromArray(pixels.data(), width, height, true));
  }

  std::vector<GLfloat> view_;
  TempFolder folder_;
};

TEST_F(GraphicGL, APictureMadeBeforeTheScreenSizeWarns) {
  KGraphicGL::SetScreenSize(0, 0, 0);
  { KGraphicGL early; }
  KGraphicGL::SetScreenSize(kWidth, kHeight, 32);
  { KGraphicGL later; }
  std::vector<platform::MessageBoxRecord> boxes = platform::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Screen Dimensions not specified, you will not see anything");
  EXPECT_EQ(boxes[0].text, "KGraphicGL::SetScreenSize Not Called!");
}

TEST_F(GraphicGL, EachSourceMakesASquareTextureWithThePictureInItsTopLeftCorner) {
  const std::string file = folder_.Write("picture.png", PngFile(Gradient(5, 3), 4));
  auto array = [](int width, int height, bool hiQuality) {
    return [=](KGraphicGL& picture) {
      std::vector<uint32_t> pixels(size_t(width) * height, kOpaqueRed);
      return picture.MakePictureFromArray(pixels.data(), width, height, hiQuality);
    };
  };
  auto load = [&file](bool hiQuality, bool alpha) {
    return [&file, hiQuality, alpha](KGraphicGL& picture) {
      return picture.LoadPicture(file.c_str(), hiQuality, alpha);
    };
  };
  const struct {
    const char* source;
    std::function<bool(KGraphicGL&)> make;
    int width, height, side;
    GLint format;
  } rows[] = {
      {"a 1 x 1 array", array(1, 1, true), 1, 1, 4, GL_RGBA8},
      {"a 3 x 2 array, low quality", array(3, 2, false), 3, 2, 4, GL_RGBA},
      {"a 4 x 4 array", array(4, 4, true), 4, 4, 4, GL_RGBA8},
      {"a 5 x 3 array", array(5, 3, true), 5, 3, 8, GL_RGBA8},
      {"a 256 x 100 array", array(256, 100, true), 256, 100, 256, GL_RGBA8},
      {"a 257 x 10 array, low quality", array(257, 10, false), 257, 10, 512, GL_RGBA},
      {"a file, low quality", load(false, false), 5, 3, 8, GL_RGB},
      {"a file", load(true, false), 5, 3, 8, GL_RGB8},
      {"a file with alpha, low quality", load(false, true), 5, 3, 8, GL_RGBA},
      {"a file with alpha", load(true, true), 5, 3, 8, GL_RGBA8},
      {"a grab", [](KGraphicGL& p) { return p.GrabBackBuffer(); }, kWidth, kHeight, 256, GL_RGB},
      {"a filtered grab", [](KGraphicGL& p) { return p.GrabBackBufferFiltered(nullptr); }, kWidth,
       kHeight, 256, GL_RGBA8},
  };
  Fill(0, 0, 1);  // grabbed pixels that are not black
  KGraphicGL picture;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.source);
    glEnable(GL_TEXTURE_1D + 7);  // an error of somebody else's fails no upload
    ASSERT_TRUE(row.make(picture));
    EXPECT_EQ(picture.GetWidth(), float(row.width));
    EXPECT_EQ(picture.GetHeight(), float(row.height));
    EXPECT_EQ(picture.TextureWidth(), float(row.side));
    EXPECT_EQ(TextureParameter(picture, GL_TEXTURE_WIDTH, true), row.side);
    EXPECT_EQ(TextureParameter(picture, GL_TEXTURE_HEIGHT, true), row.side);
    EXPECT_EQ(TextureParameter(picture, GL_TEXTURE_INTERNAL_FORMAT, true), row.format);
    // Colours only: a texture without alpha reads back opaque, its zeros too.
    std::vector<uint32_t> texels = Texels(picture);
    auto colour = [&](int x, int y) {
      return x < row.side && y < row.side ? texels[size_t(y) * row.side + x] & 0xFFFFFFu : 0u;
    };
    EXPECT_NE(colour(row.width - 1, row.height - 1), 0u);
    EXPECT_EQ(colour(row.width, 0), 0u) << "beside the picture";
    EXPECT_EQ(colour(0, row.height), 0u) << "below the picture";
  }
  std::vector<uint32_t> wide(8193, kOpaqueBlue);
  EXPECT_FALSE(picture.MakePictureFromArray(wide.data(), 8193, 1, true)) << "too large";
  EXPECT_EQ(picture.GetWidth(), float(kWidth)) << "the picture stays";
  ExpectViewKept("making");
}

TEST_F(GraphicGL, NoTextureOutlivesTheNextOneOrTheFree) {
  std::string file = folder_.Write("picture.png", PngFile(Gradient(3, 3), 4));
  std::string broken = folder_.Write("broken.png", "not a picture");
  std::string unknown = folder_.Write("picture.gif", "GIF89a");
  std::vector<uint32_t> pixels(4, kOpaqueRed);
  KGraphicGL graphic;
  const std::pair<std::function<bool()>, bool> steps[] = {
      {[&] { return graphic.LoadPicture(file.c_str(), true, true); }, true},
      {[&] { return graphic.LoadPicture(file.c_str(), true, true); }, true},
      {[&] { return graphic.MakePictureFromArray(pixels.data(), 2, 2, true); }, true},
      {[&] { return graphic.MakePictureFromArray(pixels.data(), 2, 2, true); }, true},
      {[&] { return graphic.GrabBackBuffer(); }, true},
      {[&] { return graphic.GrabBackBufferFiltered(nullptr); }, true},
      {[&] { return graphic.LoadPicture(unknown.c_str(), true, true); }, false},
      // An undecodable file with a known extension: an empty picture with a 4 x 4 texture.
      {[&] { return graphic.LoadPicture(broken.c_str(), true, true); }, true},
  };
  std::set<GLuint> names;
  for (size_t i = 0; i < std::size(steps); ++i) {
    EXPECT_EQ(steps[i].first(), steps[i].second) << "step " << i;
    names.insert(graphic.TextureName());
    for (GLuint name : names)
      EXPECT_EQ(glIsTexture(name), name != 0 && name == graphic.TextureName()) << "step " << i;
  }
  EXPECT_EQ(graphic.GetWidth(), 0.0f);
  EXPECT_EQ(graphic.TextureWidth(), 4.0f);
  graphic.FreePicture();
  for (GLuint name : names) EXPECT_FALSE(glIsTexture(name)) << name;
}

TEST_F(GraphicGL, AnUpdateUploadsTheKeptArrayAtItsOwnSizeUntilTheNextLoadOrFree) {
  std::vector<uint32_t> pixels(4, kOpaqueRed);
  KGraphicGL graphic;
  ASSERT_TRUE(graphic.MakePictureFromArray(pixels.data(), 2, 2, true));
  pixels[3] = kOpaqueBlue;
  graphic.UpdatePictureFromArray();
  std::vector<uint32_t> texels = Texels(graphic);  // 4 texels a side
  EXPECT_EQ(texels[4 + 1], kOpaqueBlue);
  EXPECT_EQ(texels[2], 0u);
  TestPicture larger = Gradient(16, 16);
  ASSERT_TRUE(
      graphic.LoadPicture(folder_.Write("larger.tga", TgaFile(larger, 32)).c_str(), true, true));
  graphic.UpdatePictureFromArray();
  EXPECT_EQ(Texels(graphic)[16 + 1], larger.At(1, 1));
  graphic.FreePicture();
  graphic.UpdatePictureFromArray();
  ExpectViewKept("updating");
}

TEST_F(GraphicGL, FilteringAndAddressingFollowTheSettingsAndEachNewTexture) {
  std::string file = folder_.Write("picture.png", PngFile(Gradient(3, 3), 4));
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
      Fill(0, 0, 0);
      // Nothing bound, texturing and blending off: a draw that draws nothing leaves them so.
      KGraphicGL::ForgetBoundTexture();
      glDisable(GL_TEXTURE_2D);
      glDisable(GL_BLEND);
      row.act(*picture);
      std::vector<Rgb> corner = Read(0, 0, 32, 32);
      EXPECT_EQ(IndicesOf(corner, kBlack).size() < corner.size(), draws) << what;
      ExpectViewKept(what);
      glGetFloatv(GL_CURRENT_COLOR, color);
      EXPECT_EQ(std::memcmp(color, white, sizeof color), 0) << what;
      EXPECT_EQ(bool(glIsEnabled(GL_BLEND)), row.kind == kBlended && draws) << what;
      EXPECT_EQ(bool(glIsEnabled(GL_TEXTURE_2D)), textured && draws) << what;
      EXPECT_EQ(g_glPictures.lastBound,
                textured && draws ? g.TextureName() : GLPictureState::kNothingBound)
          << what;
      if (textured && draws) {
        EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), GLint(g.TextureName())) << what;
      }
    }
  }
}

TEST_F(GraphicGL, AGrabsFilterSeesTheRowsFromTheTopAndTheColourKeyAppliesAfterIt) {
  Fill(0, 0, 1);
  KGraphicGL graphic;
  graphic.DrawRect(0, 0, 10, 5, 1, 0, 0, 1);
  static std::set<int> redRows;
  graphic.SetColorKey(true, 0, 255, 0);
  ASSERT_TRUE(graphic.GrabBackBufferFiltered([](int, int y, uint8_t* r, uint8_t* g, uint8_t*) {
    if (*r == 255) redRows.insert(y);
    std::swap(*r, *g);
  }));
  EXPECT_EQ(redRows, (std::set<int>{0, 1, 2, 3, 4}));
  std::vector<uint32_t> texels = Texels(graphic);
  EXPECT_EQ(texels[0], 0u) << "red turned green, then keyed";
  EXPECT_EQ(texels[256 * 5], kOpaqueBlue);
  KGraphicGL::SetScreenSize(0, 0, 0);
  EXPECT_FALSE(graphic.GrabBackBuffer());
  KGraphicGL::SetScreenSize(kWidth, kHeight, 32);
  EXPECT_EQ(graphic.GetWidth(), float(kWidth)) << "the grab stays";
  ExpectViewKept("grabbing");
}

TEST_F(GraphicGL, CopyingAScreenRectangleIgnoresTheViewAndTheTexture) {
  KGraphicGL graphic;
  MakeSolid(graphic, 4, 4, kOpaqueBlue);
  graphic.DrawRect(10, 10, 20, 15, 1, 0, 0, 1);
  graphic.BlitRect(0, 0, 4, 4, 0, 0, false, false);  // texturing on
  window_->SetWorldView(30, 20, 30, 2, false);
  view_ = View();
  // In window pixels, y upward: screen rows 10 to 14 are rows 135 to 139, and the copy's bottom
  // row at 100 is screen row 49.
  KGraphicGL::CopyScreenRect(10, 135, 20, 140, 100, 100);
  ExpectViewKept("a copy");
  std::vector<int> columns = ColumnsOf(47, kRed);
  ASSERT_EQ(columns.size(), 10u);
  EXPECT_EQ(columns.front(), 100);
  EXPECT_EQ(RowsOf(100, kRed), (std::vector<int>{45, 46, 47, 48, 49}));
}

}  // namespace
