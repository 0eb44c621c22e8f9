// Every drawing operation of the DirectX picture as Direct3D calls: per-draw states, vertices in
// world coordinates (a screen y enters as its negative) and the world matrix for turning and
// zooming, which every draw that changes it puts back.
#include <cmath>

#include "DXMatrix.h"
#include "DXPictureDevice.h"
#include "KGraphicDX.h"

namespace {

D3DMATRIX World(IDirect3DDevice7* device) {
  D3DMATRIX world;
  device->GetTransform(D3DTRANSFORMSTATE_WORLD, &world);
  return world;
}

void SetWorld(IDirect3DDevice7* device, D3DMATRIX world) {
  device->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);
}

// Runs draw with the world turned by angle and scaled by zoom about (hx, hy), either on top of the
// current world or in its place, and puts the world back afterwards.
template <typename Draw>
void DrawTurned(IDirect3DDevice7* device, float hx, float hy, float angle, float zoom,
                bool onCurrentWorld, Draw draw) {
  D3DMATRIX w0 = World(device);
  D3DMATRIX turn =
      DXMultiply(DXMultiply(DXTranslation(-hx, hy), DXRotationZ(angle)), DXScaling(zoom));
  SetWorld(device, onCurrentWorld ? DXMultiply(turn, w0) : turn);
  draw();
  SetWorld(device, w0);
}

// A screen coordinate, cut to a whole 16-bit pixel for the integer forms.
float Whole(float value, bool wholePixels) {
  return wholePixels ? float(Truncate16(value)) : value;
}

D3DLVERTEX Vertex(float x, float y, D3DCOLOR color, float u, float v) {
  D3DLVERTEX vertex{};
  vertex.x = x;
  vertex.y = y;
  vertex.color = color;
  vertex.tu = u;
  vertex.tv = v;
  return vertex;
}

// A textured w x h rectangle with its top-left corner at the screen point (x, y), drawn in the
// current world.
void DrawTexturedRectangle(IDirect3DDevice7* device, float x, float y, float w, float h,
                           D3DCOLOR color, const TexCoords& uv) {
  D3DMATRIX w0 = World(device);
  SetWorld(device, DXMultiply(w0, DXTranslation(x - 0.5f, 0.5f - y)));
  D3DLVERTEX quad[4] = {
      Vertex(0, 0, color, uv.uLeft, uv.vTop), Vertex(w, 0, color, uv.uRight, uv.vTop),
      Vertex(0, -h, color, uv.uLeft, uv.vBottom), Vertex(w, -h, color, uv.uRight, uv.vBottom)};
  device->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_LVERTEX, quad, 4, 0);
  SetWorld(device, w0);
}

DWORD BlendOf(BlendFactor factor) {
  switch (factor) {
    case BlendFactor::Zero:
      return D3DBLEND_ZERO;
    case BlendFactor::One:
      return D3DBLEND_ONE;
    case BlendFactor::SourceAlpha:
      return D3DBLEND_SRCALPHA;
    case BlendFactor::InverseSourceAlpha:
      return D3DBLEND_INVSRCALPHA;
    case BlendFactor::DestinationAlpha:
      return D3DBLEND_DESTALPHA;
  }
  return D3DBLEND_INVSRCALPHA;
}

void SetBlending(IDirect3DDevice7* device, bool on) {
  device->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, on ? TRUE : FALSE);
}

void SetBlendFactors(IDirect3DDevice7* device, BlendFactors factors) {
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, BlendOf(factors.source));
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, BlendOf(factors.destination));
}

// Stage 0 addressing and filtering as the picture's wrap and smoothing ask.
void SetStageSampling(IDirect3DDevice7* device, const PictureSettings& settings) {
  DWORD address = settings.wrap ? D3DTADDRESS_WRAP : D3DTADDRESS_CLAMP;
  DWORD filter = settings.smooth ? D3DTFG_LINEAR : D3DTFG_POINT;
  device->SetTextureStageState(0, D3DTSS_ADDRESS, address);
  device->SetTextureStageState(0, D3DTSS_ADDRESSU, address);
  device->SetTextureStageState(0, D3DTSS_ADDRESSV, address);
  device->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
  device->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
}

}  // namespace

bool KGraphicDX::SurfaceReady() {
  if (!surface_ || !g_dxPictures.device) return false;
  if (surface_->IsLost() == DDERR_SURFACELOST) RestoreSurface();
  return surface_ != nullptr;
}

bool KGraphicDX::PrepareTexturedDraw() {
  IDirect3DDevice7* device = g_dxPictures.device;
  SetStageSampling(device, settings_);
  SetBlendFactors(device, BlendFactorsOf(settings_.blendMode));
  return SetTexture();
}

void KGraphicDX::DrawQuad(int sx1, int sy1, int sx2, int sy2, float dx, float dy, bool flipX,
                          bool flipY, Color tint) {
  if (!SurfaceReady() || !PrepareTexturedDraw()) return;
  TexCoords uv = BlitTexCoords({float(sx1), float(sy1), float(sx2), float(sy2)}, textureWidth_,
                               textureHeight_, flipX, flipY);
  DrawTexturedRectangle(g_dxPictures.device, dx, dy, float(sx2 - sx1), float(sy2 - sy1),
                        PackArgb(tint), uv);
}

void KGraphicDX::DrawStretchedQuad(float sx1, float sy1, float sx2, float sy2, float x1, float y1,
                                   float x2, float y2, Color tint) {
  if (!SurfaceReady() || !PrepareTexturedDraw()) return;
  TexCoords uv = BlitTexCoords({sx1, sy1, sx2, sy2}, textureWidth_, textureHeight_, false, false);
  DrawTexturedRectangle(g_dxPictures.device, x1, y1, x2 - x1, y2 - y1, PackArgb(tint), uv);
}

void KGraphicDX::BlitRect(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                          bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, false, settings_.blitColor.Tint());
}

void KGraphicDX::BlitAlphaRect(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                               bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, true, settings_.blitColor.Tint());
}

void KGraphicDX::BlitRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                           bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, false, settings_.blitColor.Tint());
}

void KGraphicDX::BlitAlphaRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, true, settings_.blitColor.Tint());
}

void KGraphicDX::BlitSource(RectF source, float dx, float dy, bool flipX, bool flipY, bool blended,
                            Color tint) {
  if (!surface_ || !g_dxPictures.device) return;
  SetBlending(g_dxPictures.device, blended);
  DrawQuad(Truncate(source.x1), Truncate(source.y1), Truncate(source.x2), Truncate(source.y2), dx,
           dy, flipX, flipY, tint);
}

void KGraphicDX::BlitRectRotateZoom(float sx1, float sy1, float sx2, float sy2, int16_t dx,
                                    int16_t dy, float angle, float zoom, bool flipX, bool flipY) {
  BlitRotateZoomed({sx1, sy1, sx2, sy2}, dx, dy, angle, zoom, flipX, flipY, true);
}

void KGraphicDX::BlitRectRotateZoomF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                     float angle, float zoom, bool flipX, bool flipY) {
  BlitRotateZoomed({sx1, sy1, sx2, sy2}, dx, dy, angle, zoom, flipX, flipY, false);
}

void KGraphicDX::BlitRotateZoomed(RectF source, float dx, float dy, float angle, float zoom,
                                  bool flipX, bool flipY, bool wholePixels) {
  if (!surface_ || !g_dxPictures.device || zoom == 0.0f) return;
  float hx = (source.x2 - source.x1) / 2, hy = (source.y2 - source.y1) / 2;
  DrawTurned(g_dxPictures.device, hx, hy, angle, zoom, true, [&] {
    BlitSource(source, Whole(dx + hx * zoom, wholePixels), Whole(dy + hy * zoom, wholePixels),
               flipX, flipY, false, settings_.blitColor.Tint());
  });
}

void KGraphicDX::BlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                                 float angle, float zoom, float alpha, bool flipX, bool flipY,
                                 float cx, float cy) {
  BlitEffect({sx1, sy1, sx2, sy2}, dx, dy, angle, zoom, alpha, flipX, flipY, cx, cy, true);
}

void KGraphicDX::BlitAlphaRectFxF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                  float angle, float zoom, float alpha, bool flipX, bool flipY,
                                  float cx, float cy) {
  BlitEffect({sx1, sy1, sx2, sy2}, dx, dy, angle, zoom, alpha, flipX, flipY, cx, cy, false);
}

void KGraphicDX::BlitEffect(RectF source, float dx, float dy, float angle, float zoom, float alpha,
                            bool flipX, bool flipY, float cx, float cy, bool wholePixels) {
  if (!(alpha > 0.0f) || !surface_ || !g_dxPictures.device || zoom == 0.0f) return;
  float hx = (source.x2 - source.x1) / 2 + cx, hy = (source.y2 - source.y1) / 2 + cy;
  DrawTurned(g_dxPictures.device, hx, hy, angle, zoom, false, [&] {
    BlitSource(source, Whole(dx + hx, wholePixels), Whole(dy + hy, wholePixels), flipX, flipY, true,
               settings_.blitColor.EffectTint(alpha, false));
  });
}

void KGraphicDX::StretchAlphaRect(float sx1, float sy1, float sx2, float sy2, float dx1, float dy1,
                                  float dx2, float dy2, float alpha, float angle, bool flipX,
                                  bool flipY, float cx, float cy) {
  if (!surface_ || !g_dxPictures.device) return;
  IDirect3DDevice7* device = g_dxPictures.device;
  float hx = (dx2 - dx1) / 2 + cx, hy = (dy2 - dy1) / 2 + cy;
  if (flipX) std::swap(sx1, sx2);
  if (flipY) std::swap(sy1, sy2);
  D3DMATRIX w0 = World(device);
  SetWorld(device, DXMultiply(DXMultiply(DXTranslation(-hx, hy), DXRotationZ(angle)), w0));
  SetBlending(device, true);
  DrawStretchedQuad(sx1, sy1, sx2, sy2, dx1 + hx, dy1 + hy, dx2 + hx, dy2 + hy,
                    settings_.blitColor.EffectTint(alpha, true));
  SetWorld(device, w0);
}

void KGraphicDX::BlitTiled(int16_t x, int16_t y, int16_t width, int16_t height, float repeat,
                           float angle) {
  IDirect3DDevice7* device = g_dxPictures.device;
  if (!surface_ || !device) return;
  SetBlending(device, false);
  SetStageSampling(device, settings_);
  float hw = float(width / 2), hh = float(height / 2);
  D3DMATRIX w0 = World(device);
  if (!SetTexture()) return;
  SetWorld(device, DXMultiply(DXMultiply(DXMultiply(DXTranslation(-hw, hh), DXRotationZ(angle)),
                                         DXTranslation(x + hw, -(y + hh))),
                              w0));
  // Tiles show the texture's own colours, whatever the blit colour.
  D3DCOLOR color = PackArgb({1, 1, 1, 1});
  float w = width, h = height;
  D3DLVERTEX quad[4] = {Vertex(0, 0, color, 0, 0), Vertex(w, 0, color, repeat, 0),
                        Vertex(0, -h, color, 0, repeat), Vertex(w, -h, color, repeat, repeat)};
  device->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_LVERTEX, quad, 4, 0);
  SetWorld(device, w0);
}

void KGraphicDX::BlitArbitraryQuad(float sx1, float sy1, float sx2, float sy2, float sx3, float sy3,
                                   float sx4, float sy4, float dx1, float dy1, float dx2, float dy2,
                                   float dx3, float dy3, float dx4, float dy4) {
  IDirect3DDevice7* device = g_dxPictures.device;
  if (!surface_ || !device) return;
  SetBlending(device, true);
  if (!PrepareTexturedDraw()) return;
  D3DCOLOR color = PackArgb(settings_.blitColor.Tint());
  D3DLVERTEX corners[4] = {Vertex(dx1, -dy1, color, sx1 / textureWidth_, sy1 / textureHeight_),
                           Vertex(dx2, -dy2, color, sx2 / textureWidth_, sy2 / textureHeight_),
                           Vertex(dx3, -dy3, color, sx3 / textureWidth_, sy3 / textureHeight_),
                           Vertex(dx4, -dy4, color, sx4 / textureWidth_, sy4 / textureHeight_)};
  D3DLVERTEX triangles[6] = {corners[0], corners[1], corners[2],
                             corners[0], corners[2], corners[3]};
  device->DrawPrimitive(D3DPT_TRIANGLELIST, D3DFVF_LVERTEX, triangles, 6, 0);
}

void KGraphicDX::DrawUntextured(D3DPRIMITIVETYPE type, const float* points, int count,
                                D3DCOLOR color) {
  IDirect3DDevice7* device = g_dxPictures.device;
  D3DLVERTEX vertices[6];
  for (int i = 0; i < count; ++i)
    vertices[i] = Vertex(points[2 * i], -points[2 * i + 1], color, 0, 0);
  device->SetTexture(0, nullptr);
  device->DrawPrimitive(type, D3DFVF_LVERTEX, vertices, DWORD(count), 0);
  ForgetBoundTexture();
}

void KGraphicDX::DrawRect(float x1, float y1, float x2, float y2, float r, float g, float b,
                          float a) {
  IDirect3DDevice7* device = g_dxPictures.device;
  if (!device) return;
  SetBlending(device, true);
  SetBlendFactors(device, BlendFactorsOf(settings_.blendMode));
  const float corners[12] = {x1, y1, x2, y1, x2, y2, x2, y2, x1, y2, x1, y1};
  DrawUntextured(D3DPT_TRIANGLELIST, corners, 6, PackArgb({r, g, b, a}));
}

void KGraphicDX::DrawLine(float x1, float y1, float x2, float y2, float r, float g, float b,
                          float a) {
  IDirect3DDevice7* device = g_dxPictures.device;
  if (!device) return;
  // Lines and points blend as the picture contract says, whatever an earlier draw left.
  SetBlending(device, true);
  SetBlendFactors(device, BlendFactorsOf(K_BLEND_SRCALPHA_INVSRCALPHA));
  const float ends[4] = {x1, y1, x2, y2};
  DrawUntextured(D3DPT_LINELIST, ends, 2, PackArgb({r, g, b, a}));
}

void KGraphicDX::PlotPixel(float x, float y, float r, float g, float b, float a) {
  IDirect3DDevice7* device = g_dxPictures.device;
  if (!device) return;
  SetBlending(device, true);
  SetBlendFactors(device, BlendFactorsOf(K_BLEND_SRCALPHA_INVSRCALPHA));
  const float point[2] = {x, y};
  DrawUntextured(D3DPT_POINTLIST, point, 1, PackArgb({r, g, b, a}));
}
