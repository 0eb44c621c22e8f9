// Mesh files for the tests, written byte by byte: a square of two triangles, 2 wide and 4 high,
// in the ASE and text mesh formats, and little-endian fields for binary meshes.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

// The text with every LF turned into the line end.
inline std::string WithLineEnds(const std::string& text, const std::string& end) {
  std::string out;
  for (char c : text) out += c == '\n' ? end : std::string(1, c);
  return out;
}

// The square in ASE form: the bitmap line (none when empty), and when textured the texture
// vertex and face lists, where texture vertex 2 has v = 0.25.
inline std::string SquareAse(const std::string& end, const std::string& bitmap, bool textured) {
  std::string text = "*3DSMAX_ASCIIEXPORT\t200\n*MATERIAL_LIST {\n" + bitmap +
                     "\n}\n*GEOMOBJECT {\n*MESH {\n\t*MESH_NUMVERTEX 4\n\t*MESH_NUMFACES 2\n"
                     "\t*MESH_VERTEX_LIST {\n"
                     "\t\t*MESH_VERTEX    0\t0.0000\t0.0000\t0.0000\n"
                     "\t\t*MESH_VERTEX    1\t2.0000\t0.0000\t0.0000\n"
                     "\t\t*MESH_VERTEX    2\t2.0000\t4.0000\t0.0000\n"
                     "\t\t*MESH_VERTEX    3\t0.0000\t4.0000\t0.0000\n\t}\n\t*MESH_FACE_LIST {\n";
  for (const char* corners : {"0:    A:    0 B:    1 C:    2", "1:    A:    0 B:    2 C:    3"}) {
    text += std::string("\t\t*MESH_FACE    ") + corners +
            " AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\n";
  }
  text += "\t}\n";
  if (textured) {
    text +=
        "\t*MESH_NUMTVERTEX 4\n\t*MESH_TVERTLIST {\n\t\t*MESH_TVERT 0\t0.0\t0.0\t0.0\n"
        "\t\t*MESH_TVERT 1\t1.0\t0.0\t0.0\n\t\t*MESH_TVERT 2\t1.0\t0.25\t0.0\n"
        "\t\t*MESH_TVERT 3\t0.0\t1.0\t0.0\n\t}\n\t*MESH_NUMTVFACES 2\n\t*MESH_TFACELIST {\n"
        "\t\t*MESH_TFACE 0\t0\t1\t2\n\t\t*MESH_TFACE 1\t0\t2\t3\n\t}\n";
  }
  return WithLineEnds(text + "}\n}\n", end);
}

// The square in the text mesh format, with its two unused normals.
inline std::string SquareTextMesh(const std::string& end) {
  return WithLineEnds(
      "3D text mesh\nobject\" 0 0 4 vertices\n0 0.0 0.0 0.0 0.0 0.0 0\n"
      "1\t2.0\t0.0\t0.0\t1.0\t0.0\t0\n2 2.0 4.0 0.0 1.0 1.0 0\n3 0.0 4.0 0.0 0.0 1.0 0\n"
      "2\n0.0 0.0 1.0\n0.0 0.0 1.0\n2\n0 0  1  2  0  0  0  0\n1 0  2  3  0  0  0  0\n",
      end);
}

// Little-endian fields appended one by one.
class ByteWriter {
 public:
  ByteWriter& Bytes(const std::string& bytes) {
    bytes_ += bytes;
    return *this;
  }
  ByteWriter& U32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_ += static_cast<char>(value >> shift);
    return *this;
  }
  ByteWriter& Floats(std::initializer_list<float> values) {
    for (float value : values) {
      uint32_t bits;
      std::memcpy(&bits, &value, 4);
      U32(bits);
    }
    return *this;
  }
  // A name padded with zeros to the field's size.
  ByteWriter& Name(const std::string& name, size_t field) {
    return Bytes(name + std::string(field - name.size(), '\0'));
  }
  const std::string& Text() const { return bytes_; }

 private:
  std::string bytes_;
};
