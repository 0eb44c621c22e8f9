// The Direct3D 3D object, through the calls it makes on the DirectX window's device and through
// the pixels they draw.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "../core/game_window_fixture.h"
#include "DX3DDevice.h"
#include "KGraphicDX.h"
#include "KMatrix.h"
#include "KObject3DDX.h"

namespace {

using platform::DirectXCall;

// A mesh made in the test: the arrays a loader fills, filled by hand, then the hook a load calls.
class TestObject : public KObject3DDX {
 public:
  void Fill(const std::vector<KMeshVertex>& meshVertices, const std::vector<KMeshFace>& meshFaces) {
    FreeMesh();
    vertices = new KMeshVertex[meshVertices.size()];
    std::copy(meshVertices.begin(), meshVertices.end(), vertices);
    vertexCount = uint32_t(meshVertices.size());
    faces = new KMeshFace[meshFaces.size()];
    std::copy(meshFaces.begin(), meshFaces.end(), faces);
    faceCount = uint32_t(meshFaces.size());
    MeshLoaded();
  }

  // One triangle from (-30, -30) to (30, 30) in the plane z 0, its face normal given; its
  // corners run a = 2, b = 0, c = 1, with texture coordinates (0.1, 0.2), (0.3, 0.4), (0.5, 0.6)
  // and vertex normals +x, +y, -z for vertices 0, 1, 2.
  void MakeTriangle(float faceNz = 1) {
    KMeshFace face{2, 0, 1, 0, 0, faceNz, {{0.1f, 0.2f}, {0.3f, 0.4f}, {0.5f, 0.6f}}};
    Fill({{-30, -30, 0, 1, 0, 0}, {30, -30, 0, 0, 1, 0}, {0, 30, 0, 0, 0, -1}}, {face});
  }

  // `count` faces on the same three vertices, face f with the texture coordinate u = f.
  void MakeTriangles(uint32_t count) {
    std::vector<KMeshFace> many(count, KMeshFace{0, 1, 2, 0, 0, 1, {}});
    for (uint32_t f = 0; f < count; ++f) many[f].corners[0].u = float(f);
    Fill({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, many);
  }

  using KObject3DDX::BinaryMagic;
  using KObject3DDX::MakeTexturePicture;
};

// A call as its name and integer arguments.
std::string Call(const std::string& name, const std::vector<DWORD>& args = {}) {
  std::string text = name;
  for (DWORD arg : args) text += " " + std::to_string(arg);
  return text;
}

std::vector<std::string> Described(const std::vector<DirectXCall>& calls) {
  std::vector<std::string> texts;
  for (const DirectXCall& call : calls) texts.push_back(Call(call.name, call.args));
  return texts;
}

D3DMATRIX Identity() {
  D3DMATRIX m;
  KMatrixIdentity(&m.m[0][0]);
  return m;
}

bool Same(const D3DMATRIX& a, const D3DMATRIX& b) {
  return std::equal(&a.m[0][0], &a.m[0][0] + 16, &b.m[0][0]);
}

// (x, y, z) . m for row vectors.
std::vector<float> Moved(const D3DMATRIX& m, float x, float y, float z) {
  std::vector<float> out(3);
  for (int j = 0; j < 3; ++j) out[j] = x * m.m[0][j] + y * m.m[1][j] + z * m.m[2][j] + m.m[3][j];
  return out;
}

void ExpectNear(const std::vector<float>& got, const std::vector<float>& expected) {
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], expected[i], 1e-5f) << i;
}

class Object3DDX : public DirectXWindowTest {
 protected:
  // The calls that `body` makes.
  static std::vector<DirectXCall> Recorded(const std::function<void()>& body) {
    platform::TakeDirectXCalls();
    platform::RecordDirectXCalls(true);
    body();
    platform::RecordDirectXCalls(false);
    return platform::TakeDirectXCalls();
  }

  std::vector<DirectXCall> Drawn(float x, float y, float z, float rotX = 0, float rotY = 0,
                                 float rotZ = 0) {
    return Recorded([&] { object_.Draw(x, y, z, rotX, rotY, rotZ); });
  }

  static D3DMATRIX Transform(const std::vector<DirectXCall>& calls, D3DTRANSFORMSTATETYPE type) {
    for (const DirectXCall& call : calls) {
      if (call.name == "SetTransform" && call.args[0] == DWORD(type)) return call.matrix;
    }
    ADD_FAILURE() << "no transform " << type;
    return {};
  }

  DWORD RenderState(D3DRENDERSTATETYPE state) {
    DWORD value = 0xDEAD;
    Device()->GetRenderState(state, &value);
    return value;
  }

  TestObject object_;
};

TEST_F(Object3DDX, TheWindowHandsItsDeviceOverAndNothingIsDrawnWithoutOne) {
  ASSERT_EQ(g_dx3D.device, nullptr);
  object_.MakeTriangle();
  auto pass = [&] {
    object_.Begin3D(true, false);
    object_.Draw(0, 0, -10, 0, 0, 0);
    object_.End3D();
  };
  EXPECT_TRUE(Recorded(pass).empty());
  ASSERT_TRUE(MakeWindow());
  EXPECT_EQ(g_dx3D.device, Device());
  EXPECT_EQ(g_dx3D.viewWidth, float(kWidth));
  EXPECT_EQ(g_dx3D.viewHeight, float(kHeight));
  delete window_;
  window_ = nullptr;
  EXPECT_EQ(g_dx3D.device, nullptr);
  EXPECT_TRUE(Recorded(pass).empty());
}

TEST_F(Object3DDX, ABeginOpensThePassWithTheseCallsAndValues) {
  ASSERT_TRUE(MakeWindow());
  auto calls = Recorded([&] { object_.Begin3D(true, false); });
  EXPECT_EQ(
      Described(calls),
      (std::vector<std::string>{
          Call("SetRenderState", {D3DRENDERSTATE_ZENABLE, D3DZB_TRUE}),
          Call("SetRenderState", {D3DRENDERSTATE_CULLMODE, D3DCULL_NONE}),
          Call("SetRenderState", {D3DRENDERSTATE_COLORVERTEX, TRUE}),
          Call("SetViewport", {0, 0, DWORD(kWidth), DWORD(kHeight)}),
          Call("SetTransform", {D3DTRANSFORMSTATE_PROJECTION}),
          Call("Clear", {1, D3DCLEAR_ZBUFFER, 0xFF000000, 0, 0, 0, DWORD(kWidth), DWORD(kHeight)}),
          Call("LightEnable", {0, TRUE}),
          Call("SetLight", {0}),
          Call("SetRenderState", {D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL}),
          Call("SetRenderState", {D3DRENDERSTATE_SPECULARMATERIALSOURCE, D3DMCS_MATERIAL}),
          Call("SetRenderState", {D3DRENDERSTATE_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL}),
          Call("SetRenderState", {D3DRENDERSTATE_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL}),
          Call("SetMaterial"),
          Call("SetRenderState", {D3DRENDERSTATE_LIGHTING, TRUE}),
          Call("SetRenderState", {D3DRENDERSTATE_AMBIENT, 0x00FFFFFF}),
          Call("SetTransform", {D3DTRANSFORMSTATE_VIEW}),
      }));
  ASSERT_EQ(calls.size(), 16u);
  EXPECT_EQ(calls[3].values, (std::vector<float>{0.0f, 1.0f}));
  EXPECT_EQ(calls[5].values, std::vector<float>{1.0f});
  // 45 degrees high, 200 by 150, from 0.1 to 500: cot 22.5 degrees = 2.4142136 across y, three
  // quarters of it across x.
  const D3DMATRIX& projection = calls[4].matrix;
  EXPECT_NEAR(projection._11, 1.8106602f, 1e-5f);
  EXPECT_NEAR(projection._22, 2.4142136f, 1e-5f);
  EXPECT_NEAR(projection._33, 500.0f / 499.9f, 1e-5f);
  EXPECT_NEAR(projection._43, -50.0f / 499.9f, 1e-5f);
  EXPECT_EQ(projection._34, 1.0f);
  const D3DLIGHT7& light = calls[7].light;
  EXPECT_EQ(light.dltType, D3DLIGHT_POINT);
  EXPECT_EQ(light.dvPosition.z, 1100.0f);
  EXPECT_EQ(light.dvRange, D3DLIGHT_RANGE_MAX);
  EXPECT_EQ(light.dvAttenuation0, 1.0f);
  EXPECT_EQ(light.dcvDiffuse.g, 1.0f);
  EXPECT_EQ(light.dcvAmbient.r, 0.0f);
  const D3DMATERIAL7& material = calls[12].material;
  EXPECT_EQ(material.dcvAmbient.r, 0.5f);
  EXPECT_EQ(material.dcvDiffuse.b, 1.0f);
  EXPECT_EQ(material.dcvEmissive.g, 0.0f);
  EXPECT_EQ(material.dvPower, 50.0f);
  // The view turns z over and changes nothing else.
  D3DMATRIX zFlip = Identity();
  zFlip._33 = -1.0f;
  EXPECT_TRUE(Same(calls[15].matrix, zFlip));
  EXPECT_FALSE(g_dx3D.ortho);
  // An orthographic pass leaves the projection to the draws; without clearDepth nothing is cleared.
  std::vector<std::string> lessened = Described(calls);
  lessened.erase(lessened.begin() + 4, lessened.begin() + 6);
  EXPECT_EQ(Described(Recorded([&] { object_.Begin3D(false, true); })), lessened);
  EXPECT_TRUE(g_dx3D.ortho);
}

TEST_F(Object3DDX, ADrawSetsItsStatesThenSendsTheFlatOrSmoothArray) {
  ASSERT_TRUE(MakeWindow());
  object_.MakeTriangle();
  object_.Begin3D(false, false);
  struct Row {
    int mode;
    DWORD shade;
    float normals[3][3];  // the three vertices' in the order sent
  } rows[] = {
      {0, D3DSHADE_FLAT, {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}}},
      {1, D3DSHADE_GOURAUD, {{0, 0, -1}, {1, 0, 0}, {0, 1, 0}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    object_.SetShadingMode(row.mode);
    auto calls = Drawn(1, 2, -10);
    EXPECT_EQ(Described(calls),
              (std::vector<std::string>{
                  Call("SetTransform", {D3DTRANSFORMSTATE_VIEW}),
                  Call("SetTransform", {D3DTRANSFORMSTATE_WORLD}),
                  Call("SetRenderState", {D3DRENDERSTATE_ALPHABLENDENABLE, FALSE}),
                  Call("SetRenderState", {D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA}),
                  Call("SetRenderState", {D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA}),
                  Call("SetTexture", {0}),
                  Call("SetRenderState", {D3DRENDERSTATE_SHADEMODE, row.shade}),
                  Call("DrawPrimitive", {D3DPT_TRIANGLELIST, 0x112, 3, 0}),
              }));
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(calls[1].matrix._43, -10.0f);
    auto sent = calls[7].VerticesAs<KDeviceVertex>();
    ASSERT_EQ(sent.size(), 3u);
    const float positions[3][2] = {{0, 30}, {-30, -30}, {30, -30}};
    const float uvs[3][2] = {{0.1f, 0.2f}, {0.3f, 0.4f}, {0.5f, 0.6f}};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(std::vector<float>({sent[i].x, sent[i].y, sent[i].z}),
                std::vector<float>({positions[i][0], positions[i][1], 0}));
      EXPECT_EQ(std::vector<float>({sent[i].nx, sent[i].ny, sent[i].nz}),
                std::vector<float>(row.normals[i], row.normals[i] + 3));
      EXPECT_EQ(std::vector<float>({sent[i].tu, sent[i].tv}),
                std::vector<float>(uvs[i], uvs[i] + 2));
    }
  }
}

TEST_F(Object3DDX, TheWorldTurnsAboutZThenYThenXThenScalesThenMoves) {
  ASSERT_TRUE(MakeWindow());
  object_.MakeTriangle();
  object_.Begin3D(false, false);
  D3DMATRIX translation = Identity();
  translation._41 = 10;
  EXPECT_TRUE(Same(Transform(Drawn(10, 0, 0), D3DTRANSFORMSTATE_WORLD), translation));
  // +x: turned about z to +y, about x to +z, unscaled, moved to (10, 0, 1). +y: about z to -x,
  // scaled to -2x, moved to (8, 0, 0).
  object_.SetScale(2, 1, 1);
  D3DMATRIX world = Transform(Drawn(10, 0, 0, 90, 0, 90), D3DTRANSFORMSTATE_WORLD);
  ExpectNear(Moved(world, 1, 0, 0), {10, 0, 1});
  ExpectNear(Moved(world, 0, 1, 0), {8, 0, 0});
  // About y: +z turns to +x, then is scaled to 2x.
  world = Transform(Drawn(0, 0, 0, 0, 90, 0), D3DTRANSFORMSTATE_WORLD);
  ExpectNear(Moved(world, 0, 0, 1), {2, 0, 0});
}

TEST_F(Object3DDX, AnOrthographicPassPlacesInPixelsOfTheViewportFromItsTopLeft) {
  ASSERT_TRUE(MakeWindow());
  object_.MakeTriangle();
  KObject3DDX::SetDevice(800, 600, Device());
  object_.Begin3D(false, true);
  struct Row {
    float x, y;
    std::vector<float> translation;
  } rows[] = {{400, 300, {0, 0, 0}}, {0, 0, {-400, 300, 0}}, {800, 600, {400, -300, 0}}};
  for (const Row& row : rows) {
    auto calls = Drawn(row.x, row.y, 0);
    D3DMATRIX world = Transform(calls, D3DTRANSFORMSTATE_WORLD);
    EXPECT_EQ(std::vector<float>({world._41, world._42, world._43}), row.translation);
    D3DMATRIX projection = Transform(calls, D3DTRANSFORMSTATE_PROJECTION);
    EXPECT_FLOAT_EQ(projection._11, 2.0f / 800);
    EXPECT_FLOAT_EQ(projection._22, 2.0f / 600);
    EXPECT_FLOAT_EQ(projection._33, 1.0f / 1000);
    EXPECT_FLOAT_EQ(projection._43, 0.5f);
  }
}

TEST_F(Object3DDX, BlendingAndItsModeSetTheBlendStatesOfEveryDraw) {
  ASSERT_TRUE(MakeWindow());
  object_.MakeTriangle();
  object_.Begin3D(false, false);
  struct Row {
    bool normal, blending;
    std::vector<DWORD> states;  // enable, source, destination
  } rows[] = {
      {true, true, {TRUE, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA}},
      {false, true, {TRUE, D3DBLEND_SRCALPHA, D3DBLEND_DESTALPHA}},
      {false, false, {FALSE, D3DBLEND_SRCALPHA, D3DBLEND_DESTALPHA}},
  };
  for (const Row& row : rows) {
    object_.SetBlendMode(row.normal);
    object_.SetBlending(row.blending, 0.5f);
    auto calls = Drawn(0, 0, -10);
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ((std::vector<DWORD>{calls[2].args[1], calls[3].args[1], calls[4].args[1]}),
              row.states);
  }
}

TEST_F(Object3DDX, LargeMeshesGoInDrawsOfWholeTrianglesThatTheDeviceTakes) {
  ASSERT_TRUE(MakeWindow());
  object_.Begin3D(false, false);
  struct Row {
    uint32_t triangles;
    std::vector<DWORD> counts;
  } rows[] = {{21845, {65535}}, {21846, {65535, 3}}, {30000, {65535, 24465}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.triangles);
    object_.MakeTriangles(row.triangles);
    auto draws = CallsNamed(Drawn(0, 0, -10), "DrawPrimitive");
    std::vector<DWORD> counts;
    for (const DirectXCall& draw : draws) counts.push_back(draw.args[2]);
    ASSERT_EQ(counts, row.counts);
    // The second draw starts at the triangle after the last of the first.
    EXPECT_EQ(draws.back().VerticesAs<KDeviceVertex>()[0].tu,
              float(row.triangles - row.counts.back() / 3));
  }
}

TEST_F(Object3DDX, ShadingModeTwoDrawsNothingAndSetsNothing) {
  ASSERT_TRUE(MakeWindow());
  object_.MakeTriangle();
  object_.Begin3D(false, false);
  object_.SetShadingMode(2);
  EXPECT_TRUE(Drawn(0, 0, -10).empty());
}

TEST_F(Object3DDX, ANewOrFreedObjectSetsItsStatesButSendsNoVertices) {
  ASSERT_TRUE(MakeWindow());
  object_.Begin3D(false, false);
  EXPECT_TRUE(CallsNamed(Drawn(0, 0, -10), "DrawPrimitive").empty());
  object_.MakeTriangle();
  object_.FreeMesh();
  object_.FreeMesh();
  auto calls = Drawn(0, 0, -10);
  EXPECT_TRUE(CallsNamed(calls, "DrawPrimitive").empty());
  EXPECT_EQ(CallsNamed(calls, "SetRenderState").size(), 4u);
}

TEST_F(Object3DDX, EndLeavesIdentitiesAndLightingDepthAndTheLightOff) {
  ASSERT_TRUE(MakeWindow());
  object_.MakeTriangle();
  object_.Begin3D(true, false);
  object_.Draw(5, 5, -10, 30, 20, 10);
  auto calls = Recorded([&] { object_.End3D(); });
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(Call(calls.back().name, calls.back().args), Call("LightEnable", {0, FALSE}));
  for (auto type :
       {D3DTRANSFORMSTATE_VIEW, D3DTRANSFORMSTATE_PROJECTION, D3DTRANSFORMSTATE_WORLD}) {
    D3DMATRIX m{};
    Device()->GetTransform(type, &m);
    EXPECT_TRUE(Same(m, Identity())) << type;
  }
  EXPECT_EQ(RenderState(D3DRENDERSTATE_LIGHTING), DWORD(FALSE));
  EXPECT_EQ(RenderState(D3DRENDERSTATE_ZENABLE), D3DZB_FALSE);
  EXPECT_EQ(RenderState(D3DRENDERSTATE_CULLMODE), D3DCULL_NONE);
}

TEST_F(Object3DDX, TexturedDrawsRepeatTheTextureAndUntexturedOnesForgetThePictures) {
  ASSERT_TRUE(MakeWindow());
  object_.MakeTriangle();
  KGraphicDX picture;
  uint32_t pixels[4] = {0xFFFFFFFF, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000};
  ASSERT_TRUE(picture.MakePictureFromArray(pixels, 2, 2, true));
  ASSERT_TRUE(picture.SetTexture());
  object_.Begin3D(false, false);
  auto calls = Drawn(0, 0, -10);
  auto textures = CallsNamed(calls, "SetTexture");
  ASSERT_EQ(textures.size(), 1u);
  EXPECT_EQ(textures[0].surface, nullptr);
  EXPECT_EQ(g_dxPictures.boundTexture, nullptr);

  object_.SetTexture(&picture);
  calls = Drawn(0, 0, -10);
  textures = CallsNamed(calls, "SetTexture");
  ASSERT_EQ(textures.size(), 1u);
  EXPECT_EQ(textures[0].surface, picture.Surface());
  EXPECT_EQ(Described(CallsNamed(calls, "SetTextureStageState")),
            (std::vector<std::string>{
                Call("SetTextureStageState", {0, D3DTSS_ADDRESS, D3DTADDRESS_WRAP}),
                Call("SetTextureStageState", {0, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP}),
                Call("SetTextureStageState", {0, D3DTSS_ADDRESSV, D3DTADDRESS_WRAP}),
            }));
  object_.SetTexture(nullptr);
}

TEST_F(Object3DDX, TexturesAreDirectXPicturesAndSavedMeshesSayD3K) {
  KGraphic* picture = object_.MakeTexturePicture();
  EXPECT_NE(dynamic_cast<KGraphicDX*>(picture), nullptr);
  delete picture;
  EXPECT_EQ(std::string(object_.BinaryMagic(), 4), " D3K");
}

// The whole road to pixels: a face toward the light is white (half grey ambient plus the full
// diffuse, clamped); one turned away has the ambient alone.
TEST_F(Object3DDX, AFaceTowardTheLightIsWhiteAndOneTurnedAwayHalfGrey) {
  ASSERT_TRUE(MakeWindow());
  Fill(0, 0, 0);
  object_.Begin3D(false, true);
  object_.MakeTriangle(1);
  object_.Draw(50, 75, 0, 0, 0, 0);
  object_.MakeTriangle(-1);
  object_.Draw(150, 75, 0, 0, 0, 0);
  object_.End3D();
  EXPECT_EQ(Pixel(50, 75), kWhite);
  EXPECT_EQ(Pixel(150, 75), (Rgb{128, 128, 128}));
  EXPECT_EQ(Pixel(100, 75), kBlack);
}

}  // namespace
