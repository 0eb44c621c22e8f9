#include "sprites.h"

#include <algorithm>
#include <cmath>

#include "random.h"

namespace {

// Draws in the coordinates of one cell of the sheet; nothing reaches outside the cell.
class Cell {
 public:
  Cell(Canvas& canvas, int left, int top, int right, int bottom)
      : canvas_(canvas), left_(left), top_(top), box_{left, top, right, bottom} {}

  void Fill(const Distance& local, const Paint& paint) {
    canvas_.FillShape(
        box_, [&](float x, float y) { return local(x - left_, y - top_); },
        [&](float x, float y) { return paint(x - left_, y - top_); });
  }
  void Fill(const Distance& local, Colour colour) {
    Fill(local, [colour](float, float) { return colour; });
  }

 private:
  Canvas& canvas_;
  float left_, top_;
  Box box_;
};

const Colour kString{0.86f, 0.87f, 0.92f, 1};

// The thread an object hangs from, from just inside the cell's top to where the object begins.
void PaintString(Cell& cell, float x, float bottom) {
  cell.Fill([=](float px, float py) { return SegmentDistance(px, py, x, 4, x, bottom, 0.8f); },
            kString);
  cell.Fill([=](float px, float py) { return CircleDistance(px, py, x, 4.5f, 1.8f); }, kString);
}

// Light from the upper left: lighter toward the top-left corner of the given box.
Colour Lit(Colour base, float x, float y, float left, float top, float right, float bottom) {
  float t = ((x - left) / (right - left) + (y - top) / (bottom - top)) / 2;
  return Shade(base, 1.25f - 0.5f * t);
}

void PaintPaddle(Canvas& canvas) {
  Cell cell(canvas, 4, 4, 180, 48);
  // The paddle's collision rectangle is (8, 10) to (153, 34) in the cell: a candy-striped sled
  // board.
  const float left = 8, top = 10, right = 153, bottom = 34;
  cell.Fill(
      [=](float x, float y) {
        return RoundedBoxDistance(x, y, left - 1.5f, top - 1.5f, right + 1.5f, bottom + 1.5f,
                                  13.5f);
      },
      Colour{0.3f, 0.04f, 0.06f, 1});
  cell.Fill(
      [=](float x, float y) { return RoundedBoxDistance(x, y, left, top, right, bottom, 12); },
      [=](float x, float y) {
        bool stripe = std::fmod(x + (y - top) * 0.8f, 24.0f) < 9.0f;
        Colour base = stripe ? Colour{0.97f, 0.95f, 0.93f, 1} : Colour{0.85f, 0.1f, 0.14f, 1};
        float vertical = (y - top) / (bottom - top);
        float gloss = vertical < 0.3f ? 1.25f : 1.0f - 0.35f * (vertical - 0.3f);
        return Shade(base, gloss);
      });
  cell.Fill(
      [=](float x, float y) {
        return RoundedBoxDistance(x, y, left + 10, top + 3, right - 10, top + 7, 2);
      },
      Colour{1, 1, 1, 0.45f});
}

void PaintOrnament(Canvas& canvas) {
  Cell cell(canvas, 125, 44, 175, 94);
  // The ball's circle: centre (26, 23), radius 14. Its cap stays below row 4, so the rows this cell
  // shares with the paddle's cell stay clear.
  const float cx = 26, cy = 23, r = 14.5f;
  cell.Fill(
      [=](float x, float y) {
        return RoundedBoxDistance(x, y, cx - 3.5f, cy - r - 4, cx + 3.5f, cy - r + 2, 1.2f);
      },
      Colour{0.85f, 0.7f, 0.3f, 1});
  cell.Fill([=](float x, float y) { return CircleDistance(x, y, cx, cy, r); },
            [=](float x, float y) {
              float d = std::hypot(x - (cx - 5), y - (cy - 5)) / (r * 1.6f);
              Colour base = std::abs(y - cy - 2) < 2.2f ? Colour{0.98f, 0.8f, 0.3f, 1}
                                                        : Colour{0.9f, 0.12f, 0.2f, 1};
              return Shade(base, 1.35f - std::min(d, 1.0f) * 0.75f);
            });
  cell.Fill([=](float x, float y) { return CircleDistance(x, y, cx - 5, cy - 6, 3.2f); },
            Colour{1, 1, 1, 0.8f});
}

void PaintSnowball(Canvas& canvas) {
  Cell cell(canvas, 184, 0, 319, 147);
  // The catch rectangle is (31, 39) to (102, 110): the snowball fills it as a circle.
  const float cx = 66.5f, cy = 74.5f, r = 35;
  PaintString(cell, cx, cy - r + 2);
  // Packed snow: soft blue shadow toward the lower right, and a few glints of ice.
  cell.Fill([=](float x, float y) { return CircleDistance(x, y, cx, cy, r); },
            [=](float x, float y) {
              float light = 1.15f - 0.75f * std::hypot(x - (cx - 12), y - (cy - 12)) / (r * 1.7f);
              return Mix(Colour{0.62f, 0.72f, 0.92f, 1}, Colour{0.97f, 0.98f, 1.0f, 1},
                         std::clamp(light, 0.0f, 1.0f));
            });
  Random random(77);
  for (int i = 0; i < 14; ++i) {
    float angle = random.Uniform(0, 6.2831853f), distance = random.Uniform(0, r - 6);
    float gx = cx + distance * std::cos(angle), gy = cy + distance * std::sin(angle);
    float size = random.Uniform(0.8f, 1.6f);
    cell.Fill([=](float x, float y) { return CircleDistance(x, y, gx, gy, size); },
              Colour{1, 1, 1, 0.9f});
  }
  cell.Fill([=](float x, float y) { return CircleDistance(x, y, cx - 13, cy - 14, 7); },
            Colour{1, 1, 1, 0.55f});
}

void PaintChimney(Canvas& canvas) {
  Cell cell(canvas, 319, 0, 452, 147);
  // The catch rectangle is (34, 41) to (99, 109): a brick stack under a stone cap.
  const float left = 36, right = 97, top = 50, bottom = 109;
  PaintString(cell, 66.5f, 40);
  cell.Fill(
      [=](float x, float y) { return RoundedBoxDistance(x, y, left, top, right, bottom, 1.5f); },
      [=](float x, float y) {
        int row = static_cast<int>((y - top) / 9.5f);
        float shift = row % 2 ? 9.0f : 0.0f;
        bool mortar = std::fmod(y - top, 9.5f) < 1.6f || std::fmod(x - left + shift, 18.0f) < 1.6f;
        Colour brick =
            Mix(Colour{0.62f, 0.2f, 0.14f, 1}, Colour{0.5f, 0.16f, 0.12f, 1},
                static_cast<float>((row * 7 + static_cast<int>((x + shift) / 18)) % 3) / 2);
        Colour colour = mortar ? Colour{0.72f, 0.68f, 0.64f, 1} : brick;
        return Lit(colour, x, y, left, top, right, bottom);
      });
  cell.Fill([=](float x, float y) { return RoundedBoxDistance(x, y, 33, 41, 100, 52, 2); },
            [=](float x, float y) {
              return Lit(Colour{0.5f, 0.5f, 0.55f, 1}, x, y, 33, 41, 100, 52);
            });
  // Snow lies on the cap.
  cell.Fill(
      [=](float x, float y) {
        float surface = 41.5f - 4.0f - 1.6f * std::sin(x * 0.31f);
        return std::max(RoundedBoxDistance(x, y, 32, 30, 101, 45, 4), surface - y);
      },
      Colour{0.95f, 0.97f, 1.0f, 1});
}

struct GiftLook {
  float left, top, right, bottom;  // the catch rectangle, in cell coordinates
  Colour paper, ribbon;
  int pattern;  // 0 plain, 1 dots, 2 stripes
};

void PaintGift(Canvas& canvas, int cellLeft, int cellTop, int cellRight, int cellBottom,
               const GiftLook& look) {
  Cell cell(canvas, cellLeft, cellTop, cellRight, cellBottom);
  const float left = look.left, right = look.right, bottom = look.bottom;
  const float centre = (left + right) / 2, lidBottom = look.top + 12;
  const float bowY = look.top - 6, loop = (right - left) * 0.13f + 3;
  PaintString(cell, centre, bowY - loop);

  auto paper = [=](float x, float y) {
    Colour base = look.paper;
    if (look.pattern == 1 && std::hypot(std::fmod(x, 14.0f) - 7, std::fmod(y, 14.0f) - 7) < 2.6f) {
      base = Shade(base, 1.35f);
    }
    if (look.pattern == 2 && std::fmod(x - y + 400, 16.0f) < 5) base = Shade(base, 1.3f);
    return Lit(base, x, y, left, look.top, right, bottom);
  };
  cell.Fill(
      [=](float x, float y) {
        return RoundedBoxDistance(x, y, left + 2, lidBottom - 2, right - 2, bottom, 2);
      },
      paper);
  cell.Fill(
      [=](float x, float y) {
        return RoundedBoxDistance(x, y, left, look.top, right, lidBottom, 2.5f);
      },
      [=](float x, float y) { return Shade(paper(x, y), 1.1f); });
  // The ribbon: a broad band down the middle, across the lid and around the box.
  const float band = (right - left) * 0.08f + 3;
  auto ribbon = [=](float x, float y) {
    return Lit(look.ribbon, x, y, left, look.top, right, bottom);
  };
  cell.Fill(
      [=](float x, float y) {
        return RoundedBoxDistance(x, y, centre - band, look.top, centre + band, bottom, 0.5f);
      },
      ribbon);
  const float middle = (lidBottom + bottom) / 2;
  cell.Fill(
      [=](float x, float y) {
        return RoundedBoxDistance(x, y, left + 2, middle - band * 0.8f, right - 2,
                                  middle + band * 0.8f, 0.5f);
      },
      ribbon);
  // The bow: two loops and a knot above the lid.
  for (float side : {-1.0f, 1.0f}) {
    float lx = centre + side * loop * 0.95f;
    cell.Fill(
        [=](float x, float y) {
          float outer = CircleDistance(x, y, lx, bowY, loop);
          float hole = -CircleDistance(x, y, lx + side * 1.5f, bowY + 0.5f, loop * 0.42f);
          return std::max(outer, hole);
        },
        [=](float x, float y) { return Shade(ribbon(x, y), 1.08f); });
  }
  cell.Fill([=](float x, float y) { return CircleDistance(x, y, centre, bowY + 2, loop * 0.45f); },
            [=](float x, float y) { return Shade(ribbon(x, y), 0.85f); });
}

}  // namespace

Canvas PaintSpriteSheet() {
  Canvas canvas(kSpriteSheetSize, kSpriteSheetSize);
  PaintPaddle(canvas);
  PaintOrnament(canvas);
  PaintSnowball(canvas);
  PaintChimney(canvas);
  PaintGift(canvas, 50, 147, 184, 293,
            {27, 70, 103, 122, {0.86f, 0.1f, 0.14f, 1}, {1.0f, 0.82f, 0.25f, 1}, 0});
  PaintGift(canvas, 184, 147, 319, 293,
            {25, 63, 111, 126, {0.12f, 0.58f, 0.3f, 1}, {0.92f, 0.15f, 0.2f, 1}, 1});
  PaintGift(canvas, 319, 147, 452, 293,
            {19, 53, 115, 129, {0.2f, 0.4f, 0.88f, 1}, {0.95f, 0.95f, 1.0f, 1}, 2});
  return canvas;
}
