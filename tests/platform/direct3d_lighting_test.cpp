// Lit and flat-shaded draws of vertices with normals, read back as pixels. Every expected colour
// is worked out by hand from the light, the material and the geometry of the row.
#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "direct3d_fixture.h"
#include "platform/d3dx_math.h"

namespace {

// The 3D objects' vertex: position, normal, one pair of texture coordinates.
struct NormalVertex {
  float x, y, z, nx, ny, nz, u, v;
};
constexpr DWORD kNormalFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

// A vertex with a normal and both colours.
struct ColouredVertex {
  float x, y, z, nx, ny, nz;
  D3DCOLOR diffuse, specular;
};
constexpr DWORD kColouredFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_SPECULAR;

constexpr D3DCOLORVALUE kWhite{1, 1, 1, 1};
const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kOrange{255, 128, 0};

D3DMATRIX Diagonal(float x, float y, float z) {
  D3DMATRIX m{};
  m._11 = x;
  m._22 = y;
  m._33 = z;
  m._44 = 1;
  return m;
}

D3DMATERIAL7 Material(D3DCOLORVALUE diffuse, D3DCOLORVALUE ambient = {},
                      D3DCOLORVALUE emissive = {}) {
  return {diffuse, ambient, {}, emissive, 0};
}

D3DLIGHT7 Directional(float x, float y, float z, D3DCOLORVALUE diffuse = kWhite) {
  return {.dltType = D3DLIGHT_DIRECTIONAL, .dcvDiffuse = diffuse, .dvDirection = {x, y, z}};
}

D3DLIGHT7 Point(float x, float y, float z, float range, float a0, float a1 = 0, float a2 = 0) {
  return {.dltType = D3DLIGHT_POINT,
          .dcvDiffuse = kWhite,
          .dvPosition = {x, y, z},
          .dvRange = range,
          .dvAttenuation0 = a0,
          .dvAttenuation1 = a1,
          .dvAttenuation2 = a2};
}

D3DLIGHT7 Spot(float x, float y, float z, float theta, float phi, float falloff) {
  D3DLIGHT7 light = Point(x, y, z, 100, 1);
  light.dltType = D3DLIGHT_SPOT;
  light.dvDirection = {0, 0, 1};
  light.dvTheta = theta;
  light.dvPhi = phi;
  light.dvFalloff = falloff;
  return light;
}

class Lighting : public DirectXTest {
 protected:
  void SetUp() override {
    DirectXTest::SetUp();
    MakeDevice();
    // Depth is flattened to 0.5, so that the z of a vertex only changes how it is lit.
    D3DMATRIX projection = PixelProjection(0, 0.5f);
    device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  }

  Rgb Pixel(int x, int y) { return PixelOf(backBuffer_, x, y); }

  // A flat triangle whose first corner, at (8, 8, 0) with the normal, gives the colour of the
  // whole: the lit colour of that one vertex, read at pixel (10, 10).
  template <typename Vertex>
  Rgb LitCorner(Vertex first, DWORD format) {
    device_->SetRenderState(D3DRENDERSTATE_SHADEMODE, D3DSHADE_FLAT);
    first.x = first.y = 8;
    first.z = 0;
    Vertex triangle[3] = {first, first, first};
    triangle[1].x = 20;
    triangle[2].y = 20;
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, format, triangle, 3, 0), D3D_OK);
    return Pixel(10, 10);
  }
  Rgb LitCorner(float nx = 0, float ny = 0, float nz = -1) {
    return LitCorner(NormalVertex{0, 0, 0, nx, ny, nz, 0, 0}, kNormalFormat);
  }

  void UseLight(D3DLIGHT7 light, D3DMATERIAL7 material, DWORD ambient = 0) {
    ASSERT_EQ(device_->SetLight(0, &light), D3D_OK);
    ASSERT_EQ(device_->LightEnable(0, TRUE), D3D_OK);
    ASSERT_EQ(device_->SetMaterial(&material), D3D_OK);
    device_->SetRenderState(D3DRENDERSTATE_AMBIENT, ambient);
  }
};

// The lit vertex faces the viewer (normal -z) at (8, 8, 0); lights are in world space, which is
// view space here.
struct LightRow {
  const char* what;
  D3DLIGHT7 light;
  D3DMATERIAL7 material;
  DWORD ambient;
  Rgb expected;
};

TEST_F(Lighting, EachLightTypeLightsByItsDirectionDistanceAndColour) {
  const D3DMATERIAL7 white = Material(kWhite);
  D3DLIGHT7 ambientLight = Point(8, 8, -10, 100, 2);
  ambientLight.dcvDiffuse = {};
  ambientLight.dcvAmbient = {0.5f, 0.5f, 0.5f, 1};
  const LightRow rows[] = {
      {"a directional light straight on gives its diffuse colour",
       Directional(0, 0, 1, {0.5f, 0.25f, 1, 1}),
       white,
       0,
       {128, 64, 255}},
      {"a slanted one the cosine, whatever its length",
       Directional(0, 4, 3),
       white,
       0,
       {153, 153, 153}},
      {"one from behind nothing", Directional(0, 0, -1), white, 0, {0, 0, 0}},
      {"a point light fades as 1 / (a0 + a1 d + a2 d^2)",
       Point(8, 8, -10, 100, 0.25f, 0.05f, 0.0075f),
       white,
       0,
       {170, 170, 170}},
      {"a point light reaches its range", Point(8, 8, -10, 10.1f, 1), white, 0, {255, 255, 255}},
      {"and not beyond it", Point(8, 8, -10, 9.9f, 1), white, 0, {0, 0, 0}},
      {"a light's ambient colour is attenuated and meets the material's ambient",
       ambientLight,
       Material({}, {1, 0.5f, 0, 1}),
       0,
       {64, 32, 0}},
      {"the global ambient meets the material's ambient",
       Directional(0, 0, -1),
       Material({}, {1, 0.5f, 1, 1}),
       0x00806040,
       {128, 48, 64}},
      {"the emissive colour adds alone",
       Directional(0, 0, -1),
       Material({}, {}, {0.2f, 0.4f, 0.6f, 1}),
       0,
       {51, 102, 153}},
      {"the sum is clamped to 1",
       Directional(0, 0, 1, {1, 0.5f, 0, 1}),
       Material(kWhite, {}, {0.8f, 0, 0, 1}),
       0,
       {255, 128, 0}},
      {"a spot lights fully inside its inner cone",
       Spot(8, 8, -10, 0.5f, 1, 1),
       white,
       0,
       {255, 255, 255}},
      // 7.5 to the side and 10 above: the light comes in at cos 0.8 to the axis and the normal,
      // half way from the outer cone (cos 0.6) to the axis.
      {"a spot fades between its cones",
       Spot(15.5f, 8, -10, 0, 2 * std::acos(0.6f), 1),
       white,
       0,
       {102, 102, 102}},
      {"by the power of its falloff",
       Spot(15.5f, 8, -10, 0, 2 * std::acos(0.6f), 2),
       white,
       0,
       {51, 51, 51}},
      {"and lights nothing outside", Spot(15.5f, 8, -10, 0, 1, 1), white, 0, {0, 0, 0}},
  };
  for (const LightRow& row : rows) {
    SCOPED_TRACE(row.what);
    UseLight(row.light, row.material, row.ambient);
    EXPECT_EQ(LitCorner(), row.expected);
  }
}

TEST_F(Lighting, LightsAreInWorldSpaceAndNormalsTurnWithTheInverseTransposedWorldAndView) {
  UseLight(Point(8, 8, -10, 100, 0, 0.1f), Material(kWhite));
  // The view moves everything 5 further away, the light too: it stays 10 from the vertex.
  D3DMATRIX view = Diagonal(1, 1, 1);
  view._43 = 5;
  device_->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  EXPECT_EQ(LitCorner(), (Rgb{255, 255, 255}));
  view = Diagonal(1, 1, 1);
  device_->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  // A normal half way between -x and -z under a world stretched twice along x leans toward -z:
  // (-1/2, 0, -1) / sqrt 2 after the transform, so a light from -x meets it at 0.354, not at
  // the 1.41 that the stretch itself would give.
  UseLight(Directional(1, 0, 0), Material(kWhite));
  D3DMATRIX world = Diagonal(2, 1, 1);
  world._41 = -8;  // the first corner stays at x 8
  device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);
  EXPECT_EQ(LitCorner(-0.70710678f, 0, -0.70710678f), (Rgb{90, 90, 90}));
}

TEST_F(Lighting, MaterialColoursComeFromTheirSources) {
  const ColouredVertex vertex{0, 0, 0, 0, 0, -1, 0xFFFF8000, 0xFF00FF00};
  const D3DLIGHT7 front = Directional(0, 0, 1), behind = Directional(0, 0, -1);
  struct Row {
    const char* what;
    D3DRENDERSTATETYPE state;
    DWORD value;
    D3DLIGHT7 light;
    Rgb expected;
  } rows[] = {
      {"diffuse: diffuse by default", D3DRENDERSTATE_LIGHTING, TRUE, front, kOrange},
      {"diffuse: material", D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL, front, kBlue},
      {"diffuse: specular", D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR2, front, kGreen},
      {"no colour vertex: material", D3DRENDERSTATE_COLORVERTEX, FALSE, front, kBlue},
      {"ambient: specular", D3DRENDERSTATE_AMBIENTMATERIALSOURCE, D3DMCS_COLOR2, behind, kGreen},
      {"emissive: diffuse", D3DRENDERSTATE_EMISSIVEMATERIALSOURCE, D3DMCS_COLOR1, behind, kOrange},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    UseLight(row.light, Material({0, 0, 1, 1}), 0x00FFFFFF);
    device_->SetRenderState(row.state, row.value);
    EXPECT_EQ(LitCorner(vertex, kColouredFormat), row.expected);
    device_->SetRenderState(D3DRENDERSTATE_COLORVERTEX, TRUE);
    device_->SetRenderState(D3DRENDERSTATE_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1);
    device_->SetRenderState(D3DRENDERSTATE_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL);
    device_->SetRenderState(D3DRENDERSTATE_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL);
  }
  // A vertex without the colour its source names takes the material's.
  UseLight(Directional(0, 0, 1), Material({0, 0, 1, 1}));
  EXPECT_EQ(LitCorner(), (Rgb{0, 0, 255}));
}

TEST_F(Lighting, OnlyEnabledLightsLightAndANeverSetLightIsWhiteAlongZ) {
  UseLight(Directional(0, 0, 1), Material(kWhite));
  device_->LightEnable(0, FALSE);
  EXPECT_EQ(LitCorner(), (Rgb{0, 0, 0}));
  ASSERT_EQ(device_->LightEnable(7, TRUE), D3D_OK);
  EXPECT_EQ(LitCorner(), (Rgb{255, 255, 255}));
}

// Vertices at the same place with different normals are lit each by its own normal.
TEST_F(Lighting, AVertexAtTheSamePlaceWithAnotherNormalIsLitAnew) {
  UseLight(Directional(0, 0, 1), Material(kWhite));
  device_->SetRenderState(D3DRENDERSTATE_SHADEMODE, D3DSHADE_FLAT);
  const NormalVertex triangles[] = {
      {30, 30, 0, 0, 0, -1, 0, 0}, {45, 30, 0, 0, 0, -1, 0, 0}, {30, 45, 0, 0, 0, -1, 0, 0},
      {30, 30, 0, 0, 0, 1, 0, 0},  {15, 30, 0, 0, 0, 1, 0, 0},  {30, 15, 0, 0, 0, 1, 0, 0},
      {30, 30, 0, 0, 0, -1, 0, 0}, {45, 30, 0, 0, 0, -1, 0, 0}, {30, 15, 0, 0, 0, -1, 0, 0},
  };
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, kNormalFormat, (void*)triangles, 9, 0),
            D3D_OK);
  EXPECT_EQ(Pixel(33, 33), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel(27, 27), (Rgb{0, 0, 0}));
  EXPECT_EQ(Pixel(36, 24), (Rgb{255, 255, 255})) << "a repeat of the first vertex";
}

// Vertices of one draw, drawn as points (each lights its own pixel) so that every one is seen,
// lit in different ways side by side.
struct PointRow {
  const char* what;
  NormalVertex vertex;
  Rgb expected;
};

class LitPoints : public Lighting {
 protected:
  void TearDown() override {
    platform::LightFourVerticesAtATime(false);
    Lighting::TearDown();
  }

  // Draws the points as one point list behind 0, 3 and 8 others (on a pixel of their own), so
  // that each takes every place in a set of lanes, full sets and the last one, with eight lanes
  // (where the processor has them) and with four; `check` reads the pixels after each draw.
  template <typename Vertex>
  void DrawInEveryLane(const std::vector<Vertex>& points, DWORD format,
                       const std::function<void()>& check) {
    for (bool four : {false, true}) {
      platform::LightFourVerticesAtATime(four);
      for (size_t others : {0, 3, 8}) {
        SCOPED_TRACE(testing::Message()
                     << (four ? "four" : "eight") << " lanes, behind " << others);
        std::vector<Vertex> drawn(others, points.front());
        for (Vertex& other : drawn) {
          other.x = kWidth - 1;
          other.y = kHeight - 1;
        }
        drawn.insert(drawn.end(), points.begin(), points.end());
        device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        ASSERT_EQ(
            device_->DrawPrimitive(D3DPT_POINTLIST, format, drawn.data(), DWORD(drawn.size()), 0),
            D3D_OK);
        check();
      }
    }
  }

  void ExpectLit(const std::vector<PointRow>& rows) {
    std::vector<NormalVertex> points;
    for (const PointRow& row : rows) points.push_back(row.vertex);
    DrawInEveryLane(points, kNormalFormat, [&] {
      for (const PointRow& row : rows) {
        EXPECT_EQ(Pixel(int(row.vertex.x), int(row.vertex.y)), row.expected) << row.what;
      }
    });
  }
};

// A white point light at (20, 8, -10) reaching 11, with ambient light 0.4 that meets the
// material's blue ambient; the diffuse material is yellow. The vertices lie 10 from the light
// (6, 8, 10 triangles) unless said.
TEST_F(LitPoints, EachVertexOfADrawHasItsOwnDistanceDirectionAndReach) {
  D3DLIGHT7 light = Point(20, 8, -10, 11, 1);
  light.dcvAmbient = {0.4f, 0.4f, 0.4f, 1};
  UseLight(light, Material({1, 1, 0, 1}, {0, 0, 1, 1}));
  ExpectLit({
      {"straight on", {20, 8, 0, 0, 0, -1}, {255, 255, 102}},
      {"from the side at cos 0.8", {14, 8, -2, 0, 0, -1}, {204, 204, 102}},
      {"at cos 0.6 to a normal along -x", {26, 8, -2, -1, 0, 0}, {153, 153, 102}},
      {"turned away: only the ambient", {20, 14, -2, 0, 0, 1}, {0, 0, 102}},
      {"12 away, out of reach: nothing", {8, 8, -10, 1, 0, 0}, {0, 0, 0}},
      {"from below at cos 0.6", {20, 2, -2, 0, 1, 0}, {153, 153, 102}},
      {"at cos 0.8 to a normal along x", {12, 8, -4, 1, 0, 0}, {204, 204, 102}},
  });
}

// A white spot at (20, 8, -10) shining along z, fully bright only on its axis (theta 0), dark
// outside cos 0.6 (phi), and fading as the square between (falloff 2).
TEST_F(LitPoints, EachVertexOfADrawHasItsOwnPlaceInASpotsCone) {
  UseLight(Spot(20, 8, -10, 0, 2 * std::acos(0.6f), 2), Material(kWhite));
  ExpectLit({
      {"on the axis", {20, 8, 0, 0, 0, -1}, {255, 255, 255}},
      {"at cos 0.8: half way, squared, times the facing 0.8", {14, 8, -2, 0, 0, -1}, {51, 51, 51}},
      {"outside the cone", {10, 8, -4, 0, 0, -1}, {0, 0, 0}},
      {"at cos 0.8 with the facing 0.6", {26, 8, -2, -1, 0, 0}, {38, 38, 38}},
      {"outside, turned to the light", {30, 8, -4, -1, 0, 0}, {0, 0, 0}},
  });
}

// Vertex colours are read for each vertex: the diffuse one lit straight on, the specular one as
// the emissive colour.
TEST_F(LitPoints, EachVertexOfADrawHasItsOwnColours) {
  UseLight(Directional(0, 0, 1), Material(kWhite));
  device_->SetRenderState(D3DRENDERSTATE_EMISSIVEMATERIALSOURCE, D3DMCS_COLOR2);
  const D3DCOLOR colours[][2] = {{0xFF804020, 0xFF000040},
                                 {0xFF00FF00, 0},
                                 {0xFF102030, 0xFF300000},
                                 {0, 0xFF0000FF},
                                 {0xFFFFFFFF, 0xFFFFFFFF}};
  std::vector<ColouredVertex> points;
  for (const auto& [diffuse, specular] : colours) {
    points.push_back({float(4 + 2 * points.size()), 20, 0, 0, 0, -1, diffuse, specular});
  }
  const Rgb expected[] = {{128, 64, 96}, {0, 255, 0}, {64, 32, 48}, {0, 0, 255}, {255, 255, 255}};
  DrawInEveryLane(points, kColouredFormat, [&] {
    for (size_t i = 0; i < points.size(); ++i) {
      EXPECT_EQ(Pixel(int(points[i].x), 20), expected[i]) << "vertex " << i;
    }
  });
}

TEST_F(Lighting, SetLightRefusesLightsItCannotUse) {
  D3DLIGHT7 point = Point(0, 0, 0, 10, 1);
  D3DLIGHT7 spot = Spot(0, 0, 0, 0.5f, 1, 1);
  D3DLIGHT7 rows[] = {point, point, point, point, Directional(0, 0, 0), spot, spot};
  rows[0].dltType = D3DLIGHTTYPE(4);
  rows[1].dvRange = -1;
  rows[2].dvRange = INFINITY;
  rows[3].dvAttenuation0 = 0;
  rows[5].dvTheta = 1.5f;  // wider than phi
  rows[6].dvPhi = 3.2f;    // more than half a turn
  for (D3DLIGHT7& light : rows) EXPECT_EQ(device_->SetLight(0, &light), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->SetLight(0, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->SetMaterial(nullptr), DDERR_INVALIDPARAMS);
  point.dvRange = D3DLIGHT_RANGE_MAX;
  EXPECT_EQ(device_->SetLight(0, &point), D3D_OK);
}

TEST_F(Lighting, UnlitFormatsKeepTheirColourWithLightingOn) {
  UseLight(Directional(0, 0, -1), Material({}));
  D3DLVERTEX corners[3] = {};
  corners[1].x = 20;
  corners[2].y = 20;
  for (D3DLVERTEX& v : corners) v.color = 0xFF204060;
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, D3DFVF_LVERTEX, corners, 3, 0), D3D_OK);
  EXPECT_EQ(Pixel(5, 5), (Rgb{0x20, 0x40, 0x60}));
  // Vertices with normals, lighting off: white, as any vertex without a colour.
  device_->SetRenderState(D3DRENDERSTATE_LIGHTING, FALSE);
  EXPECT_EQ(LitCorner(), (Rgb{255, 255, 255}));
}

// Red, green and blue corners of a triangle list, a strip and a fan of two triangles each.
class FlatShading : public Lighting {
 protected:
  void SetUp() override {
    Lighting::SetUp();
    device_->SetRenderState(D3DRENDERSTATE_LIGHTING, FALSE);
    device_->SetRenderState(D3DRENDERSTATE_SHADEMODE, D3DSHADE_FLAT);
  }

  HRESULT Draw(D3DPRIMITIVETYPE type, std::vector<std::array<float, 2>> points) {
    const D3DCOLOR colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    std::vector<D3DLVERTEX> vertices(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
      vertices[i].x = points[i][0];
      vertices[i].y = points[i][1];
      vertices[i].color = colours[i % 4];
    }
    return device_->DrawPrimitive(type, D3DFVF_LVERTEX, vertices.data(), DWORD(vertices.size()), 0);
  }
};

TEST_F(FlatShading, EachTriangleTakesItsFirstVertexColour) {
  ASSERT_EQ(Draw(D3DPT_TRIANGLELIST, {{0, 0}, {30, 0}, {0, 30}}), D3D_OK);
  for (auto [x, y] : {std::pair{1, 1}, {27, 1}, {1, 27}}) EXPECT_EQ(Pixel(x, y), kRed);
  // A strip's triangles start at vertices 0 and 1, a fan's at 1 and 2.
  ASSERT_EQ(Draw(D3DPT_TRIANGLESTRIP, {{0, 30}, {0, 47}, {17, 30}, {17, 47}}), D3D_OK);
  EXPECT_EQ(Pixel(2, 32), kRed);
  EXPECT_EQ(Pixel(15, 45), kGreen);
  ASSERT_EQ(Draw(D3DPT_TRIANGLEFAN, {{40, 0}, {60, 0}, {60, 20}, {40, 20}}), D3D_OK);
  EXPECT_EQ(Pixel(57, 2), kGreen);
  EXPECT_EQ(Pixel(42, 17), kBlue);
  // Gouraud shading blends the corners.
  device_->SetRenderState(D3DRENDERSTATE_SHADEMODE, D3DSHADE_GOURAUD);
  ASSERT_EQ(Draw(D3DPT_TRIANGLELIST, {{0, 0}, {30, 0}, {0, 30}}), D3D_OK);
  EXPECT_GT(Pixel(27, 1).green, 200);
  EXPECT_GT(Pixel(27, 1).red, 0);
}

TEST_F(FlatShading, ALitTriangleTakesItsFirstVertexLighting) {
  UseLight(Directional(0, 0, 1), Material(kWhite));
  device_->SetRenderState(D3DRENDERSTATE_LIGHTING, TRUE);
  // Only the first corner faces the light.
  NormalVertex triangle[3] = {
      {8, 8, 0, 0, 0, -1, 0, 0}, {40, 8, 0, 0, 0, 1, 0, 0}, {8, 40, 0, 0, 0, 1, 0, 0}};
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, kNormalFormat, triangle, 3, 0), D3D_OK);
  EXPECT_EQ(Pixel(36, 10), (Rgb{255, 255, 255}));
  // Gouraud shading blends the corners' lighting.
  device_->SetRenderState(D3DRENDERSTATE_SHADEMODE, D3DSHADE_GOURAUD);
  NormalVertex strip[4] = {{8, 42, 0, 0, 0, -1, 0, 0},
                           {40, 42, 0, 0, 0, 1, 0, 0},
                           {8, 47, 0, 0, 0, -1, 0, 0},
                           {40, 47, 0, 0, 0, 1, 0, 0}};
  ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, kNormalFormat, strip, 4, 0), D3D_OK);
  EXPECT_GT(Pixel(10, 44).red, 200);
  EXPECT_LT(Pixel(38, 44).red, 60);
  Rgb middle = Pixel(24, 44);
  EXPECT_GT(middle.red, 60);
  EXPECT_LT(middle.red, 200);
}

// A lit strip's triangles start at vertices 0 and 1, a fan's at 1 and 2: only those are lit, and
// here only the first of them faces the light.
TEST_F(FlatShading, ALitStripOrFanTakesEachTrianglesFirstVertexLighting) {
  UseLight(Directional(0, 0, 1), Material(kWhite));
  device_->SetRenderState(D3DRENDERSTATE_LIGHTING, TRUE);
  const Rgb kWhiteRgb{255, 255, 255}, kBlackRgb{0, 0, 0};
  struct Row {
    D3DPRIMITIVETYPE type;
    std::array<NormalVertex, 4> vertices;
    std::array<int, 2> firstPixel, secondPixel;
  } rows[] = {
      {D3DPT_TRIANGLESTRIP,
       {{{0, 30, 0, 0, 0, -1}, {0, 47, 0, 0, 0, 1}, {17, 30, 0, 0, 0, -1}, {17, 47, 0, 0, 0, -1}}},
       {2, 32},
       {15, 45}},
      {D3DPT_TRIANGLEFAN,
       {{{40, 0, 0, 0, 0, 1}, {60, 0, 0, 0, 0, -1}, {60, 20, 0, 0, 0, 1}, {40, 20, 0, 0, 0, -1}}},
       {57, 2},
       {42, 17}},
  };
  for (auto& row : rows) {
    SCOPED_TRACE(row.type == D3DPT_TRIANGLESTRIP ? "strip" : "fan");
    ASSERT_EQ(device_->DrawPrimitive(row.type, kNormalFormat, row.vertices.data(), 4, 0), D3D_OK);
    EXPECT_EQ(Pixel(row.firstPixel[0], row.firstPixel[1]), kWhiteRgb);
    EXPECT_EQ(Pixel(row.secondPixel[0], row.secondPixel[1]), kBlackRgb);
  }
}

class Depth : public DirectXTest {
 protected:
  void SetUp() override {
    DirectXTest::SetUp();
    MakeDevice();
    zBuffer_ = MakeZBuffer();
    ASSERT_EQ(backBuffer_->AddAttachedSurface(zBuffer_), DD_OK);
    device_->SetRenderState(D3DRENDERSTATE_LIGHTING, FALSE);
  }
  void TearDown() override {
    if (zBuffer_) zBuffer_->Release();
    DirectXTest::TearDown();
  }

  // A square of the 3D objects' format from (x0, y0) to (x1, y1) at depth z, in the colour the
  // texture stage's diffuse gives it (white: the format has no colour).
  HRESULT Square(float x0, float y0, float x1, float y1, float z) {
    NormalVertex v[6] = {{x0, y0, z}, {x1, y0, z}, {x0, y1, z},
                         {x1, y0, z}, {x1, y1, z}, {x0, y1, z}};
    return device_->DrawPrimitive(D3DPT_TRIANGLELIST, kNormalFormat, v, 6, 0);
  }

  std::vector<int> WhiteColumns(int y) {
    std::vector<int> columns;
    for (int x = 0; x < int(kWidth); ++x) {
      if (PixelOf(backBuffer_, x, y) == Rgb{255, 255, 255}) columns.push_back(x);
    }
    return columns;
  }

  IDirectDrawSurface7* zBuffer_ = nullptr;
};

// World z = -2 moved into view z = 2 by a view that turns z over, seen through a frustum one unit
// wide and 0.75 high at the near plane 1: view x 0..1, y -0.75..0 at z 2 cover pixels 32..47 by
// 24..35 of the 64 x 48 target.
TEST_F(Depth, TheObjectFormatGoesThroughWorldViewProjectionAndViewport) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  D3DMATRIX world = Diagonal(1, 1, 1), view = Diagonal(1, 1, -1), projection;
  world._43 = -2;
  D3DXMatrixPerspectiveOffCenterLH(&projection, -1, 1, -0.75f, 0.75f, 1, 100);
  device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);
  device_->SetTransform(D3DTRANSFORMSTATE_VIEW, &view);
  device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
  ASSERT_EQ(Square(0, -0.75f, 1, 0, 0), D3D_OK);
  std::vector<int> columns = WhiteColumns(30);
  ASSERT_FALSE(columns.empty());
  EXPECT_EQ(columns.front(), 32);
  EXPECT_EQ(columns.back(), 47);
  EXPECT_EQ(WhiteColumns(23), std::vector<int>{});
  EXPECT_EQ(WhiteColumns(35).size(), 16u);
  EXPECT_EQ(WhiteColumns(36), std::vector<int>{});
}

TEST_F(Depth, TheDepthTestKeepsTheNearerDrawWhenEnabled) {
  D3DMATRIX projection = PixelProjection();
  device_->SetTransform(D3DTRANSFORMSTATE_PROJECTION, &projection);
  device_->SetRenderState(D3DRENDERSTATE_ZENABLE, D3DZB_TRUE);
  ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 0.5f, 0),
            D3D_OK);
  // Behind the cleared depth: hidden. In front: drawn.
  ASSERT_EQ(Square(0, 0, 10, 10, 0.75f), D3D_OK);
  EXPECT_EQ(WhiteColumns(5), std::vector<int>{});
  ASSERT_EQ(Square(0, 0, 10, 10, 0.25f), D3D_OK);
  EXPECT_EQ(WhiteColumns(5).size(), 10u);
  device_->SetRenderState(D3DRENDERSTATE_ZENABLE, D3DZB_FALSE);
  ASSERT_EQ(Square(20, 0, 30, 10, 0.75f), D3D_OK);
  EXPECT_EQ(WhiteColumns(5).size(), 20u);
}

TEST_F(Lighting, TheRecorderKeepsCopiesOfLightsAndMaterials) {
  platform::RecordDirectXCalls(true);
  D3DLIGHT7 light = Point(1, 2, 3, 50, 1);
  D3DMATERIAL7 material = Material({0.1f, 0.2f, 0.3f, 0.4f});
  device_->SetLight(3, &light);
  device_->LightEnable(3, TRUE);
  device_->SetMaterial(&material);
  light.dvRange = material.dcvDiffuse.b = 0;
  auto calls = platform::TakeDirectXCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].args, std::vector<DWORD>{3});
  EXPECT_EQ(calls[0].light.dvRange, 50.0f);
  EXPECT_EQ(calls[1].args, (std::vector<DWORD>{3, TRUE}));
  EXPECT_EQ(calls[2].material.dcvDiffuse.b, 0.3f);
}

}  // namespace
