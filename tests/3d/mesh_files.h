// Mesh files for the tests, written out byte by byte: a square of two triangles, 2 wide and 4
// high, in the ASE and text mesh formats, and a binary mesh laid out field by field.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// The lines joined, each ending with the line end.
inline std::string Lines(const std::vector<std::string>& lines, const std::string& end) {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

// The square in ASE form; bitmap is the "*BITMAP" line (none when empty) and textured adds the
// texture vertex and face lists. Its texture vertex 2 has v = 0.25.
inline std::string SquareAse(const std::string& end, const std::string& bitmap, bool textured) {
  std::vector<std::string> lines = {
      "*3DSMAX_ASCIIEXPORT\t200",
      "*MATERIAL_LIST {",
      "\t*MAP_DIFFUSE {",
      bitmap,
      "\t}",
      "}",
      "*GEOMOBJECT {",
      "\t*MESH {",
      "\t\t*MESH_NUMVERTEX 4",
      "\t\t*MESH_NUMFACES 2",
      "\t\t*MESH_VERTEX_LIST {",
      "\t\t\t*MESH_VERTEX    0\t0.0000\t0.0000\t0.0000",
      "\t\t\t*MESH_VERTEX    1\t2.0000\t0.0000\t0.0000",
      "\t\t\t*MESH_VERTEX    2\t2.0000\t4.0000\t0.0000",
      "\t\t\t*MESH_VERTEX    3\t0.0000\t4.0000\t0.0000",
      "\t\t}",
      "\t\t*MESH_FACE_LIST {",
      "\t\t\t*MESH_FACE    0:    A:    0 B:    1 C:    2 AB:    1 BC:    1 CA:    0\t "
      "*MESH_SMOOTHING 1 \t*MESH_MTLID 0",
      "\t\t\t*MESH_FACE    1:    A:    0 B:    2 C:    3 AB:    1 BC:    1 CA:    0\t "
      "*MESH_SMOOTHING 1 \t*MESH_MTLID 0",
      "\t\t}",
  };
  if (textured) {
    for (const char* line :
         {"\t\t*MESH_NUMTVERTEX 4", "\t\t*MESH_TVERTLIST {", "\t\t\t*MESH_TVERT 0\t0.0\t0.0\t0.0",
          "\t\t\t*MESH_TVERT 1\t1.0\t0.0\t0.0", "\t\t\t*MESH_TVERT 2\t1.0\t0.25\t0.0",
          "\t\t\t*MESH_TVERT 3\t0.0\t1.0\t0.0", "\t\t}", "\t\t*MESH_NUMTVFACES 2",
          "\t\t*MESH_TFACELIST {", "\t\t\t*MESH_TFACE 0\t0\t1\t2", "\t\t\t*MESH_TFACE 1\t0\t2\t3",
          "\t\t}"}) {
      lines.push_back(line);
    }
  }
  lines.push_back("\t}");
  lines.push_back("}");
  if (bitmap.empty()) lines.erase(lines.begin() + 3);
  return Lines(lines, end);
}

// The square in the text mesh format.
inline std::string SquareTextMesh(const std::string& end) {
  return Lines(
      {"3D text mesh", "object\" 0 0 4 vertices", "0 0.0 0.0 0.0 0.0 0.0 0",
       "1\t2.0\t0.0\t0.0\t1.0\t0.0\t0", "2 2.0 4.0 0.0 1.0 1.0 0", "3 0.0 4.0 0.0 0.0 1.0 0", "2",
       "0.0 0.0 1.0", "0.0 0.0 1.0", "2", "0 0  1  2  0  0  0  0", "1 0  2  3  0  0  0  0"},
      end);
}

// Little-endian fields appended one by one.
class ByteWriter {
 public:
  ByteWriter& Bytes(const void* data, size_t size) {
    bytes_.append(static_cast<const char*>(data), size);
    return *this;
  }
  ByteWriter& U32(uint32_t value) {
    const unsigned char le[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    return Bytes(le, 4);
  }
  ByteWriter& Float(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return U32(bits);
  }
  ByteWriter& Floats(std::initializer_list<float> values) {
    for (float value : values) Float(value);
    return *this;
  }
  // A zero-terminated name padded with zeros to the field's size.
  ByteWriter& Name(const std::string& name, size_t field) {
    bytes_ += name;
    bytes_.append(field - name.size(), '\0');
    return *this;
  }
  const std::string& Text() const { return bytes_; }

 private:
  std::string bytes_;
};
