// Loading the ASE and text mesh formats, and saving and loading binary meshes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MeshItems.h"
#include "mesh_files.h"
#include "mesh_test_object.h"
#include "platform/files.h"
#include "platform/message_boxes.h"
#include "temp_folder.h"

namespace {

using Strings = std::vector<std::string>;
using Floats = std::vector<float>;

class MeshFormats : public testing::Test {
 protected:
  void SetUp() override { platform::TakeMessageBoxes(); }

  // The boxes shown since the last call, "caption: text" each.
  Strings Boxes() {
    Strings shown;
    for (const auto& box : platform::TakeMessageBoxes())
      shown.push_back(box.caption + ": " + box.text);
    return shown;
  }

  // The square as every loader gives it: centred on its box, facing +z.
  void ExpectSquare() {
    const std::vector<KMeshVertex> v = object.Vertices();
    ASSERT_EQ(v.size(), 4u);
    Floats positions, normals;
    for (const KMeshVertex& p : v) positions.insert(positions.end(), {p.x, p.y, p.z});
    for (const KMeshVertex& p : v) normals.insert(normals.end(), {p.nx, p.ny, p.nz});
    EXPECT_EQ(positions, Floats({-1, -2, 0, 1, -2, 0, 1, 2, 0, -1, 2, 0}));
    EXPECT_EQ(normals, Floats({0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}));
    Floats faces;
    for (const KMeshFace& f : object.Faces())
      faces.insert(faces.end(), {float(f.a), float(f.b), float(f.c), f.nx, f.ny, f.nz});
    EXPECT_EQ(faces, Floats({0, 1, 2, 0, 0, 1, 0, 2, 3, 0, 0, 1}));
  }

  Floats Corners() {
    Floats uv;
    for (const KMeshFace& face : object.Faces()) {
      for (const KMeshCorner& corner : face.corners) uv.insert(uv.end(), {corner.u, corner.v});
    }
    return uv;
  }

  bool LoadAse(const std::string& text, float scale = 1, bool loadTexture = false) {
    return object.LoadASEFromMemory("m.ase", text.data(), text.size(), scale, loadTexture);
  }

  TempFolder folder;
  MeshTestObject object;
};

const Floats kSquareCorners = {0, 1, 1, 1, 1, 0.75f, 0, 1, 1, 0.75f, 0, 0};

TEST_F(MeshFormats, AseFilesLoadWithEitherLineEndTheirTextureFirstAndVTurnedOver) {
  for (const char* end : {"\r\n", "\n"}) {
    object.events.clear();
    const std::string path =
        folder.Write("mesh/box.ase", SquareAse(end, "*BITMAP \"E:/maps/wood.png\"", true));
    ASSERT_TRUE(object.LoadASE(path.c_str(), 1.0f, true));
    ExpectSquare();
    EXPECT_EQ(Corners(), kSquareCorners);
    EXPECT_EQ(object.TextureName(), "E:/maps/wood.png");
    EXPECT_EQ(object.events, Strings({"LoadPicture " + folder.WindowsPath() + "\\mesh\\wood.png",
                                      "MeshLoaded 4 2"}));
    EXPECT_TRUE(object.OwnsTexture());
    EXPECT_EQ(object.livePictures, 1) << "the earlier load's picture is gone";
  }
  EXPECT_EQ(Boxes(), Strings());
}

TEST_F(MeshFormats, TheBitmapEntryGivesTheTextureNameThePictureAndTheTextureCoordinates) {
  struct Row {
    const char* bitmap;
    bool loadTexture, picturesLoad;
    const char* name;
    const char* picture;  // asked for in the mesh's folder; null: none made
    Strings boxes;
  } rows[] = {
      {"*BITMAP \"w.png\"", true, true, "w.png", "w.png", {}},
      {"", true, true, "", nullptr, {}},  // also forgets the name before
      {"*BITMAP \"C:\\maps\\w.png\"", false, true, "C:\\maps\\w.png", nullptr, {}},
      {"*BITMAP \"w.png\"", true, false, "w.png", "w.png", {"Could not load texture: "}},
      {"*BITMAP \"\"", true, true, "", nullptr, {}},
      {"*BITMAP \"w.png", true, true, "", nullptr, {}},
  };
  for (const Row& row : rows) {
    object.picturesLoad = row.picturesLoad;
    object.events.clear();
    const std::string path = folder.Write("box.ase", SquareAse("\n", row.bitmap, true));
    ASSERT_TRUE(object.LoadASE(path.c_str(), 1.0f, row.loadTexture)) << row.bitmap;
    EXPECT_EQ(object.TextureName(), row.name);
    Strings events = {"MeshLoaded 4 2"};
    if (row.picture)
      events.insert(events.begin(), "LoadPicture " + folder.WindowsPath() + "\\" + row.picture);
    EXPECT_EQ(object.events, events) << row.bitmap;
    EXPECT_EQ(object.OwnsTexture(), row.picture != nullptr);
    EXPECT_EQ(Boxes(), row.boxes) << row.bitmap;
    EXPECT_EQ(Corners(), *row.bitmap ? kSquareCorners : Floats(12, 0.0f)) << row.bitmap;
  }
  EXPECT_EQ(object.livePictures, 0);
}

TEST_F(MeshFormats, TexturePathsAreTheMeshFolderAndTheTextureNamesLastComponent) {
  const std::string longFolder = "D:\\" + std::string(277, 'f');
  const std::string longName(259, 'n');
  struct Row {
    std::string mesh, texture, path;
  } rows[] = {
      {"D:\\game\\mesh\\box.ase", "E:/maps/wood.png", "D:\\game\\mesh\\wood.png"},
      {"D:\\game\\mesh\\box.ase", "wood.png", "D:\\game\\mesh\\wood.png"},
      {"/home/me/box.ase", "E:wood.png", "\\home\\me\\wood.png"},
      {"\\box.ase", "\\wood.png", "\\wood.png"},
      {"box.ase", "maps\\wood.png", "wood.png"},
      {longFolder + "\\box.ase", longName, (longFolder + "\\" + longName).substr(0, 299)},
  };
  for (const Row& row : rows) {
    char path[300];
    BuildTexturePath(row.mesh.c_str(), row.texture.c_str(), path, sizeof path);
    EXPECT_EQ(path, row.path) << row.mesh << " " << row.texture;
  }
}

TEST_F(MeshFormats, AseMessagesAndTheLoadsThatGoOnAfterThem) {
  const std::string square = SquareAse("\r\n", "*BITMAP \"w.png\"", true);
  auto edited = [&](const std::string& from, const std::string& to) {
    return std::string(square).replace(square.find(from), from.size(), to);
  };
  struct Row {
    std::string text;
    bool loads;
    Strings boxes;
  } rows[] = {
      {edited("*MESH_NUMFACES 2", "*MESH_NUMFACES\t2"), false, {"No faces in this asc: "}},
      {edited("*MESH_NUMVERTEX 4", "*MESH_NUMVERTEX 0"), false, {"No Vertices: "}},
      {edited("*MESH_FACE_LIST {", "{"), true, {"no faces node found! (*MESH_FACE_LIST): "}},
      {edited("*MESH_NUMTVFACES 2", "*MESH_NUMTVFACES 3") + "*MESH_TFACE 2 0 0 0\n",
       true,
       {"Texture mapping count doesn't match polygon count: "}},
      {"*MESH_NUMVERTEX", false, {"Missing chunk: *MESH_NUMVERTEX", "No Vertices: "}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(LoadAse(row.text), row.loads);
    EXPECT_EQ(Boxes(), row.boxes) << row.text;
  }
}

TEST_F(MeshFormats, AseScaleComesBeforeCentringAndUnknownTextureVerticesGiveZeroOne) {
  ASSERT_TRUE(LoadAse(SquareAse("\n", "", false), 3.0f));
  EXPECT_EQ(object.Vertices()[2].x, 3.0f);
  EXPECT_EQ(object.Vertices()[2].y, 6.0f);

  std::string ase = SquareAse("\n", "*BITMAP \"w.png\"", true);
  ase.replace(ase.find("*MESH_TFACE 1\t0\t2\t3"), 19, "*MESH_TFACE 1\t4\t-1\t2");
  ASSERT_TRUE(LoadAse(ase));
  const Floats uv = Corners();
  EXPECT_EQ(Floats(uv.begin() + 6, uv.end()), Floats({0, 1, 0, 1, 1, 0.75f}));

  ase.replace(ase.find("*MESH_TVERT 3"), 13, "*MESH_TVERX 3");
  EXPECT_FALSE(LoadAse(ase, 1, true)) << "a missing texture vertex";
  EXPECT_TRUE(object.HasNoMesh());
  EXPECT_EQ(object.livePictures, 0);
}

TEST_F(MeshFormats, TextMeshesLoadWithEitherLineEndAndReportTheirCounts) {
  for (const char* end : {"\r\n", "\n"}) {
    object.events.clear();
    ASSERT_TRUE(object.LoadText(folder.Write("square.txt", SquareTextMesh(end)).c_str(), 1, true));
    ExpectSquare();
    EXPECT_EQ(Corners(), Floats(12, 0.0f));
    EXPECT_EQ(object.events, Strings({"MeshLoaded 4 2"}));
  }
  std::string noFaces = SquareTextMesh("\n");
  noFaces.replace(noFaces.rfind("\n2\n"), 3, "\n0\n");
  EXPECT_FALSE(object.LoadTextFromMemory(noFaces.data(), noFaces.size(), 1));
  EXPECT_FALSE(object.LoadTextFromMemory("object 0 0 4\n", 13, 1));
  EXPECT_FALSE(object.LoadText(folder.File("missing.txt").c_str(), 1, false));
  EXPECT_FALSE(object.LoadASE(folder.Path().c_str(), 1, false));
  EXPECT_EQ(Boxes(), Strings({"No faces in this asc: ", "No Vertices: ",
                              "File not found: " + folder.File("missing.txt"),
                              "File not found: " + folder.Path()}));
  EXPECT_TRUE(object.HasNoMesh());
}

// The square as saved after the textured ASE load, laid out field by field.
std::string SquareBinary(const std::string& magic, const std::string& name) {
  ByteWriter file;
  file.Bytes(magic).Name(name, 260).U32(4).U32(2);
  file.Floats({-1, -2, 0, 0, 0, 1, 1, -2, 0, 0, 0, 1, 1, 2, 0, 0, 0, 1, -1, 2, 0, 0, 0, 1});
  const uint32_t corners[6] = {0, 1, 2, 0, 2, 3};
  for (int f = 0; f < 2; ++f) {
    file.U32(corners[3 * f]).U32(corners[3 * f + 1]).U32(corners[3 * f + 2]).Floats({0, 0, 1});
    for (int k = 0; k < 3; ++k) {
      const float* uv = &kSquareCorners[6 * f + 2 * k];
      file.Floats({uv[0], uv[1]}).Name("", 16);
    }
  }
  return file.Text();
}

TEST_F(MeshFormats, SaveBinaryWritesTheHeaderAndTheRecordsFieldByField) {
  ASSERT_TRUE(LoadAse(SquareAse("\n", "*BITMAP \"w.png\"", true)));
  for (const char* magic : {" d3k", " D3K"}) {
    object.magic = magic;
    ASSERT_TRUE(object.SaveBinary(folder.File("square.bin").c_str()));
    EXPECT_EQ(folder.Read("square.bin"), SquareBinary(magic, "w.png"));
  }
}

TEST_F(MeshFormats, BinaryLoadsKeepEveryByteAndRoundTripsAreExact) {
  std::string file = SquareBinary("XXXX", "w.png");
  file.replace(file.size() - 16, 4, "\x01\x02\x03\x04", 4);  // a reserved word of a corner
  ASSERT_TRUE(object.LoadBinary(folder.Write("any.bin", file).c_str(), false));
  EXPECT_EQ(object.TextureName(), "w.png");
  EXPECT_EQ(object.events, Strings({"MeshLoaded 4 2"}));
  object.magic = "XXXX";
  ASSERT_TRUE(object.SaveBinary(folder.File("again.bin").c_str()));
  EXPECT_EQ(folder.Read("again.bin"), file);

  ASSERT_TRUE(
      object.LoadText(folder.Write("square.txt", SquareTextMesh("\r\n")).c_str(), 2.5f, false));
  ASSERT_TRUE(object.SaveBinary(folder.File("first.bin").c_str()));
  ASSERT_TRUE(object.LoadBinary(folder.File("first.bin").c_str(), false));
  ASSERT_TRUE(object.SaveBinary(folder.File("second.bin").c_str()));
  EXPECT_EQ(folder.Read("second.bin"), folder.Read("first.bin"));
  EXPECT_EQ(folder.Read("first.bin").size(), 272u + 4 * 24 + 2 * 96);
}

TEST_F(MeshFormats, BinaryTexturesLoadAfterTheMeshEvenWithAnEmptyName) {
  const std::string path = folder.Write("m/nameless.bin", SquareBinary(" d3k", ""));
  ASSERT_TRUE(object.LoadBinary(path.c_str(), true));
  EXPECT_EQ(object.events,
            Strings({"MeshLoaded 4 2", "LoadPicture " + folder.WindowsPath() + "\\m\\"}));
  object.picturesLoad = false;
  ASSERT_TRUE(object.LoadBinary(path.c_str(), true));
  object.makePictures = false;
  ASSERT_TRUE(object.LoadBinary(path.c_str(), true));
  EXPECT_EQ(object.Texture(), nullptr);
  EXPECT_EQ(Boxes(), Strings({"Could not load texture: ", "Could not load texture: "}));
}

TEST_F(MeshFormats, BinaryFailuresLeaveNoMesh) {
  const std::string square = SquareBinary(" d3k", "w.png");
  std::string badIndex = square;
  badIndex.replace(272 + 4 * 24 + 96 + 8, 4, ByteWriter().U32(4).Text());
  const std::string counts = "Error: Error _faceCount <= 0 || _pointCount <= 0";
  struct Row {
    std::string name, file;
    Strings boxes;
  } rows[] = {
      {"empty", "", {counts}},
      {"no faces", square.substr(0, 268) + std::string(4, '\0'), {counts}},
      {"short header", square.substr(0, 271), {counts}},
      {"short vertices", square.substr(0, 272 + 4 * 24 - 1), {"Error: Error meshPtr==NULL"}},
      {"short faces", square.substr(0, square.size() - 1), {"Error: Error meshFacesPtr==NULL"}},
      {"vertex index 4 of 4", badIndex, {}},
  };
  for (const Row& row : rows) {
    EXPECT_FALSE(object.LoadBinary(folder.Write("bad.bin", row.file).c_str(), true)) << row.name;
    EXPECT_TRUE(object.HasNoMesh()) << row.name;
    EXPECT_EQ(Boxes(), row.boxes) << row.name;
  }
  EXPECT_FALSE(object.LoadBinary(folder.File("missing.bin").c_str(), true));
  EXPECT_EQ(Boxes(), Strings());
  EXPECT_EQ(object.livePictures, 0);
}

TEST_F(MeshFormats, SaveBinaryRefusesAnEmptyMeshAndReportsFailedWrites) {
  EXPECT_FALSE(object.SaveBinary(folder.File("empty.bin").c_str()));
  EXPECT_FALSE(platform::GetFileInfo(folder.File("empty.bin").c_str()).exists);
  ASSERT_TRUE(LoadAse(SquareAse("\n", "", false)));
  EXPECT_FALSE(object.SaveBinary(folder.Path().c_str())) << "a folder";
  EXPECT_FALSE(object.SaveBinary(folder.File("no/such/folder.bin").c_str()));
  if (platform::GetFileInfo("/dev/full").exists) {
    EXPECT_FALSE(object.SaveBinary("/dev/full")) << "a device without space";
  }
}

}  // namespace
