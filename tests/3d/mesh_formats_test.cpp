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

std::string Box(const platform::MessageBoxRecord& box) {
  return box.caption + ": " + box.text;
}

class MeshFormats : public testing::Test {
 protected:
  void SetUp() override { platform::TakeMessageBoxes(); }

  // The boxes shown since the last call, "caption: text" each.
  std::vector<std::string> Boxes() {
    std::vector<std::string> shown;
    for (const auto& box : platform::TakeMessageBoxes()) shown.push_back(Box(box));
    return shown;
  }

  // The square as every loader must give it: centred on its box, facing +z.
  void ExpectSquare() {
    const std::vector<KMeshVertex> v = object.Vertices();
    ASSERT_EQ(v.size(), 4u);
    const float expected[4][2] = {{-1, -2}, {1, -2}, {1, 2}, {-1, 2}};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(v[i].x, expected[i][0]);
      EXPECT_EQ(v[i].y, expected[i][1]);
      EXPECT_EQ(v[i].z, 0.0f);
      EXPECT_EQ(v[i].nz, 1.0f) << "vertex normal " << i;
    }
    const std::vector<KMeshFace> f = object.Faces();
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(std::vector<uint32_t>({f[0].a, f[0].b, f[0].c, f[1].a, f[1].b, f[1].c}),
              std::vector<uint32_t>({0, 1, 2, 0, 2, 3}));
    EXPECT_EQ(f[1].nz, 1.0f);
  }

  std::vector<float> Corners() {
    std::vector<float> uv;
    for (const KMeshFace& face : object.Faces()) {
      for (const KMeshCorner& corner : face.corners) {
        uv.push_back(corner.u);
        uv.push_back(corner.v);
      }
    }
    return uv;
  }

  TempFolder folder;
  MeshTestObject object;
};

TEST_F(MeshFormats, AnAseFileLoadsWithAnyLineEndWithItsTextureAndTurnedOverV) {
  for (const char* end : {"\r\n", "\n"}) {
    const std::string ase = SquareAse(end, "\t\t*BITMAP \"E:/maps/wood.png\"", true);
    const std::string path = folder.Write("mesh/box.ase", ase);
    ASSERT_TRUE(object.LoadASE(path.c_str(), 1.0f, true));
    ExpectSquare();
    EXPECT_EQ(Corners(), std::vector<float>({0, 1, 1, 1, 1, 0.75f, 0, 1, 1, 0.75f, 0, 0}));
    EXPECT_EQ(object.TextureName(), "E:/maps/wood.png");
    const std::string picture = "LoadPicture " + folder.WindowsPath() + "\\mesh\\wood.png";
    EXPECT_EQ(object.events, std::vector<std::string>({picture, "MeshLoaded 4 2"}));
    EXPECT_TRUE(object.OwnsTexture());
    EXPECT_EQ(object.livePictures, 1);
    EXPECT_EQ(Boxes(), std::vector<std::string>());
    object.events.clear();
  }
}

TEST_F(MeshFormats, AnAseFileWithoutBitmapHasNoTextureAndReadsNoTextureCoordinates) {
  const std::string path = folder.Write("plain.ase", SquareAse("\r\n", "", true));
  ASSERT_TRUE(object.LoadASE(path.c_str(), 1.0f, true));
  ExpectSquare();
  EXPECT_EQ(Corners(), std::vector<float>(12, 0.0f));
  EXPECT_EQ(object.Texture(), nullptr);
  EXPECT_EQ(object.events, std::vector<std::string>({"MeshLoaded 4 2"}));
}

TEST_F(MeshFormats, TextureNamesAndPicturesFollowTheBitmapEntry) {
  struct Row {
    const char* bitmap;
    bool loadTexture;
    bool picturesLoad;
    const char* name;
    const char* picture;  // the file name asked for in the mesh's folder; null: none
    std::vector<std::string> boxes;
  } rows[] = {
      {"*BITMAP \"wood.png\"", true, true, "wood.png", "wood.png", {}},
      {"*BITMAP \"C:\\maps\\wood.png\"", false, true, "C:\\maps\\wood.png", nullptr, {}},
      {"*BITMAP \"wood.png\"", true, false, "wood.png", "wood.png", {"Could not load texture: "}},
      {"*BITMAP \"\"", true, true, "", nullptr, {}},
      {"*BITMAP \"wood.png", true, true, "", nullptr, {}},
  };
  for (const Row& row : rows) {
    object.picturesLoad = row.picturesLoad;
    object.events.clear();
    const std::string path = folder.Write("box.ase", SquareAse("\n", row.bitmap, true));
    ASSERT_TRUE(object.LoadASE(path.c_str(), 1.0f, row.loadTexture)) << row.bitmap;
    EXPECT_EQ(object.TextureName(), row.name);
    std::vector<std::string> expected;
    if (row.picture) expected.push_back("LoadPicture " + folder.WindowsPath() + "\\" + row.picture);
    expected.push_back("MeshLoaded 4 2");
    EXPECT_EQ(object.events, expected) << row.bitmap;
    EXPECT_EQ(object.OwnsTexture(), row.picture != nullptr);
    EXPECT_EQ(Boxes(), row.boxes) << row.bitmap;
    EXPECT_EQ(Corners()[5], 0.75f) << "texture coordinates are read: " << row.bitmap;
  }
  EXPECT_EQ(object.livePictures, 0);
}

TEST_F(MeshFormats, TexturePathsAreTheMeshFolderAndTheTextureNamesLastComponent) {
  const std::string longFolder = "D:\\" + std::string(277, 'f');
  const std::string longMesh = longFolder + "\\box.ase";
  struct Row {
    const char* mesh;
    std::string texture;
    std::string path;
  } rows[] = {
      {"D:\\game\\mesh\\box.ase", "E:/maps/wood.png", "D:\\game\\mesh\\wood.png"},
      {"D:\\game\\mesh\\box.ase", "wood.png", "D:\\game\\mesh\\wood.png"},
      {"/home/me/box.ase", "E:wood.png", "\\home\\me\\wood.png"},
      {"\\box.ase", "\\wood.png", "\\wood.png"},
      {"box.ase", "maps\\wood.png", "wood.png"},
      {"box.ase", "", ""},
      {longMesh.c_str(), std::string(259, 'n'),
       (longFolder + "\\" + std::string(259, 'n')).substr(0, 299)},
  };
  for (const Row& row : rows) {
    char path[300];
    BuildTexturePath(row.mesh, row.texture.c_str(), path, sizeof path);
    EXPECT_EQ(path, row.path) << row.mesh << " " << row.texture;
  }
}

TEST_F(MeshFormats, ScaleComesBeforeCentringAndFailedTextureParsingDropsThePicture) {
  const std::string ase = SquareAse("\n", "*BITMAP \"wood.png\"", false);
  ASSERT_TRUE(object.LoadASEFromMemory("box.ase", ase.data(), ase.size(), 3.0f, false));
  EXPECT_EQ(object.Vertices()[2].x, 3.0f);
  EXPECT_EQ(object.Vertices()[2].y, 6.0f);

  std::string broken = SquareAse("\n", "*BITMAP \"wood.png\"", true);
  broken.replace(broken.find("*MESH_TVERT 3"), 13, "*MESH_TVERX 3");
  EXPECT_FALSE(object.LoadASEFromMemory("box.ase", broken.data(), broken.size(), 1.0f, true));
  EXPECT_TRUE(object.HasNoMesh());
  EXPECT_EQ(object.livePictures, 0);
}

TEST_F(MeshFormats, AseMessagesAndTheLoadsThatGoOnAfterThem) {
  const std::string square = SquareAse("\r\n", "*BITMAP \"w.png\"", true);
  auto edited = [&](const std::string& from, const std::string& to) {
    std::string text = square;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  struct Row {
    std::string text;
    bool loads;
    std::vector<std::string> boxes;
  } rows[] = {
      {edited("*MESH_NUMFACES 2", "*MESH_NUMFACES\t2"), false, {"No faces in this asc: "}},
      {edited("*MESH_NUMVERTEX 4", "*MESH_NUMVERTEX 0"), false, {"No Vertices: "}},
      {edited("*MESH_FACE_LIST {", "{"), true, {"no faces node found! (*MESH_FACE_LIST): "}},
      {edited("*MESH_NUMTVFACES 2", "*MESH_NUMTVFACES 1"), true, {}},
      {edited("*MESH_NUMTVFACES 2", "*MESH_NUMTVFACES 3") + "*MESH_TFACE 2 0 0 0\n",
       true,
       {"Texture mapping count doesn't match polygon count: "}},
      {"*MESH_NUMVERTEX", false, {"Missing chunk: *MESH_NUMVERTEX", "No Vertices: "}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(object.LoadASEFromMemory("m.ase", row.text.data(), row.text.size(), 1, false),
              row.loads);
    EXPECT_EQ(Boxes(), row.boxes) << row.text;
  }
}

TEST_F(MeshFormats, TextureIndicesOutsideTheListGiveTheCornerZeroOne) {
  std::string ase = SquareAse("\n", "*BITMAP \"w.png\"", true);
  ase.replace(ase.find("*MESH_TFACE 1\t0\t2\t3"), 19, "*MESH_TFACE 1\t4\t-1\t2");
  ASSERT_TRUE(object.LoadASEFromMemory("m.ase", ase.data(), ase.size(), 1, false));
  const std::vector<float> uv = Corners();
  EXPECT_EQ(std::vector<float>(uv.begin() + 6, uv.end()),
            std::vector<float>({0, 1, 0, 1, 1, 0.75f}));
}

TEST_F(MeshFormats, ALoadForgetsTheTextureNameOfTheMeshBefore) {
  const std::string textured = SquareAse("\n", "*BITMAP \"w.png\"", false);
  const std::string plain = SquareAse("\n", "", false);
  ASSERT_TRUE(object.LoadASEFromMemory("m.ase", textured.data(), textured.size(), 1, false));
  ASSERT_EQ(object.TextureName(), "w.png");
  ASSERT_TRUE(object.LoadASEFromMemory("m.ase", plain.data(), plain.size(), 1, false));
  EXPECT_EQ(object.TextureName(), "");
}

TEST_F(MeshFormats, ATextMeshLoadsWithCrLfOrLfLineEnds) {
  for (const char* end : {"\r\n", "\n"}) {
    const std::string path = folder.Write("square.txt", SquareTextMesh(end));
    ASSERT_TRUE(object.LoadText(path.c_str(), 1.0f, true)) << "line end " << int(end[0]);
    ExpectSquare();
    EXPECT_EQ(Corners(), std::vector<float>(12, 0.0f));
    EXPECT_EQ(object.events, std::vector<std::string>({"MeshLoaded 4 2"}));
    object.events.clear();
  }
  EXPECT_EQ(Boxes(), std::vector<std::string>());
}

TEST_F(MeshFormats, TextMeshCountsAndMissingFiles) {
  std::string noFaces = SquareTextMesh("\n");
  noFaces.replace(noFaces.rfind("\n2\n"), 3, "\n0\n");
  EXPECT_FALSE(object.LoadTextFromMemory(noFaces.data(), noFaces.size(), 1));
  const std::string noTag = "object 0 0 4\n";
  EXPECT_FALSE(object.LoadTextFromMemory(noTag.data(), noTag.size(), 1));
  EXPECT_FALSE(object.LoadText((folder.Path() + "/missing.txt").c_str(), 1, false));
  EXPECT_FALSE(object.LoadASE(folder.Path().c_str(), 1, false));
  EXPECT_EQ(Boxes(), std::vector<std::string>({"No faces in this asc: ", "No Vertices: ",
                                               "File not found: " + folder.Path() + "/missing.txt",
                                               "File not found: " + folder.Path()}));
  EXPECT_TRUE(object.HasNoMesh());
}

// The binary file of the square as loaded from ASE with the texture "w.png".
std::string SquareBinary(const char* magic) {
  ByteWriter file;
  file.Bytes(magic, 4).Name("w.png", 260).U32(4).U32(2);
  const float xy[4][2] = {{-1, -2}, {1, -2}, {1, 2}, {-1, 2}};
  for (const auto& p : xy) file.Floats({p[0], p[1], 0, 0, 0, 1});
  const uint32_t corners[2][3] = {{0, 1, 2}, {0, 2, 3}};
  const float uv[2][6] = {{0, 1, 1, 1, 1, 0.75f}, {0, 1, 1, 0.75f, 0, 0}};
  for (int f = 0; f < 2; ++f) {
    file.U32(corners[f][0]).U32(corners[f][1]).U32(corners[f][2]).Floats({0, 0, 1});
    for (int k = 0; k < 3; ++k) file.Floats({uv[f][2 * k], uv[f][2 * k + 1]}).Name("", 16);
  }
  return file.Text();
}

TEST_F(MeshFormats, SaveBinaryWritesTheHeaderAndTheRecordsFieldByField) {
  const std::string ase = SquareAse("\n", "*BITMAP \"w.png\"", true);
  ASSERT_TRUE(object.LoadASEFromMemory("m.ase", ase.data(), ase.size(), 1, false));
  for (const char* magic : {" d3k", " D3K"}) {
    object.magic = magic;
    ASSERT_TRUE(object.SaveBinary(folder.File("square.bin").c_str()));
    EXPECT_EQ(folder.Read("square.bin"), SquareBinary(magic));
  }
}

TEST_F(MeshFormats, BinaryLoadsKeepEveryByteAndRoundTripsAreExact) {
  std::string file = SquareBinary("XXXX");
  file.replace(file.size() - 16, 4, "\x01\x02\x03\x04", 4);  // a reserved word of the last corner
  const std::string path = folder.Write("any.bin", file);
  ASSERT_TRUE(object.LoadBinary(path.c_str(), false));
  EXPECT_EQ(object.TextureName(), "w.png");
  EXPECT_EQ(object.events, std::vector<std::string>({"MeshLoaded 4 2"}));
  object.magic = "XXXX";
  ASSERT_TRUE(object.SaveBinary(folder.File("again.bin").c_str()));
  EXPECT_EQ(folder.Read("again.bin"), file);

  const std::string text = folder.Write("square.txt", SquareTextMesh("\r\n"));
  ASSERT_TRUE(object.LoadText(text.c_str(), 2.5f, false));
  ASSERT_TRUE(object.SaveBinary(folder.File("first.bin").c_str()));
  ASSERT_TRUE(object.LoadBinary(folder.File("first.bin").c_str(), false));
  ASSERT_TRUE(object.SaveBinary(folder.File("second.bin").c_str()));
  EXPECT_EQ(folder.Read("second.bin"), folder.Read("first.bin"));
  EXPECT_EQ(folder.Read("first.bin").size(), 272u + 4 * 24 + 2 * 96);
}

TEST_F(MeshFormats, BinaryTexturesLoadAfterTheMeshEvenWithAnEmptyName) {
  std::string file = SquareBinary(" d3k");
  file.replace(4, 5, std::string(5, '\0'));
  const std::string path = folder.Write("m/nameless.bin", file);
  ASSERT_TRUE(object.LoadBinary(path.c_str(), true));
  EXPECT_EQ(object.events,
            std::vector<std::string>(
                {"MeshLoaded 4 2", "LoadPicture " + folder.WindowsPath() + "\\m\\"}));
  object.picturesLoad = false;
  object.events.clear();
  ASSERT_TRUE(object.LoadBinary(path.c_str(), true));
  object.makePictures = false;
  ASSERT_TRUE(object.LoadBinary(path.c_str(), true));
  EXPECT_EQ(object.Texture(), nullptr);
  EXPECT_EQ(Boxes(),
            std::vector<std::string>({"Could not load texture: ", "Could not load texture: "}));
}

TEST_F(MeshFormats, BinaryFailures) {
  const std::string square = SquareBinary(" d3k");
  ByteWriter badIndex;
  badIndex.Bytes(square.data(), 272 + 4 * 24).U32(0).U32(1).U32(4);
  badIndex.Bytes(square.data() + 272 + 4 * 24 + 12, 2 * 96 - 12);
  struct Row {
    std::string name;
    std::string file;
    std::vector<std::string> boxes;
  } rows[] = {
      {"empty", "", {"Error: Error _faceCount <= 0 || _pointCount <= 0"}},
      {"no faces",
       square.substr(0, 268) + std::string(4, '\0'),
       {"Error: Error _faceCount <= 0 || _pointCount <= 0"}},
      {"short header", square.substr(0, 271), {"Error: Error _faceCount <= 0 || _pointCount <= 0"}},
      {"short vertices", square.substr(0, 272 + 4 * 24 - 1), {"Error: Error meshPtr==NULL"}},
      {"short faces", square.substr(0, square.size() - 1), {"Error: Error meshFacesPtr==NULL"}},
      {"vertex index 4 of 4", badIndex.Text(), {}},
  };
  for (const Row& row : rows) {
    const std::string path = folder.Write("bad.bin", row.file);
    EXPECT_FALSE(object.LoadBinary(path.c_str(), true)) << row.name;
    EXPECT_TRUE(object.HasNoMesh()) << row.name;
    EXPECT_EQ(Boxes(), row.boxes) << row.name;
  }
  EXPECT_FALSE(object.LoadBinary(folder.File("missing.bin").c_str(), true));
  EXPECT_EQ(object.livePictures, 0);
  EXPECT_EQ(Boxes(), std::vector<std::string>());
}

TEST_F(MeshFormats, SaveBinaryRefusesAnEmptyMeshAndReportsFailedWrites) {
  EXPECT_FALSE(object.SaveBinary(folder.File("empty.bin").c_str()));
  EXPECT_FALSE(platform::GetFileInfo(folder.File("empty.bin").c_str()).exists);
  const std::string text = SquareTextMesh("\n");
  ASSERT_TRUE(object.LoadTextFromMemory(text.data(), text.size(), 1));
  EXPECT_FALSE(object.SaveBinary(folder.Path().c_str())) << "a folder";
  EXPECT_FALSE(object.SaveBinary(folder.File("no/such/folder.bin").c_str()));
  if (platform::GetFileInfo("/dev/full").exists) {
    EXPECT_FALSE(object.SaveBinary("/dev/full")) << "a device without space";
  }
}

}  // namespace
