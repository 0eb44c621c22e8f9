#include "directx/vertices.h"
#include "platform/d3dx_math.h"

namespace platform::directx {
namespace {

constexpr DWORD kPositionMask = 0x00E;
constexpr DWORD kTextureCountShift = 8;
constexpr DWORD kKnownBits =
    kPositionMask | D3DFVF_NORMAL | D3DFVF_RESERVED1 | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | 0xF00;
constexpr DWORD kMaxTextureSets = 8;

}  // namespace

bool ParseVertexFormat(DWORD format, VertexLayout& layout) {
  if ((format & ~kKnownBits) || (format & kPositionMask) != D3DFVF_XYZ) return false;
  DWORD textureSets = (format >> kTextureCountShift) & 0xF;
  if (textureSets > kMaxTextureSets) return false;
  int offset = 3 * sizeof(float);
  // The offset of the part when the format has it (the parts follow in bit order), else -1.
  auto part = [&](DWORD bit, int size) {
    if (!(format & bit)) return -1;
    offset += size;
    return offset - size;
  };
  layout.normal = part(D3DFVF_NORMAL, 3 * sizeof(float));
  part(D3DFVF_RESERVED1, sizeof(DWORD));
  layout.diffuse = part(D3DFVF_DIFFUSE, sizeof(DWORD));
  layout.specular = part(D3DFVF_SPECULAR, sizeof(DWORD));
  layout.texture = textureSets > 0 ? offset : -1;
  offset += static_cast<int>(textureSets * 2 * sizeof(float));
  layout.stride = static_cast<DWORD>(offset);
  return true;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX product;
  D3DXMatrixMultiply(&product, &a, &b);
  return product;
}

D3DMATRIX Identity() {
  D3DMATRIX identity{};
  identity._11 = identity._22 = identity._33 = identity._44 = 1.0f;
  return identity;
}

}  // namespace platform::directx
