// DrawPrimitive: the hot path of every frame. Vertices are transformed to pixels here and appended
// to the batch; strips and fans become triangle lists so that consecutive draws join.
#include "directx/device.h"
#include "directx/lighting.h"
#include "directx/vertices.h"

namespace platform::directx {
namespace {

// The pixel centres of Direct3D are at whole coordinates, OpenGL's at halves; the extra 1/256 in
// y makes Mesa's fill rule take the same edge pixels as Direct3D's top-left rule.
constexpr float kPixelCentreX = 0.5f;
constexpr float kPixelCentreY = 0.5f - 1.0f / 256.0f;

// The most vertices one DrawPrimitive takes.
constexpr DWORD kMostVertices = 0xFFFF;

struct Assembly {
  GLenum mode;
  DWORD emitted;  // vertices sent to OpenGL
};

bool Assemble(D3DPRIMITIVETYPE type, DWORD count, Assembly& assembly) {
  switch (type) {
    case D3DPT_POINTLIST:
      assembly = {GL_POINTS, count};
      return true;
    case D3DPT_LINELIST:
      assembly = {GL_LINES, count / 2 * 2};
      return true;
    case D3DPT_LINESTRIP:
      assembly = {GL_LINES, count >= 2 ? (count - 1) * 2 : 0};
      return true;
    case D3DPT_TRIANGLELIST:
      assembly = {GL_TRIANGLES, count / 3 * 3};
      return true;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
      assembly = {GL_TRIANGLES, count >= 3 ? (count - 2) * 3 : 0};
      return true;
  }
  return false;
}

// The corner of the input that the output's i-th vertex is. Each triangle starts at the vertex
// that flat shading takes its colour from: a strip's triangle at its first vertex, a fan's at its
// first outer one (so a fan's triangle t is t + 1, t + 2, 0).
DWORD SourceIndex(D3DPRIMITIVETYPE type, DWORD i) {
  if (type == D3DPT_POINTLIST || type == D3DPT_LINELIST || type == D3DPT_TRIANGLELIST) return i;
  if (type == D3DPT_LINESTRIP) return i / 2 + i % 2;
  DWORD triangle = i / 3, corner = i % 3;
  if (type == D3DPT_TRIANGLEFAN) return corner == 2 ? 0 : triangle + 1 + corner;
  // Strips alternate their winding; the odd triangles run t, t + 2, t + 1 to keep one winding.
  if (triangle % 2 == 1 && corner > 0) return triangle + 3 - corner;
  return triangle + corner;
}

// Whether all the corners have the same colour.
bool OneColour(const GlVertex* corners, DWORD count) {
  for (DWORD i = 1; i < count; ++i)
    if (corners[i].rgba != corners[0].rgba) return false;
  return true;
}

}  // namespace

const D3DMATRIX& Device::ToPixels() {
  if (toPixelsStale_) {
    const D3DVIEWPORT7& v = viewport_;
    float halfWidth = v.dwWidth * 0.5f, halfHeight = v.dwHeight * 0.5f;
    D3DMATRIX toViewport{};
    toViewport._11 = halfWidth;
    toViewport._41 = v.dwX + halfWidth + kPixelCentreX;
    toViewport._22 = -halfHeight;
    toViewport._42 = v.dwY + halfHeight + kPixelCentreY;
    toViewport._33 = v.dvMaxZ - v.dvMinZ;
    toViewport._43 = v.dvMinZ;
    toViewport._44 = 1.0f;
    toPixels_ = Multiply(Multiply(Multiply(world_, view_), projection_), toViewport);
    toPixelsStale_ = false;
  }
  return toPixels_;
}

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, LPVOID vertices,
                              DWORD count, DWORD flags) {
  VertexLayout layout;
  bool knownFormat = ParseVertexFormat(vertexFormat, layout);
  if (Recording()) {
    DirectXCall call{
        .name = "DrawPrimitive", .object = this, .args = {DWORD(type), vertexFormat, count, flags}};
    if (knownFormat && vertices && count <= kMostVertices) {
      const auto* bytes = static_cast<const unsigned char*>(vertices);
      call.vertices.assign(bytes, bytes + size_t(count) * layout.stride);
    }
    Record(std::move(call));
  }
  if (!knownFormat) return D3DERR_INVALIDVERTEXFORMAT;
  Assembly assembly;
  if (!Assemble(type, count, assembly)) return D3DERR_INVALIDPRIMITIVETYPE;
  if (!vertices || assembly.emitted == 0 || count > kMostVertices) return DDERR_INVALIDPARAMS;
  if (!inScene_) return D3DERR_SCENE_NOT_IN_SCENE;
  if (!PrepareToDraw()) return DDERR_SURFACELOST;

  const auto* input = static_cast<const unsigned char*>(vertices);
  bool lit = renderStates_[D3DRENDERSTATE_LIGHTING] && layout.normal >= 0;
  bool flat =
      renderStates_[D3DRENDERSTATE_SHADEMODE] == D3DSHADE_FLAT && assembly.mode == GL_TRIANGLES;
  if (lit || flat) {
    AppendShaded(type, count, assembly.mode, assembly.emitted, input, layout, lit, flat);
    return D3D_OK;
  }
  const D3DMATRIX& toPixels = ToPixels();
  BatchRoom room = display_->Draws().Append(assembly.mode, count, assembly.emitted);
  for (DWORD i = 0; i < count; ++i) {
    TransformVertex(toPixels, input + size_t(i) * layout.stride, layout, room.corners[i]);
  }
  display_->Draws().NoteColours(OneColour(room.corners, count));
  for (DWORD i = 0; i < assembly.emitted; ++i) room.indices[i] = room.first + SourceIndex(type, i);
  return D3D_OK;
}

void Device::AppendShaded(D3DPRIMITIVETYPE type, DWORD count, GLenum mode, DWORD emitted,
                          const unsigned char* input, const VertexLayout& layout, bool lit,
                          bool flat) {
  const D3DMATRIX& toPixels = ToPixels();
  // A flat triangle takes the colour of its first corner (OpenGL's flat shading would take the
  // last), so its corners are its own: no other triangle shares them.
  DWORD corners = flat ? emitted : count;
  BatchRoom room = display_->Draws().Append(mode, corners, emitted);
  for (DWORD i = 0; i < corners; ++i) {
    const DWORD source = flat ? SourceIndex(type, i) : i;
    TransformVertex(toPixels, input + size_t(source) * layout.stride, layout, room.corners[i]);
  }
  if (lit) {
    const VertexLighting lighting(EnabledLights(), material_, renderStates_.data(), world_, view_,
                                  layout);
    if (flat) {
      // Only first corners are lit; the first corner of triangle t is vertex first + t * step.
      const DWORD first = SourceIndex(type, 0), step = SourceIndex(type, 3) - first;
      lighting.Shade(input + size_t(first) * layout.stride, size_t(step) * layout.stride,
                     corners / 3, room.corners, 3);
    } else {
      lighting.Shade(input, layout.stride, count, room.corners, 1);
    }
  }
  for (DWORD i = 0; i < emitted; ++i) {
    room.indices[i] = room.first + (flat ? i : SourceIndex(type, i));
  }
  if (!flat) {
    display_->Draws().NoteColours(OneColour(room.corners, corners));
    return;
  }
  for (DWORD i = 0; i + 2 < corners; i += 3) {
    room.corners[i + 1].rgba = room.corners[i + 2].rgba = room.corners[i].rgba;
  }
  // Each triangle has one colour now.
  display_->Draws().NoteColours(true);
}

}  // namespace platform::directx
