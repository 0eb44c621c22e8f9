// The text mesh loader: after the text mesh tag and the vertex count, one item a line (vertices,
// a normal count and its unused normals, a triangle count and the triangles). Lines end with LF
// or CR LF; each is parsed within its own bounds.
#include <charconv>
#include <cstring>
#include <new>

#include "KMiscTools.h"
#include "KObject3D.h"
#include "MeshFile.h"
#include "MeshItems.h"
#include "MeshText.h"

namespace {

constexpr char kTextMeshTag[] = "object\" 0 0";
// The fewest bytes of a line with the four numbers a vertex or triangle needs ("0-1-2-3"): a
// count above the rest of the text over this cannot be met and is refused before allocating.
constexpr size_t kShortestItemLine = 7;

struct Line {
  const char* at;
  const char* end;
};

// The lines of a text from a position on.
class Lines {
 public:
  Lines(const char* text, size_t size, size_t start) : at_(text + start), end_(text + size) {}

  size_t Remaining() const { return static_cast<size_t>(end_ - at_); }

  // The next line without its LF; false at the end of the text.
  bool Next(Line* line) {
    if (at_ == end_) return false;
    const char* lf = static_cast<const char*>(std::memchr(at_, '\n', Remaining()));
    line->at = at_;
    line->end = lf ? lf : end_;
    at_ = lf ? lf + 1 : end_;
    return true;
  }

  // Moves past the next LF (to the end when there is none).
  void SkipLine() {
    Line rest;
    Next(&rest);
  }

 private:
  const char* at_;
  const char* end_;
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The next number of the line as sscanf's %d or %f reads it (blanks and a '+' skipped); false
// when there is none or it is out of range.
template <typename Number>
bool Scan(Line* line, Number* value) {
  const char* at = line->at;
  while (at < line->end && IsSpace(*at)) ++at;
  if (at < line->end && *at == '+' && at + 1 < line->end && at[1] != '-') ++at;
  auto [stop, error] = std::from_chars(at, line->end, *value);
  if (error != std::errc()) return false;
  line->at = stop;
  return true;
}

// A vertex line "%d %f %f %f ...": the position.
bool ScanVertex(Line line, float position[3]) {
  int index;
  return Scan(&line, &index) && Scan(&line, &position[0]) && Scan(&line, &position[1]) &&
         Scan(&line, &position[2]);
}

// A triangle line "%d %d %d %d ...": the corners.
bool ScanTriangle(Line line, int corners[3]) {
  int index;
  return Scan(&line, &index) && Scan(&line, &corners[0]) && Scan(&line, &corners[1]) &&
         Scan(&line, &corners[2]);
}

// A count line "%d".
bool ScanCount(Lines* lines, int* count) {
  Line line;
  return lines->Next(&line) && Scan(&line, count);
}

}  // namespace

bool KObject3D::LoadTextFromMemory(const char* text, size_t size, float scale) {
  BeginLoad();
  if (size > kMeshFileLimit) return false;
  const int length = static_cast<int>(size);
  const int newVertexCount = FindKeywordInt(kTextMeshTag, text, 0, length);
  if (newVertexCount < 1) {
    KMiscTools::ShowMessageBox("No Vertices", "");
    return false;
  }
  char digits[16];
  const size_t n = static_cast<size_t>(
      std::to_chars(digits, digits + sizeof digits, newVertexCount).ptr - digits);
  const int tag = FindKeyword(kTextMeshTag, text, length, 0);
  const int count = FindKeyword(std::string_view(digits, n), text, length, tag);
  if (count < 0) return false;
  Lines lines(text, size, static_cast<size_t>(count) + n);
  lines.SkipLine();

  if (static_cast<size_t>(newVertexCount) > lines.Remaining() / kShortestItemLine) return false;
  vertices = new (std::nothrow) KMeshVertex[newVertexCount]();
  if (!vertices) return false;
  vertexCount = static_cast<uint32_t>(newVertexCount);
  for (KMeshVertex* vertex = vertices; vertex != vertices + newVertexCount; ++vertex) {
    Line line;
    float position[3];
    if (!lines.Next(&line) || !ScanVertex(line, position) ||
        !SetScaledPosition(vertex, position, scale)) {
      return FailLoad();
    }
  }
  CenterMesh();

  int normalCount;
  if (!ScanCount(&lines, &normalCount)) return FailLoad();
  for (int i = 0; i < normalCount; ++i) {
    Line unused;
    if (!lines.Next(&unused)) return FailLoad();
  }
  int newFaceCount;
  if (!ScanCount(&lines, &newFaceCount) || newFaceCount < 1) {
    KMiscTools::ShowMessageBox("No faces in this asc", "");
    return FailLoad();
  }
  if (static_cast<size_t>(newFaceCount) > lines.Remaining() / kShortestItemLine) {
    return FailLoad();
  }
  faces = new (std::nothrow) KMeshFace[newFaceCount]();
  if (!faces) return FailLoad();
  faceCount = static_cast<uint32_t>(newFaceCount);
  for (KMeshFace* face = faces; face != faces + newFaceCount; ++face) {
    Line line;
    int corners[3];
    if (!lines.Next(&line) || !ScanTriangle(line, corners) ||
        !SetFaceCorners(face, corners, vertices, vertexCount)) {
      return FailLoad();
    }
  }
  ComputeVertexNormals();
  MeshLoaded();
  return true;
}
