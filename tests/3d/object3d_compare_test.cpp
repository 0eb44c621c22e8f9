// The 3D object as the factory makes it for either renderer: the family it belongs to, the binary
// meshes each reads of the other, and the same meshes drawn through both on a 640 x 480 window
// with a depth buffer, where the silhouettes and the depth order must agree (the shading differs
// by design: each renderer lights in its own way).
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../core/game_window_fixture.h"
#include "KObject3DDX.h"
#include "KObject3DGL.h"
#include "temp_folder.h"

namespace {

constexpr int kDirectX = 0, kOpenGL = 1;
// The OpenGL 3D pass always draws in 640 x 480; the window here is that size.
constexpr int kViewWidth = 640, kViewHeight = 480;

// A box of the three sides about the origin in the text mesh format, its faces turned outward.
std::string BoxTextMesh(float sx, float sy, float sz) {
  std::ostringstream text;
  text << "object\" 0 0 8\r\n";
  for (int i = 0; i < 8; ++i) {
    text << i << ' ' << (i & 1 ? sx : -sx) / 2 << ' ' << (i & 2 ? sy : -sy) / 2 << ' '
         << (i & 4 ? sz : -sz) / 2 << " 0 0 0\r\n";
  }
  const std::array<int, 3> triangles[] = {{0, 2, 1}, {1, 2, 3}, {4, 5, 6}, {5, 7, 6},
                                          {0, 1, 4}, {1, 5, 4}, {2, 6, 3}, {3, 6, 7},
                                          {0, 4, 2}, {2, 4, 6}, {1, 3, 5}, {3, 7, 5}};
  text << "0\r\n12\r\n";
  for (const auto& t : triangles)
    text << "0 " << t[0] << "  " << t[1] << "  " << t[2] << "  0  0  0  0\r\n";
  return text.str();
}

std::string Written(const TempFolder& folder, const std::string& name, const std::string& bytes) {
  const std::string path = folder.File(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class Object3DBothRenderers : public RendererWindowTest {
 protected:
  void MakeWindow3D(int renderer) {
    CloseWindow();
    window_ = KFactory::CreateWindowObject(renderer, true);
    ASSERT_TRUE(window_ && window_->CreateGameWindow(kViewWidth, kViewHeight, 32, true, "3d"));
    window_->FlipBackBuffer(false, true);
    Fill(0, 0, 0);
  }

  std::unique_ptr<KObject3D> LoadedBox(float sx, float sy, float sz) {
    std::unique_ptr<KObject3D> box(KFactory::CreateObject3D());
    EXPECT_TRUE(
        box->LoadText(Written(folder_, "box.txt", BoxTextMesh(sx, sy, sz)).c_str(), 1, false));
    return box;
  }

  // A one-colour texture (bytes red, green, blue, alpha).
  KGraphic* Colour(uint32_t pixel) {
    pixels_.push_back(std::vector<uint32_t>(16, pixel));
    KGraphic* picture = MakePicture();
    EXPECT_TRUE(picture->MakePictureFromArray(pixels_.back().data(), 4, 4, true));
    return picture;
  }

  std::vector<Rgb> Screen() const {
    return DrawsWithOpenGL() ? ReadOpenGLPixels(0, 0, kViewWidth, kViewHeight, kViewHeight)
                             : ReadDirectXPixels(0, 0, kViewWidth, kViewHeight);
  }

  TempFolder folder_;
  std::vector<std::vector<uint32_t>> pixels_;
};

TEST_F(Object3DBothRenderers, TheFactoryMakesTheObjectOfTheWindowsRenderer) {
  for (int renderer : {kDirectX, kOpenGL, 2}) {
    delete KFactory::CreateWindowObject(renderer, false);
    std::unique_ptr<KObject3D> object(KFactory::CreateObject3D());
    EXPECT_EQ(dynamic_cast<KObject3DDX*>(object.get()) != nullptr, renderer == kDirectX);
    EXPECT_EQ(dynamic_cast<KObject3DGL*>(object.get()) != nullptr, renderer != kDirectX);
  }
}

// Each renderer writes its own mark and reads the other's file to the same bytes.
TEST_F(Object3DBothRenderers, EachReadsTheBinaryMeshesOfTheOther) {
  KObject3DDX direct;
  KObject3DGL open;
  const std::string mesh = Written(folder_, "box.txt", BoxTextMesh(1, 2, 3));
  ASSERT_TRUE(direct.LoadText(mesh.c_str(), 1, false));
  const std::string fromDirect = folder_.File("dx.bin"), fromOpen = folder_.File("gl.bin");
  ASSERT_TRUE(direct.SaveBinary(fromDirect.c_str()));
  ASSERT_TRUE(open.LoadBinary(fromDirect.c_str(), false));
  ASSERT_TRUE(open.SaveBinary(fromOpen.c_str()));
  ASSERT_TRUE(direct.LoadBinary(fromOpen.c_str(), false));
  const std::string dx = FileBytes(fromDirect), gl = FileBytes(fromOpen);
  EXPECT_EQ(dx.substr(0, 4), " D3K");
  EXPECT_EQ(gl.substr(0, 4), " d3k");
  EXPECT_EQ(dx.substr(4), gl.substr(4));
}

// A turned box in a perspective pass and in an orthographic one covers the same pixels through
// both renderers, up to a seam of edge pixels.
TEST_F(Object3DBothRenderers, TheSameMeshCoversTheSamePixels) {
  struct Pass {
    bool ortho;
    float x, y, z, scale;
  } passes[] = {{false, 2, -1, -40, 1}, {true, 250, 300, 0, 12}};
  for (const Pass& pass : passes) {
    SCOPED_TRACE(pass.ortho ? "orthographic" : "perspective");
    std::vector<bool> covered[2];
    for (int renderer : {kDirectX, kOpenGL}) {
      MakeWindow3D(renderer);
      std::unique_ptr<KObject3D> box = LoadedBox(10, 8, 6);
      box->SetScale(pass.scale, pass.scale, pass.scale);
      box->SetShadingMode(1);
      box->Begin3D(true, pass.ortho);
      box->Draw(pass.x, pass.y, pass.z, 30, 40, 10);
      box->End3D();
      for (const Rgb& pixel : Screen()) covered[renderer].push_back(pixel != kBlack);
    }
    int inBoth = 0, inOne = 0;
    for (size_t i = 0; i < covered[0].size(); ++i) {
      if (covered[0][i] && covered[1][i]) ++inBoth;
      if (covered[0][i] != covered[1][i]) ++inOne;
    }
    EXPECT_GT(inBoth, 5000);
    EXPECT_LT(inOne, inBoth / 50) << "pixels covered by one renderer only";
  }
}

// A small red box in front of a large blue one hides its middle whichever is drawn first, and the
// blue one shows around it, through both renderers.
TEST_F(Object3DBothRenderers, TheNearerMeshHidesTheFartherOne) {
  for (int renderer : {kDirectX, kOpenGL}) {
    SCOPED_TRACE(renderer == kDirectX ? "DirectX" : "OpenGL");
    for (bool nearFirst : {true, false}) {
      MakeWindow3D(renderer);
      std::unique_ptr<KObject3D> nearBox = LoadedBox(6, 6, 6), farBox = LoadedBox(30, 30, 2);
      nearBox->SetTexture(Colour(0xFF0000FF));
      farBox->SetTexture(Colour(0xFFFF0000));
      nearBox->Begin3D(true, false);
      const std::array<KObject3D*, 2> order = {nearFirst ? nearBox.get() : farBox.get(),
                                               nearFirst ? farBox.get() : nearBox.get()};
      for (KObject3D* box : order) box->Draw(0, 0, box == nearBox.get() ? -40 : -60, 0, 0, 0);
      nearBox->End3D();
      const std::vector<Rgb> screen = Screen();
      const Rgb middle = screen[kViewHeight / 2 * kViewWidth + kViewWidth / 2];
      const Rgb aside = screen[kViewHeight / 2 * kViewWidth + kViewWidth / 2 + 120];
      EXPECT_TRUE(middle.red > 0 && middle.green == 0 && middle.blue == 0) << middle;
      EXPECT_TRUE(aside.blue > 0 && aside.red == 0 && aside.green == 0) << aside;
    }
  }
}

}  // namespace
