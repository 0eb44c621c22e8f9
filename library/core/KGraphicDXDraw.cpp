// Every drawing operation of the DirectX picture as Direct3D calls: per-draw states, vertices in
// world coordinates (a screen y enters as its negative) and the world matrix for turning and
// zooming, which every draw that changes it puts back.
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

// A screen coordinate, cut to a whole 16-bit pixel for the integer forms.
float Whole(float value, bool wholePixels) {
  return wholePixels ? float(Truncate16(value)) : value;
}

// A vertex at z 0, without specular colour.
D3DLVERTEX Vertex(float x, float y, D3DCOLOR color, float u, float v) {
  return {x, y, 0.0f, 0, color, 0, u, v};
}

// A textured w x h rectangle from (0, 0) to (w, -h) in the current world, its texels modulated by
// the colour.
void DrawRectangle(IDirect3DDevice7* device, float w, float h, D3DCOLOR color,
                   const TexCoords& uv) {
  D3DLVERTEX quad[4] = {
      Vertex(0, 0, color, uv.uLeft, uv.vTop), Vertex(w, 0, color, uv.uRight, uv.vTop),
      Vertex(0, -h, color, uv.uLeft, uv.vBottom), Vertex(w, -h, color, uv.uRight, uv.vBottom)};
  device->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_LVERTEX, quad, 4, 0);
}

// The world matrix that turns the placed rectangle by its angle about its pivot, which it moves
// to the origin.
D3DMATRIX TurnAbout(const BlitPlacement& placement) {
  return DXMultiply(DXTranslation(-placement.pivot.x, placement.pivot.y),
                    DXRotationZ(placement.angle));
}

// The rectangle blits draw the source cut to whole pixels (whole) at its own size, turned and
// zoomed about pivot, which lands at pivotOnScreen.
BlitPlacement WholeSourcePlacement(RectF whole, PointF pivotOnScreen, PointF pivot, float angle,
                                   float zoom) {
  return {pivotOnScreen, pivot, whole.x2 - whole.x1, whole.y2 - whole.y1, angle, zoom};
}

DWORD BlendOf(BlendFactor factor) {
  switch (factor) {
    case BlendFactor::kZero:
      return D3DBLEND_ZERO;
    case BlendFactor::kOne:
      return D3DBLEND_ONE;
    case BlendFactor::kSourceAlpha:
      return D3DBLEND_SRCALPHA;
    case BlendFactor::kInverseSourceAlpha:
      return D3DBLEND_INVSRCALPHA;
    case BlendFactor::kDestinationAlpha:
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

bool KGraphicDX::PrepareTexturedDraw() {
  IDirect3DDevice7* device = g_dxPictures.device;
  SetStageSampling(device, settings_);
  SetBlendFactors(device, BlendFactorsOf(settings_.blendMode));
  return SetTexture();
}

void KGraphicDX::DrawPlaced(RectF source, bool flipX, bool flipY, const BlitPlacement& placement,
                            WorldTurn turn, bool blended, Color tint) {
  IDirect3DDevice7* device = g_dxPictures.device;
  if (!surface_ || !device) return;
  SetBlending(device, blended);
  // A lost surface is reloaded from its file first; without a file nothing is drawn.
  if (surface_->IsLost() == DDERR_SURFACELOST) RestoreSurface();
  if (!surface_ || !PrepareTexturedDraw()) return;
  D3DMATRIX w0 = World(device);
  D3DMATRIX world = w0;
  if (turn != WorldTurn::kNone) {
    D3DMATRIX about = TurnAbout(placement);
    if (turn != WorldTurn::kOnWorld) about = DXMultiply(about, DXScaling(placement.zoom));
    world = turn == WorldTurn::kReplacingWorld ? about : DXMultiply(about, w0);
  }
  // Half a pixel up and left: a rectangle with whole corners covers whole pixels.
  PointF at = placement.pivotOnScreen;
  SetWorld(device, DXMultiply(world, DXTranslation(at.x - 0.5f, 0.5f - at.y)));
  DrawRectangle(device, placement.width, placement.height, PackArgb(tint),
                BlitTexCoords(source, textureWidth_, textureHeight_, flipX, flipY));
  SetWorld(device, w0);
}

void KGraphicDX::BlitRect(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                          bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, false);
}

void KGraphicDX::BlitAlphaRect(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                               bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, true);
}

void KGraphicDX::BlitRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                           bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, false);
}

void KGraphicDX::BlitAlphaRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, true);
}

void KGraphicDX::BlitSource(RectF source, float dx, float dy, bool flipX, bool flipY,
                            bool blended) {
  RectF whole = TruncateRect(source);
  DrawPlaced(whole, flipX, flipY, PlaceBlit(whole, dx, dy, false), WorldTurn::kNone, blended,
             settings_.blitColor.Tint());
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
  if (zoom == 0.0f) return;
  PointF pivot = CentrePivot(source, 0.0f, 0.0f);
  // Unturned, the zoomed picture keeps its top-left corner at (dx, dy): the pivot lands zoom times
  // its offset from there. The integer forms cut where it lands.
  PointF onScreen = {Whole(dx + pivot.x * zoom, wholePixels),
                     Whole(dy + pivot.y * zoom, wholePixels)};
  RectF whole = TruncateRect(source);
  DrawPlaced(whole, flipX, flipY, WholeSourcePlacement(whole, onScreen, pivot, angle, zoom),
             WorldTurn::kZoomedOnWorld, false, settings_.blitColor.Tint());
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
  if (!FxDraws(zoom, alpha)) return;
  PointF pivot = CentrePivot(source, cx, cy);
  // Turned about the pivot even at angle 0 and zoom 1, in place of the world matrix. The integer
  // forms cut where the pivot lands, not the pivot.
  PointF onScreen = {Whole(dx + pivot.x, wholePixels), Whole(dy + pivot.y, wholePixels)};
  RectF whole = TruncateRect(source);
  DrawPlaced(whole, flipX, flipY, WholeSourcePlacement(whole, onScreen, pivot, angle, zoom),
             WorldTurn::kReplacingWorld, true, settings_.blitColor.EffectTint(alpha, false));
}

void KGraphicDX::StretchAlphaRect(float sx1, float sy1, float sx2, float sy2, float dx1, float dy1,
                                  float dx2, float dy2, float alpha, float angle, bool flipX,
                                  bool flipY, float cx, float cy) {
  PointF pivot = CentrePivot({dx1, dy1, dx2, dy2}, cx, cy);
  // The corners keep their fractions and are turned even at angle 0: they are moved by the pivot
  // and the rectangle is drawn between them.
  RectF moved = {dx1 + pivot.x, dy1 + pivot.y, dx2 + pivot.x, dy2 + pivot.y};
  PointF size = {moved.x2 - moved.x1, moved.y2 - moved.y1};
  BlitPlacement placement = {{moved.x1, moved.y1}, pivot, size.x, size.y, angle, 1.0f};
  DrawPlaced({sx1, sy1, sx2, sy2}, flipX, flipY, placement, WorldTurn::kOnWorld, true,
             settings_.blitColor.EffectTint(alpha, true));
}

void KGraphicDX::BlitTiled(int16_t x, int16_t y, int16_t width, int16_t height, float repeat,
                           float angle) {
  IDirect3DDevice7* device = g_dxPictures.device;
  if (!surface_ || !device) return;
  SetBlending(device, false);
  SetStageSampling(device, settings_);
  if (!SetTexture()) return;
  // Turned about the centre of the shared rule, but drawn at the whole width and height, without
  // the half-pixel shift, and not half-turned: texture coordinates 0 at the top-left corner.
  BlitPlacement placement = PlaceTiled(x, y, width, height, angle);
  D3DMATRIX w0 = World(device);
  PointF at = placement.pivotOnScreen;
  SetWorld(device, DXMultiply(DXMultiply(TurnAbout(placement), DXTranslation(at.x, -at.y)), w0));
  // Tiles show the texture's own colours, whatever the blit colour.
  DrawRectangle(device, width, height, PackArgb({1, 1, 1, 1}), {0.0f, 0.0f, repeat, repeat});
  SetWorld(device, w0);
}

void KGraphicDX::BlitArbitraryQuad(float sx1, float sy1, float sx2, float sy2, float sx3, float sy3,
                                   float sx4, float sy4, float dx1, float dy1, float dx2, float dy2,
                                   float dx3, float dy3, float dx4, float dy4) {
  IDirect3DDevice7* device = g_dxPictures.device;
  if (!surface_ || !device) return;
  SetBlending(device, true);
  if (!PrepareTexturedDraw()) return;
  const PointF source[4] = {{sx1, sy1}, {sx2, sy2}, {sx3, sy3}, {sx4, sy4}};
  const PointF destination[4] = {{dx1, dy1}, {dx2, dy2}, {dx3, dy3}, {dx4, dy4}};
  Quad shared = ArbitraryQuad(source, destination, textureWidth_, textureHeight_);
  D3DCOLOR color = PackArgb(settings_.blitColor.Tint());
  // The points are drawn as given, not cut to whole pixels.
  D3DLVERTEX corners[4];
  for (int i = 0; i < 4; ++i) {
    const QuadCorner& corner = shared.corners[i];
    corners[i] = Vertex(destination[i].x, -destination[i].y, color, corner.u, corner.v);
  }
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
