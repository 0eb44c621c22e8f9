#include "KGraphic.h"
#include "ScreenPixel.h"
#include "Widgets.h"

PictureRegion::PictureRegion(KGraphic* graphic, float width, float height, float sourceX,
                             float sourceY)
    : picture(graphic), size{width, height}, source{sourceX, sourceY} {}

Sprite::Sprite(KGraphic* graphic, float width, float height, float sourceX, float sourceY)
    : PictureRegion(graphic, width, height, sourceX, sourceY) {}

bool Sprite::Contains(Vector2 point) const {
  return PointInRect(point, drawPosition.x, drawPosition.y, size.x, size.y);
}

void Sprite::Draw() {
  DrawAt(ScreenPixel(drawPosition.x), ScreenPixel(drawPosition.y), angle, zoom, alpha);
}

void Sprite::DrawAt(int16_t x, int16_t y, float drawAngle, float drawZoom, float drawAlpha) {
  if (!picture) return;
  picture->BlitAlphaRectFx(source.x, source.y, source.x + size.x, source.y + size.y, x, y,
                           drawAngle, drawZoom, drawAlpha, false, false, 0, 0);
}
