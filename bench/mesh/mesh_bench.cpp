// Times the mesh files: grids of about 100k and 1M triangles are written in the ASE, text mesh
// and binary formats, then loaded (normals included) and saved as binary meshes; beside each
// load stands assimp's load of the same grid (its ASE importer on the same ASE file, its OBJ
// importer on an OBJ file of the grid) and the ratio, beside the binary load the time of just
// reading its file, and the vertex normals are timed alone at both sizes to show they grow
// linearly.
//
//   mesh_bench [rounds]     (default 3; every figure is the best round, so that other work on a
//                            shared machine weighs less)
//
// Then one frame drawing each grid through each renderer's 3D object (in a 640 x 480 window with
// a depth buffer; it needs a display), and the Direct3D frame once more with lighting switched
// off, to show what the per-vertex lighting costs.
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DX3DDevice.h"
#include "KFactory.h"
#include "KObject3D.h"
#include "KWindow.h"
#include "MeshFile.h"
#include "drawless_object.h"
#include "platform/message_boxes.h"

namespace {

// A grid of side x side squares, two triangles each, over a gentle wave.
struct Grid {
  int side;
  int Points() const { return (side + 1) * (side + 1); }
  int Triangles() const { return 2 * side * side; }
  float Height(int x, int y) const { return std::sin(x * 0.05f) * std::cos(y * 0.07f); }
  // The corners of triangle t, counter-clockwise seen from above.
  void Corners(int t, int corners[3]) const {
    const int square = t / 2, x = square % side, y = square / side;
    const int p = y * (side + 1) + x, up = p + side + 1;
    if (t % 2 == 0) {
      corners[0] = p, corners[1] = p + 1, corners[2] = up + 1;
    } else {
      corners[0] = p, corners[1] = up + 1, corners[2] = up;
    }
  }
};

class TextFile {
 public:
  explicit TextFile(const std::string& path) : stream_(std::fopen(path.c_str(), "wb")) {
    if (!stream_) {
      std::fprintf(stderr, "mesh_bench: cannot write %s\n", path.c_str());
      std::exit(1);
    }
  }
  ~TextFile() { std::fclose(stream_); }
  template <typename... Args>
  void Line(const char* format, Args... args) {
    std::fprintf(stream_, format, args...);
    std::fputs("\r\n", stream_);
  }

 private:
  FILE* stream_;
};

void WriteAse(const Grid& grid, const std::string& path) {
  TextFile file(path);
  file.Line("*3DSMAX_ASCIIEXPORT\t200");
  file.Line("*MATERIAL_LIST {");
  file.Line("\t*MATERIAL_COUNT 1");
  file.Line("\t*MATERIAL 0 {");
  file.Line("\t\t*MATERIAL_NAME \"grid\"");
  file.Line("\t\t*MAP_DIFFUSE {");
  file.Line("\t\t\t*BITMAP \"maps\\grid.png\"");
  file.Line("\t\t}");
  file.Line("\t}");
  file.Line("}");
  file.Line("*GEOMOBJECT {");
  file.Line("\t*NODE_NAME \"grid\"");
  file.Line("\t*MESH {");
  file.Line("\t\t*TIMEVALUE 0");
  file.Line("\t\t*MESH_NUMVERTEX %d", grid.Points());
  file.Line("\t\t*MESH_NUMFACES %d", grid.Triangles());
  file.Line("\t\t*MESH_VERTEX_LIST {");
  for (int i = 0; i < grid.Points(); ++i) {
    const int x = i % (grid.side + 1), y = i / (grid.side + 1);
    file.Line("\t\t\t*MESH_VERTEX %5d\t%.4f\t%.4f\t%.4f", i, x * 0.1f, y * 0.1f, grid.Height(x, y));
  }
  file.Line("\t\t}");
  file.Line("\t\t*MESH_FACE_LIST {");
  for (int t = 0; t < grid.Triangles(); ++t) {
    int c[3];
    grid.Corners(t, c);
    file.Line(
        "\t\t\t*MESH_FACE %5d:    A: %5d B: %5d C: %5d AB:    1 BC:    1 CA:    0\t "
        "*MESH_SMOOTHING 1 \t*MESH_MTLID 0",
        t, c[0], c[1], c[2]);
  }
  file.Line("\t\t}");
  file.Line("\t\t*MESH_NUMTVERTEX %d", grid.Points());
  file.Line("\t\t*MESH_TVERTLIST {");
  for (int i = 0; i < grid.Points(); ++i) {
    const int x = i % (grid.side + 1), y = i / (grid.side + 1);
    file.Line("\t\t\t*MESH_TVERT %5d\t%.4f\t%.4f\t0.0000", i, float(x) / grid.side,
              float(y) / grid.side);
  }
  file.Line("\t\t}");
  file.Line("\t\t*MESH_NUMTVFACES %d", grid.Triangles());
  file.Line("\t\t*MESH_TFACELIST {");
  for (int t = 0; t < grid.Triangles(); ++t) {
    int c[3];
    grid.Corners(t, c);
    file.Line("\t\t\t*MESH_TFACE %5d\t%d\t%d\t%d", t, c[0], c[1], c[2]);
  }
  file.Line("\t\t}");
  file.Line("\t}");
  file.Line("\t*MATERIAL_REF 0");
  file.Line("}");
}

void WriteTextMesh(const Grid& grid, const std::string& path) {
  TextFile file(path);
  file.Line("grid");
  file.Line("object\" 0 0 %d", grid.Points());
  for (int i = 0; i < grid.Points(); ++i) {
    const int x = i % (grid.side + 1), y = i / (grid.side + 1);
    file.Line("%d %.4f %.4f %.4f %.4f %.4f 0", i, x * 0.1f, y * 0.1f, grid.Height(x, y),
              float(x) / grid.side, float(y) / grid.side);
  }
  file.Line("%d", grid.Points());
  for (int i = 0; i < grid.Points(); ++i) file.Line("0.0 0.0 1.0");
  file.Line("%d", grid.Triangles());
  for (int t = 0; t < grid.Triangles(); ++t) {
    int c[3];
    grid.Corners(t, c);
    file.Line("%d %d  %d  %d  1  1  1  0", t, c[0], c[1], c[2]);
  }
}

void WriteObj(const Grid& grid, const std::string& path) {
  TextFile file(path);
  for (int i = 0; i < grid.Points(); ++i) {
    const int x = i % (grid.side + 1), y = i / (grid.side + 1);
    file.Line("v %.4f %.4f %.4f", x * 0.1f, y * 0.1f, grid.Height(x, y));
  }
  for (int i = 0; i < grid.Points(); ++i) {
    const int x = i % (grid.side + 1), y = i / (grid.side + 1);
    file.Line("vt %.4f %.4f", float(x) / grid.side, float(y) / grid.side);
  }
  for (int t = 0; t < grid.Triangles(); ++t) {
    int c[3];
    grid.Corners(t, c);
    file.Line("f %d/%d %d/%d %d/%d", c[0] + 1, c[0] + 1, c[1] + 1, c[1] + 1, c[2] + 1, c[2] + 1);
  }
}

// The best time of the rounds, in milliseconds; run must succeed every time.
double BestMs(int rounds, const char* what, const std::function<bool()>& run) {
  double best = 1e30;
  for (int round = 0; round < rounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = run();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (!ok) {
      std::fprintf(stderr, "mesh_bench: %s failed\n", what);
      std::exit(1);
    }
    best = std::min(best, took.count());
  }
  return best;
}

// The normals alone: a mesh loaded once, its vertex normals worked out again each round.
class NormalsObject : public DrawlessObject {
 public:
  bool Recompute() {
    ComputeVertexNormals();
    return faceCount > 0;
  }
};

struct SizeTimes {
  int triangles;
  double ase, assimpAse, text, assimpObj, binary, readBinary, save, normals;
};

SizeTimes TimeSize(const Grid& grid, const std::string& folder, int rounds) {
  const std::string ase = folder + "/grid.ase", text = folder + "/grid.txt",
                    obj = folder + "/grid.obj", binary = folder + "/grid.bin";
  WriteAse(grid, ase);
  WriteTextMesh(grid, text);
  WriteObj(grid, obj);

  SizeTimes times = {};
  times.triangles = grid.Triangles();
  DrawlessObject object;
  times.ase = BestMs(rounds, "LoadASE", [&] { return object.LoadASE(ase.c_str(), 1, false); });
  times.text = BestMs(rounds, "LoadText", [&] { return object.LoadText(text.c_str(), 1, false); });
  times.save = BestMs(rounds, "SaveBinary", [&] { return object.SaveBinary(binary.c_str()); });
  times.binary =
      BestMs(rounds, "LoadBinary", [&] { return object.LoadBinary(binary.c_str(), false); });
  times.readBinary = BestMs(rounds, "reading the binary file", [&] {
    MeshFileBytes file;
    return ReadMeshFile(binary.c_str(), &file);
  });
  NormalsObject normals;
  normals.LoadBinary(binary.c_str(), false);
  times.normals = BestMs(rounds, "normals", [&] { return normals.Recompute(); });

  Assimp::Importer importer;
  auto assimpLoad = [&](const std::string& path) {
    const aiScene* scene = importer.ReadFile(path, aiProcess_GenSmoothNormals);
    const bool ok = scene && scene->mNumMeshes > 0 && scene->mMeshes[0]->mNumFaces > 0;
    importer.FreeScene();
    return ok;
  };
  times.assimpAse = BestMs(rounds, "assimp's ASE import", [&] { return assimpLoad(ase); });
  times.assimpObj = BestMs(rounds, "assimp's OBJ import", [&] { return assimpLoad(obj); });
  for (const std::string& path : {ase, text, obj, binary}) std::remove(path.c_str());
  return times;
}

void PrintRow(const char* name, const std::vector<SizeTimes>& sizes,
              double (*figure)(const SizeTimes&), const char* unit) {
  std::printf("  %-34s", name);
  for (const SizeTimes& size : sizes) std::printf("%14.2f%s", figure(size), unit);
  std::printf("\n");
}

void PrintFileTimes(const std::string& folder, int rounds) {
  std::vector<SizeTimes> sizes;
  for (int side : {224, 708}) sizes.push_back(TimeSize(Grid{side}, folder, rounds));
  std::printf("Mesh files, best of %d rounds (milliseconds unless said)\n", rounds);
  std::printf("  %-34s", "triangles");
  for (const SizeTimes& size : sizes) std::printf("%16d", size.triangles);
  std::printf("\n");
  using S = const SizeTimes&;
  PrintRow(
      "LoadASE (with normals)", sizes, [](S s) { return s.ase; }, "  ");
  PrintRow(
      "assimp, same ASE file", sizes, [](S s) { return s.assimpAse; }, "  ");
  PrintRow(
      "LoadASE / assimp ASE", sizes, [](S s) { return s.ase / s.assimpAse; }, " x");
  PrintRow(
      "LoadText (with normals)", sizes, [](S s) { return s.text; }, "  ");
  PrintRow(
      "assimp, OBJ file of the grid", sizes, [](S s) { return s.assimpObj; }, "  ");
  PrintRow(
      "LoadText / assimp OBJ", sizes, [](S s) { return s.text / s.assimpObj; }, " x");
  PrintRow(
      "LoadBinary", sizes, [](S s) { return s.binary; }, "  ");
  PrintRow(
      "reading the binary file alone", sizes, [](S s) { return s.readBinary; }, "  ");
  PrintRow(
      "LoadBinary / reading", sizes, [](S s) { return s.binary / s.readBinary; }, " x");
  PrintRow(
      "SaveBinary", sizes, [](S s) { return s.save; }, "  ");
  PrintRow(
      "vertex normals alone", sizes, [](S s) { return s.normals; }, "  ");
  PrintRow(
      "normals per million triangles", sizes, [](S s) { return s.normals * 1e6 / s.triangles; },
      "  ");
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Median frame times (clear, 3D pass, the grid drawn smooth, present) over about two seconds:
// frames lit as the pass sets them up, and, when asked, frames with the device's lighting switched
// off in between them, so that a change of the machine's load weighs on both alike.
struct FrameTimes {
  double lit = 0, unlit = 0;
};

FrameTimes MedianFrames(int renderer, const std::string& meshPath, float scale, bool alsoUnlit) {
  std::unique_ptr<KWindow> window(KFactory::CreateWindowObject(renderer, true));
  if (!window || !window->CreateGameWindow(640, 480, 32, true, "mesh_bench")) {
    std::fprintf(stderr, "mesh_bench: no window for renderer %d\n", renderer);
    std::exit(1);
  }
  std::unique_ptr<KObject3D> object(KFactory::CreateObject3D());
  if (!object->LoadText(meshPath.c_str(), 1, false)) {
    std::fprintf(stderr, "mesh_bench: %s did not load\n", meshPath.c_str());
    std::exit(1);
  }
  object->SetScale(scale, scale, scale);
  object->SetShadingMode(1);
  auto frameMs = [&](bool lightsOff) {
    const auto frameStart = std::chrono::steady_clock::now();
    window->SetWorldView(0, 0, 0, 1, true);
    object->Begin3D(true, false);
    if (lightsOff) g_dx3D.device->SetRenderState(D3DRENDERSTATE_LIGHTING, FALSE);
    object->Draw(0, 0, -40, -50, 0, 20);
    object->End3D();
    window->FlipBackBuffer(false, false);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - frameStart)
        .count();
  };
  std::vector<double> lit, unlit;
  const auto start = std::chrono::steady_clock::now();
  while (lit.size() < 5 || std::chrono::steady_clock::now() - start < std::chrono::seconds(2)) {
    lit.push_back(frameMs(false));
    if (alsoUnlit) unlit.push_back(frameMs(true));
  }
  return {Median(lit), alsoUnlit ? Median(unlit) : 0};
}

void PrintFrameTimes(const std::string& folder) {
  std::printf("A frame drawing the grid, median (milliseconds unless said)\n");
  std::printf("  %-34s%16s%16s%16s%16s\n", "triangles", "Direct3D", "unlit", "lit / unlit",
              "OpenGL");
  for (int side : {224, 708}) {
    const Grid grid{side};
    const std::string path = folder + "/frame.txt";
    WriteTextMesh(grid, path);
    const float scale = 20.0f / (side * 0.1f);
    const FrameTimes direct = MedianFrames(0, path, scale, true);
    const FrameTimes openGL = MedianFrames(1, path, scale, false);
    std::printf("  %-34d%14.2f  %14.2f  %14.2f x%14.2f\n", grid.Triangles(), direct.lit,
                direct.unlit, direct.lit / direct.unlit, openGL.lit);
    std::remove(path.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  platform::CaptureMessageBoxes(true);
  char folder[] = "/tmp/mesh_bench_XXXXXX";
  if (!mkdtemp(folder)) {
    std::fprintf(stderr, "mesh_bench: no temporary folder\n");
    return 1;
  }
  PrintFileTimes(folder, rounds);
  PrintFrameTimes(folder);
  std::remove(folder);
  return 0;
}
