// Damaged and hostile mesh files: every load fails at once and leaves no mesh.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "mesh_files.h"
#include "mesh_test_object.h"
#include "platform/message_boxes.h"
#include "temp_folder.h"

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

TEST(MeshHostileFiles, FailWithoutAMesh) {
  const std::string ase = SquareAse("\r\n", "*BITMAP \"w.png\"", true);
  const std::string text = SquareTextMesh("\n");
  const std::string nines(259, '9'), name(260, 'n');
  auto binary = [&](uint32_t vertices, uint32_t faces, size_t records) {
    return ByteWriter().Bytes(" d3k" + name).U32(vertices).U32(faces).Text() +
           std::string(records, '\0');
  };
  struct Row {
    char format;  // 'a' ASE, 't' text mesh, 'b' binary
    std::string bytes;
  } rows[] = {
      {'a', ""},
      {'a', Replaced(ase, "NUMVERTEX 4", "NUMVERTEX 4294967295")},
      {'a', Replaced(ase, "NUMVERTEX 4", "NUMVERTEX 2147483647")},
      {'a', Replaced(ase, "NUMFACES 2", "NUMFACES " + nines)},
      {'a', Replaced(ase, "NUMTVERTEX 4", "NUMTVERTEX 2147483647")},
      {'a', Replaced(ase, "2.0000\t4.0000", nines + "\t4")},
      {'a', Replaced(ase, "2.0000\t4.0000", "2\t" + std::string(40, '9'))},
      {'a', Replaced(ase, "C:    3", "C:    4")},
      {'a', Replaced(ase, "B:    2", "B:   -2")},
      {'a', Replaced(ase, "*MESH_VERTEX    3", "*MESH_VERTEX    x")},
      {'a', Replaced(ase, "*MESH_FACE    1", "*MESH_FACX    1")},
      {'a', Replaced(ase, "*MESH_TFACE 1", "*MESH_TFACE x")},
      {'a', ase.substr(0, ase.find("B:    2"))},
      {'a', ase.substr(0, ase.find("4.0000") + 3)},
      {'t', ""},
      {'t', Replaced(text, "0 0 4 vertices", "0 0 2147483647")},
      {'t', Replaced(text, "0.0 0.0 1.0\n2\n", "0.0 0.0 1.0\n2147483647\n")},
      {'t', Replaced(text, "0 1.0 0\n2\n", "0 1.0 0\n2147483647\n")},
      {'t', Replaced(text, "1 0  2  3", "1 0  2  -3")},
      {'t', Replaced(text, "3 0.0 4.0 0.0 0.0 1.0 0", "3 0.0 4.0")},
      {'t', Replaced(text, "2 2.0 4.0", "2 2.0 inf")},
      {'t', Replaced(text, "2 2.0 4.0", "2 2.0 " + nines)},
      {'t', text.substr(0, text.rfind("1 0  2") + 5)},
      {'b', ""},
      {'b', binary(0xFFFFFFFFu, 0xFFFFFFFFu, 0)},
      {'b', binary(1, 0xFFFFFFFFu, 24 + 96)},
  };
  MeshTestObject object;
  for (const Row& row : rows) {
    const char* data = row.bytes.data();
    const size_t size = row.bytes.size();
    const bool loaded = row.format == 'a'   ? object.LoadASEFromMemory("h", data, size, 1, true)
                        : row.format == 't' ? object.LoadTextFromMemory(data, size, 1)
                                            : object.LoadBinaryFromMemory("h", data, size, true);
    const std::string shown = row.bytes.substr(0, 120);
    EXPECT_FALSE(loaded) << shown;
    EXPECT_TRUE(object.HasNoMesh()) << shown;
    EXPECT_EQ(object.livePictures, 0) << shown;
  }
  platform::TakeMessageBoxes();
}

// A named pipe in place of a mesh file would block the reader until a writer came.
TEST(MeshHostileFiles, APipeIsNotReadAsAMeshFile) {
  TempFolder folder;
  const std::string pipe = folder.File("mesh");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  MeshTestObject object;
  EXPECT_FALSE(object.LoadASE(pipe.c_str(), 1, false));
  EXPECT_FALSE(object.LoadText(pipe.c_str(), 1, false));
  EXPECT_FALSE(object.LoadBinary(pipe.c_str(), false));
  platform::TakeMessageBoxes();
}

}  // namespace
