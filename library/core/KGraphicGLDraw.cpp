// Every drawing operation of the OpenGL picture: immediate-mode primitives in the window's world
// view, whose y grows upward from the bottom of the screen, so a screen y enters as H - y.
// Every draw that sets a colour puts white back after it, so draws that set none show the
// texture's own colours.
#include "GLPictureState.h"
#include "KGraphicGL.h"
#include "platform/opengl.h"

namespace {

constexpr Color kWhite = {1, 1, 1, 1};

float ScreenHeight() {
  return g_glPictures.screenHeight;
}

GLenum GlFactor(BlendFactor factor) {
  switch (factor) {
    case BlendFactor::kZero:
      return GL_ZERO;
    case BlendFactor::kOne:
      return GL_ONE;
    case BlendFactor::kSourceAlpha:
      return GL_SRC_ALPHA;
    case BlendFactor::kInverseSourceAlpha:
      return GL_ONE_MINUS_SRC_ALPHA;
    case BlendFactor::kDestinationAlpha:
      return GL_DST_ALPHA;
  }
  return GL_ONE_MINUS_SRC_ALPHA;
}

void EnableBlending(BlendFactors factors) {
  glEnable(GL_BLEND);
  glBlendFunc(GlFactor(factors.source), GlFactor(factors.destination));
}

void SetColor(const Color& color) {
  glColor4f(color.r, color.g, color.b, color.a);
}

// A quad in screen coordinates in the world view's, whose y grows upward.
Quad FlipToWorld(Quad quad) {
  for (QuadCorner& corner : quad.corners) corner.y = ScreenHeight() - corner.y;
  return quad;
}

// One textured quad; the corners in world-view coordinates (y upward).
void DrawQuad(const QuadCorner (&corners)[4]) {
  glBegin(GL_QUADS);
  for (const QuadCorner& corner : corners) {
    glTexCoord2f(corner.u, corner.v);
    glVertex2f(corner.x, corner.y);
  }
  glEnd();
}

// Untextured points in screen coordinates, in the colour, blended by source alpha or not at all.
// Texturing stays off until the next picture binds its texture.
void DrawUntextured(GLenum mode, const PointF* points, int count, const Color& color,
                    bool blended) {
  KGraphicGL::ForgetBoundTexture();
  glDisable(GL_TEXTURE_2D);
  if (blended) {
    EnableBlending(BlendFactorsOf(K_BLEND_SRCALPHA_INVSRCALPHA));
  } else {
    glDisable(GL_BLEND);
  }
  SetColor(color);
  float height = ScreenHeight();
  glBegin(mode);
  for (int i = 0; i < count; ++i) glVertex2f(points[i].x, height - points[i].y);
  glEnd();
  glDisable(GL_BLEND);
  SetColor(kWhite);
}

// A point in the screen pixel it names, so that whole coordinates light that pixel and not a
// neighbour across the edge they lie on: a 256th of a pixel above and left of its centre, inside
// the diamond a line's pixels are tested against rather than on its edge, so that a line lights
// its first pixel and not its last whichever way it runs.
PointF PixelCentre(float x, float y) {
  constexpr float kNudge = 1.0f / 256.0f;
  return {x + 0.5f - kNudge, y + 0.5f - kNudge};
}

}  // namespace

bool KGraphicGL::BeginTexturedDraw(const Color* tint) {
  if (textureName_ == 0) return false;
  Bind();
  if (tint) {
    EnableBlending(BlendFactorsOf(settings_.blendMode));
    SetColor(*tint);
  } else {
    glDisable(GL_BLEND);
  }
  return true;
}

void KGraphicGL::DrawPlaced(const TexCoords& uv, const BlitPlacement& placement,
                            const Color* tint) {
  if (!BeginTexturedDraw(tint)) return;
  // Turned and zoomed on the CPU: the model-view matrix stays as the window set it, and
  // consecutive quads of one picture reach OpenGL as one batch.
  Quad quad = PlaceQuad(placement, uv);
  DrawQuad(FlipToWorld(quad).corners);
  if (tint) SetColor(kWhite);
}

void KGraphicGL::BlitSource(RectF source, float dx, float dy, bool flipX, bool flipY, bool blended,
                            bool wholePixels) {
  Color tint = settings_.blitColor.Tint();
  DrawPlaced(BlitTexCoords(source, textureWidth_, textureHeight_, flipX, flipY),
             PlaceBlit(source, dx, dy, wholePixels), blended ? &tint : nullptr);
}

void KGraphicGL::BlitRect(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                          bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, false, true);
}

void KGraphicGL::BlitAlphaRect(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                               bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, true, true);
}

void KGraphicGL::BlitRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                           bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, false, false);
}

void KGraphicGL::BlitAlphaRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                bool flipX, bool flipY) {
  BlitSource({sx1, sy1, sx2, sy2}, dx, dy, flipX, flipY, true, false);
}

void KGraphicGL::BlitRectRotateZoom(float sx1, float sy1, float sx2, float sy2, int16_t dx,
                                    int16_t dy, float angle, float zoom, bool flipX, bool flipY) {
  BlitRotateZoomed({sx1, sy1, sx2, sy2}, dx, dy, angle, zoom, flipX, flipY, true);
}

void KGraphicGL::BlitRectRotateZoomF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                     float angle, float zoom, bool flipX, bool flipY) {
  BlitRotateZoomed({sx1, sy1, sx2, sy2}, dx, dy, angle, zoom, flipX, flipY, false);
}

void KGraphicGL::BlitRotateZoomed(RectF source, float dx, float dy, float angle, float zoom,
                                  bool flipX, bool flipY, bool wholePixels) {
  if (zoom == 0.0f) return;
  DrawPlaced(BlitTexCoords(source, textureWidth_, textureHeight_, flipX, flipY),
             PlaceRotateZoom(source, dx, dy, angle, zoom, wholePixels), nullptr);
}

void KGraphicGL::BlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                                 float angle, float zoom, float alpha, bool flipX, bool flipY,
                                 float cx, float cy) {
  BlitEffect({sx1, sy1, sx2, sy2}, dx, dy, angle, zoom, alpha, flipX, flipY, cx, cy, true);
}

void KGraphicGL::BlitAlphaRectFxF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                  float angle, float zoom, float alpha, bool flipX, bool flipY,
                                  float cx, float cy) {
  BlitEffect({sx1, sy1, sx2, sy2}, dx, dy, angle, zoom, alpha, flipX, flipY, cx, cy, false);
}

void KGraphicGL::BlitEffect(RectF source, float dx, float dy, float angle, float zoom, float alpha,
                            bool flipX, bool flipY, float cx, float cy, bool wholePixels) {
  if (!FxDraws(zoom, alpha)) return;
  Color tint = settings_.blitColor.EffectTint(alpha, false);
  DrawPlaced(BlitTexCoords(source, textureWidth_, textureHeight_, flipX, flipY),
             PlaceFx(source, dx, dy, angle, zoom, cx, cy, wholePixels), &tint);
}

void KGraphicGL::StretchAlphaRect(float sx1, float sy1, float sx2, float sy2, float dx1, float dy1,
                                  float dx2, float dy2, float alpha, float angle, bool flipX,
                                  bool flipY, float cx, float cy) {
  Color tint = settings_.blitColor.EffectTint(alpha, true);
  DrawPlaced(BlitTexCoords({sx1, sy1, sx2, sy2}, textureWidth_, textureHeight_, flipX, flipY),
             PlaceStretch({dx1, dy1, dx2, dy2}, angle, cx, cy), &tint);
}

void KGraphicGL::BlitTiled(int16_t x, int16_t y, int16_t width, int16_t height, float repeat,
                           float angle) {
  DrawPlaced(TiledTexCoords(repeat), PlaceTiled(x, y, width, height, angle), nullptr);
}

void KGraphicGL::BlitArbitraryQuad(float sx1, float sy1, float sx2, float sy2, float sx3, float sy3,
                                   float sx4, float sy4, float dx1, float dy1, float dx2, float dy2,
                                   float dx3, float dy3, float dx4, float dy4) {
  Color tint = settings_.blitColor.Tint();
  if (!BeginTexturedDraw(&tint)) return;
  const PointF source[4] = {{sx1, sy1}, {sx2, sy2}, {sx3, sy3}, {sx4, sy4}};
  const PointF destination[4] = {{dx1, dy1}, {dx2, dy2}, {dx3, dy3}, {dx4, dy4}};
  DrawQuad(FlipToWorld(ArbitraryQuad(source, destination, textureWidth_, textureHeight_)).corners);
  SetColor(kWhite);
}

void KGraphicGL::DrawRect(float x1, float y1, float x2, float y2, float r, float g, float b,
                          float a) {
  RectF whole = TruncateRect({x1, y1, x2, y2});
  const PointF corners[4] = {
      {whole.x1, whole.y1}, {whole.x2, whole.y1}, {whole.x2, whole.y2}, {whole.x1, whole.y2}};
  // Opaque exactly at alpha 1, whatever the picture's blend mode.
  DrawUntextured(GL_QUADS, corners, 4, {r, g, b, a}, a != 1.0f);
}

void KGraphicGL::DrawLine(float x1, float y1, float x2, float y2, float r, float g, float b,
                          float a) {
  const PointF ends[2] = {PixelCentre(x1, y1), PixelCentre(x2, y2)};
  DrawUntextured(GL_LINES, ends, 2, {r, g, b, a}, true);
}

void KGraphicGL::PlotPixel(float x, float y, float r, float g, float b, float a) {
  const PointF point = PixelCentre(x, y);
  DrawUntextured(GL_POINTS, &point, 1, {r, g, b, a}, true);
}
