// Damaged and hostile mesh files: every load fails at once and leaves no mesh.
#include <gtest/gtest.h>

#include <string>

#include "mesh_files.h"
#include "mesh_test_object.h"
#include "platform/message_boxes.h"

namespace {

enum class Format { kAse, kText, kBinary };

struct Hostile {
  const char* name;
  Format format;
  std::string bytes;
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

std::string BinaryHeader(uint32_t vertexCount, uint32_t faceCount) {
  ByteWriter header;
  header.Bytes(" d3k", 4).Name(std::string(259, 'n'), 260).U32(vertexCount).U32(faceCount);
  return header.Text();
}

TEST(MeshHostileFiles, FailWithoutAMesh) {
  const std::string ase = SquareAse("\r\n", "*BITMAP \"w.png\"", true);
  const std::string text = SquareTextMesh("\n");
  const std::string digits259(259, '9');
  const Hostile rows[] = {
      {"empty ASE", Format::kAse, ""},
      {"ASE vertex count 2^32 - 1", Format::kAse,
       Replaced(ase, "NUMVERTEX 4", "NUMVERTEX 4294967295")},
      {"ASE vertex count 2^31 - 1", Format::kAse,
       Replaced(ase, "NUMVERTEX 4", "NUMVERTEX 2147483647")},
      {"ASE face count over the file", Format::kAse, Replaced(ase, "NUMFACES 2", "NUMFACES 99999")},
      {"ASE texture vertex count over the file", Format::kAse,
       Replaced(ase, "NUMTVERTEX 4", "NUMTVERTEX 2147483647")},
      {"ASE 259-digit count", Format::kAse, Replaced(ase, "NUMFACES 2", "NUMFACES " + digits259)},
      {"ASE 259-digit coordinate", Format::kAse,
       Replaced(ase, "2.0000\t4.0000", digits259 + "\t4")},
      {"ASE coordinate over float", Format::kAse,
       Replaced(ase, "2.0000\t4.0000", "2\t" + std::string(40, '9'))},
      {"ASE face index out of range", Format::kAse, Replaced(ase, "C:    3", "C:    4")},
      {"ASE negative face index", Format::kAse, Replaced(ase, "B:    2", "B:   -2")},
      {"ASE missing vertex", Format::kAse, Replaced(ase, "*MESH_VERTEX    3", "*MESH_VERTEX    x")},
      {"ASE missing face", Format::kAse, Replaced(ase, "*MESH_FACE    1", "*MESH_FACX    1")},
      {"ASE missing texture face", Format::kAse, Replaced(ase, "*MESH_TFACE 1", "*MESH_TFACE x")},
      {"ASE truncated in the faces", Format::kAse, ase.substr(0, ase.find("B:    2"))},
      {"ASE truncated in a number", Format::kAse, ase.substr(0, ase.find("4.0000") + 3)},
      {"empty text mesh", Format::kText, ""},
      {"text vertex count 2^31 - 1", Format::kText,
       Replaced(text, "0 0 4 vertices", "0 0 2147483647")},
      {"text triangle count 2^31 - 1", Format::kText,
       Replaced(text, "0.0 0.0 1.0\n2\n", "0.0 0.0 1.0\n2147483647\n")},
      {"text normal count 2^31 - 1", Format::kText,
       Replaced(text, "0 1.0 0\n2\n", "0 1.0 0\n2147483647\n")},
      {"text index out of range", Format::kText, Replaced(text, "1 0  2  3", "1 0  2  -3")},
      {"text vertex line too short", Format::kText,
       Replaced(text, "3 0.0 4.0 0.0 0.0 1.0 0", "3 0.0 4.0")},
      {"text infinite coordinate", Format::kText, Replaced(text, "2 2.0 4.0", "2 2.0 inf")},
      {"text coordinate over float", Format::kText,
       Replaced(text, "2 2.0 4.0", "2 2.0 " + digits259)},
      {"text truncated", Format::kText, text.substr(0, text.rfind("1 0  2") + 5)},
      {"empty binary", Format::kBinary, ""},
      {"binary counts 2^32 - 1", Format::kBinary, BinaryHeader(0xFFFFFFFFu, 0xFFFFFFFFu)},
      {"binary face count 2^32 - 1", Format::kBinary,
       BinaryHeader(1, 0xFFFFFFFFu) + std::string(24 + 96, '\0')},
  };
  MeshTestObject object;
  for (const Hostile& row : rows) {
    const char* data = row.bytes.data();
    const size_t size = row.bytes.size();
    bool loaded = true;
    switch (row.format) {
      case Format::kAse:
        loaded = object.LoadASEFromMemory("h.ase", data, size, 1, true);
        break;
      case Format::kText:
        loaded = object.LoadTextFromMemory(data, size, 1);
        break;
      case Format::kBinary:
        loaded = object.LoadBinaryFromMemory("h.bin", data, size, true);
        break;
    }
    EXPECT_FALSE(loaded) << row.name;
    EXPECT_TRUE(object.HasNoMesh()) << row.name;
    EXPECT_EQ(object.livePictures, 0) << row.name;
  }
  platform::TakeMessageBoxes();
}

}  // namespace
