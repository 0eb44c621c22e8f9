// The OpenGL 3D object: the pass it opens and closes, where its draws place the mesh (read back in
// feedback mode), the state each draw leaves, its textures, and lit, depth-ordered pixels.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../core/screen_pixels.h"
#include "KGraphicGL.h"
#include "KObject3DGL.h"
#include "KWindowGL.h"
#include "PictureSettings.h"
#include "platform/input_seams.h"

// The driver's feedback mode keeps a stage of its own after the context that used it is gone.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:swrast_dri.so\n";
}

namespace {

using Position = std::array<float, 3>;
using Triangle = std::array<uint32_t, 3>;
using Doubles = std::vector<GLdouble>;

// An object holding the mesh it is given as a loader fills one: face normals from the corners
// a, b, c, then averaged vertex normals.
class Mesh : public KObject3DGL {
 public:
  Mesh(const std::vector<Position>& positions, const std::vector<Triangle>& triangles) {
    vertexCount = uint32_t(positions.size());
    vertices = new KMeshVertex[vertexCount]{};
    for (uint32_t i = 0; i < vertexCount; ++i)
      vertices[i] = {positions[i][0], positions[i][1], positions[i][2], 0, 0, 0};
    faceCount = uint32_t(triangles.size());
    faces = new KMeshFace[faceCount]{};
    for (uint32_t f = 0; f < faceCount; ++f) {
      faces[f].a = triangles[f][0];
      faces[f].b = triangles[f][1];
      faces[f].c = triangles[f][2];
      KVector3d p[3];
      for (int k = 0; k < 3; ++k) {
        const Position& corner = positions[triangles[f][k]];
        p[k] = {corner[0], corner[1], corner[2]};
      }
      ComputeFaceNormal(&p[0], &p[1], &p[2], &faces[f]);
    }
    ComputeVertexNormals();
  }
  using KObject3DGL::BinaryMagic;
  using KObject3DGL::MakeTexturePicture;
};

// One triangle out of the xy plane, so that every turn below leaves it some area on screen.
std::unique_ptr<Mesh> Wedge() {
  return std::make_unique<Mesh>(std::vector<Position>{{0, 0, 0}, {10, 0, 0}, {0, 10, 10}},
                                std::vector<Triangle>{{0, 1, 2}});
}

// A square of the side about the origin in the xy plane, its front toward +z (the viewer) or -z.
std::unique_ptr<Mesh> Square(float side, bool facingViewer) {
  float h = side / 2;
  return std::make_unique<Mesh>(
      std::vector<Position>{{-h, -h, 0}, {h, -h, 0}, {h, h, 0}, {-h, h, 0}},
      facingViewer ? std::vector<Triangle>{{0, 1, 2}, {0, 2, 3}}
                   : std::vector<Triangle>{{0, 2, 1}, {0, 3, 2}});
}

GLint Integer(GLenum name) {
  GLint value = -1;
  glGetIntegerv(name, &value);
  return value;
}

Doubles Get(GLenum name, size_t count) {
  Doubles values(count);
  glGetDoublev(name, values.data());
  return values;
}

void ExpectNear(const Doubles& actual, const Doubles& expected, const std::string& what) {
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_NEAR(actual[i], expected[i], 1e-5) << what << " [" << i << "]";
}

// The corners (window x, y) of the triangles that a draw sends on to be drawn.
std::vector<std::array<double, 2>> FedCorners(const std::function<void()>& draw) {
  std::vector<GLfloat> buffer(256);
  glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  size_t size = size_t(glRenderMode(GL_RENDER));
  std::vector<std::array<double, 2>> corners;
  for (size_t i = 0; i < size && buffer[i] == GL_POLYGON_TOKEN; i += 2 + 3 * size_t(buffer[i + 1]))
    for (size_t k = 0; k < size_t(buffer[i + 1]); ++k)
      corners.push_back({buffer[i + 2 + 3 * k], buffer[i + 3 + 3 * k]});
  return corners;
}

// A 45 degree frustum over 640 x 480: 1 / tan(22.5 degrees), and that over the aspect.
constexpr double kFocalY = 2.414213562, kFocalX = kFocalY * 0.75;

// A window taller and wider than the 3D pass's 640 x 480, with a depth buffer; its pixels are
// read in screen coordinates, so the 3D viewport's centre is at (320, 360).
class Object3DGL : public testing::Test {
 protected:
  static constexpr int kHeight = 600;

  void SetUp() override {
    platform::UseScriptedInput(true);
    window_ = std::make_unique<KWindowGL>(true);
    ASSERT_TRUE(window_->CreateGameWindow(800, kHeight, 32, true, "3d"));
  }

  Rgb Pixel(int x, int y) const { return ReadOpenGLPixels(x, y, 1, 1, kHeight)[0]; }

  std::unique_ptr<KWindowGL> window_;
};

TEST_F(Object3DGL, BeginOpensThePassFromScratchAndEndKeepsItsProjection) {
  const double n = 0.1, f = 500.0;
  const struct {
    bool ortho;
    Doubles projection;
  } rows[] = {
      {false,
       {kFocalX, 0, 0, 0, 0, kFocalY, 0, 0, 0, 0, -(f + n) / (f - n), -1, 0, 0,
        -2 * f * n / (f - n), 0}},
      {true, {2.0 / 640, 0, 0, 0, 0, 2.0 / 480, 0, 0, 0, 0, -2.0 / 1000, 0, -1, -1, 0, 1}},
  };
  KObject3DGL object;
  for (const auto& row : rows) {
    std::string what = row.ortho ? "orthographic" : "perspective";
    glTranslatef(5, 0, 0);
    glClearColor(1, 0, 0, 0);
    g_glOrtho3D = !row.ortho;
    object.Begin3D(false, row.ortho);
    EXPECT_EQ(g_glOrtho3D, row.ortho);
    ExpectNear(Get(GL_PROJECTION_MATRIX, 16), row.projection, what);
    ExpectNear(Get(GL_MODELVIEW_MATRIX, 16), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
               what);
    EXPECT_EQ(Get(GL_COLOR_CLEAR_VALUE, 4), (Doubles{0, 0, 0, 1})) << what;
    EXPECT_EQ(Get(GL_VIEWPORT, 4), (Doubles{0, 0, 640, 480})) << what;
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_LIGHT1));
    EXPECT_EQ(
        (std::vector<GLint>{Integer(GL_MATRIX_MODE), Integer(GL_DEPTH_FUNC),
                            Integer(GL_SHADE_MODEL), Integer(GL_PERSPECTIVE_CORRECTION_HINT)}),
        (std::vector<GLint>{GL_MODELVIEW, GL_LEQUAL, GL_SMOOTH, GL_NICEST}))
        << what;
    // In eye coordinates, not moved by the 5 the model-view held.
    for (GLenum name : {GL_POSITION, GL_AMBIENT, GL_DIFFUSE}) {
      GLfloat light[4];
      glGetLightfv(GL_LIGHT1, name, light);
      EXPECT_EQ(Doubles(light, light + 4), (Doubles{1, 1, 1, 1})) << what << " light " << name;
    }
    glViewport(0, 0, 1, 1);
    object.End3D();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_LIGHTING)) << what;
    EXPECT_EQ(Get(GL_VIEWPORT, 4), (Doubles{0, 0, 640, 480})) << what;
    ExpectNear(Get(GL_PROJECTION_MATRIX, 16), row.projection, what + " after End3D");
  }
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Object3DGL, DrawsPlaceTheMeshTurnedAboutZThenYThenXThenScaledThenMoved) {
  // The wedge's corners (0, 0, 0), (10, 0, 0), (0, 10, 10), and where each row has them land.
  const struct {
    const char* what;
    bool ortho;
    std::array<float, 6> placement;  // x, y, z, turns about x, y, z
    float scaleX;
    std::vector<std::array<double, 2>> corners;
  } rows[] = {
      {"y over 480", true, {100, 100, 0, 0, 0, 0}, 1, {{100, 380}, {110, 380}, {100, 390}}},
      {"z, then x", true, {100, 100, 0, 180, 0, 90}, 1, {{100, 380}, {100, 370}, {90, 380}}},
      {"z, then y", true, {100, 100, 0, 0, 180, 90}, 1, {{100, 380}, {100, 390}, {110, 380}}},
      {"y, then x", true, {100, 100, 0, 90, 90, 0}, 1, {{100, 380}, {100, 390}, {110, 380}}},
      {"z, then scaled", true, {100, 100, 50, 0, 0, 90}, 2, {{100, 380}, {100, 390}, {80, 380}}},
      // y upward in eye coordinates: (0, 1, -100), (10, 1, -100), (0, 11, -90).
      {"in perspective",
       false,
       {0, 1, -100, 0, 0, 0},
       1,
       {{320, 240 + 2.4 * kFocalY},
        {320 + 32 * kFocalX, 240 + 2.4 * kFocalY},
        {320, 240 + 240 * kFocalY * 11 / 90}}},
  };
  for (const auto& row : rows) {
    auto wedge = Wedge();
    wedge->SetScale(row.scaleX, 1, 1);
    wedge->Begin3D(false, row.ortho);
    const auto& p = row.placement;
    auto corners = FedCorners([&] { wedge->Draw(p[0], p[1], p[2], p[3], p[4], p[5]); });
    ASSERT_EQ(corners.size(), row.corners.size()) << row.what;
    for (size_t i = 0; i < corners.size(); ++i) {
      EXPECT_NEAR(corners[i][0], row.corners[i][0], 0.01) << row.what << ", corner " << i;
      EXPECT_NEAR(corners[i][1], row.corners[i][1], 0.01) << row.what << ", corner " << i;
    }
  }
}

TEST_F(Object3DGL, EachDrawLeavesItsShadingAndBlendingAndWhite) {
  enum BlendModeCall { kNone, kNormal, kDestinationAlpha };
  const struct {
    int shadingMode;
    BlendModeCall blendMode;
    bool blending;
    GLint shadeModel, destination;
  } rows[] = {
      {0, kNone, true, GL_FLAT, GL_ONE_MINUS_SRC_ALPHA},
      {1, kDestinationAlpha, true, GL_SMOOTH, GL_DST_ALPHA},
      {0, kDestinationAlpha, false, GL_FLAT, GL_DST_ALPHA},
      {1, kNormal, false, GL_SMOOTH, GL_ONE_MINUS_SRC_ALPHA},
  };
  for (const auto& row : rows) {
    std::string what = "row " + std::to_string(&row - rows);
    auto wedge = Wedge();
    wedge->SetShadingMode(row.shadingMode);
    if (row.blendMode != kNone) wedge->SetBlendMode(row.blendMode == kNormal);
    wedge->SetBlending(row.blending, 0.5f);
    wedge->Begin3D(false, true);
    row.blending ? glDisable(GL_BLEND) : glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glShadeModel(row.shadeModel == GL_FLAT ? GL_SMOOTH : GL_FLAT);
    glColor4f(1, 0, 0, 0.5f);
    wedge->Draw(100, 100, 0, 0, 0, 0);
    EXPECT_EQ(glIsEnabled(GL_BLEND), GLboolean(row.blending)) << what;
    EXPECT_EQ(glIsEnabled(GL_COLOR_MATERIAL), GLboolean(row.shadingMode == 1)) << what;
    EXPECT_EQ(
        (std::vector<GLint>{Integer(GL_BLEND_SRC), Integer(GL_BLEND_DST), Integer(GL_SHADE_MODEL)}),
        (std::vector<GLint>{GL_SRC_ALPHA, row.destination, row.shadeModel}))
        << what;
    EXPECT_EQ(Get(GL_CURRENT_COLOR, 4), (Doubles{1, 1, 1, 1})) << what;
  }
}

TEST_F(Object3DGL, AShadingModeOtherThanFlatOrSmoothDrawsNothingAndChangesNothing) {
  auto wedge = Wedge();
  wedge->Begin3D(false, true);
  wedge->SetShadingMode(2);
  // A draw replaces the model-view first and leaves white last.
  glTranslatef(3, 4, 5);
  glColor4f(1, 0, 0, 1);
  Doubles modelView = Get(GL_MODELVIEW_MATRIX, 16), color = Get(GL_CURRENT_COLOR, 4);
  EXPECT_TRUE(FedCorners([&] { wedge->Draw(100, 100, 0, 0, 0, 0); }).empty());
  EXPECT_EQ(Get(GL_MODELVIEW_MATRIX, 16), modelView);
  EXPECT_EQ(Get(GL_CURRENT_COLOR, 4), color);
}

TEST_F(Object3DGL, ATexturedDrawBindsItsPictureRepeatedAndAnUntexturedOneMakesItBindAgain) {
  std::vector<uint32_t> red(16, PackPixel(255, 0, 0, 255));
  KGraphicGL picture;
  ASSERT_TRUE(picture.MakePictureFromArray(red.data(), 4, 4, true));
  auto textured = Wedge(), plain = Wedge();
  textured->SetTexture(&picture);
  textured->Begin3D(false, true);
  glDisable(GL_TEXTURE_2D);
  textured->Draw(100, 100, 0, 0, 0, 0);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), GLint(picture.TextureName()));
  for (GLenum axis : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}) {
    GLint wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, axis, &wrap);
    EXPECT_EQ(wrap, GL_REPEAT);
  }
  // The picture's texture is bound and known to be; the untextured draw switches texturing off.
  glEnable(GL_TEXTURE_RECTANGLE_ARB);
  plain->Draw(100, 100, 0, 0, 0, 0);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_TEXTURE_RECTANGLE_ARB));
  plain->End3D();
  window_->SetDefaultWorldView();
  picture.BlitRect(0, 0, 4, 4, 10, 10, false, false);
  EXPECT_EQ(Pixel(11, 11), kRed);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Object3DGL, TheHooksMakeOpenGLPicturesAndMarkSavedMeshes) {
  auto wedge = Wedge();
  std::unique_ptr<KGraphic> picture(wedge->MakeTexturePicture());
  EXPECT_NE(dynamic_cast<KGraphicGL*>(picture.get()), nullptr);
  EXPECT_EQ(std::string(wedge->BinaryMagic(), 4), " d3k");
}

TEST_F(Object3DGL, ANearerFaceHidesAFartherOneDrawnAfterItOnceTheDepthIsCleared) {
  // The nearer square faces the light; the farther one turns its back on it and has only the
  // ambient light. Depth left at 0 by an earlier frame would hide both.
  auto nearer = Square(2, true), farther = Square(4, false);
  glClearDepth(0);
  glClear(GL_DEPTH_BUFFER_BIT);
  nearer->Begin3D(true, false);
  nearer->Draw(0, 0, -5, 0, 0, 0);
  farther->Draw(0, 0, -8, 0, 0, 0);
  nearer->End3D();
  Rgb front = Pixel(320, 360), behind = Pixel(320, 360 - 130);
  EXPECT_GT(front.red, 200) << front;
  EXPECT_NEAR(behind.red, 61, 1) << behind;
}

TEST_F(Object3DGL, AFlatDrawAfterASmoothOneLightsAsOnANewContext) {
  auto square = Square(2, false);
  square->Begin3D(true, false);
  square->Draw(0, 0, -5, 0, 0, 0);
  Rgb fresh = Pixel(320, 360);
  // Only ambient light reaches it: 0.2 x 0.2 of the scene's and 0.2 x 1 of the light's.
  EXPECT_NEAR(fresh.red, 61, 1) << fresh;
  square->SetShadingMode(1);
  square->Draw(0, 0, -5, 0, 0, 0);
  EXPECT_NE(Pixel(320, 360), fresh) << "the smooth draw lights its own grey";
  square->SetShadingMode(0);
  square->Draw(0, 0, -5, 0, 0, 0);
  EXPECT_EQ(Pixel(320, 360), fresh);
}

}  // namespace
