#include "scene.h"

#include <algorithm>
#include <cmath>

#include "random.h"

namespace {

void PaintSky(Canvas& canvas, const SceneStyle& style) {
  canvas.Fill([&](float, float y) {
    float t = std::clamp(y / style.horizonY, 0.0f, 1.0f);
    return Mix(style.skyTop, style.skyHorizon, t * t);
  });
}

void PaintAurora(Canvas& canvas, const SceneStyle& style) {
  const Colour green{0.35f, 0.95f, 0.65f, 1.0f};
  canvas.Fill([&](float x, float y) {
    float centre =
        style.horizonY * 0.42f + 38.0f * std::sin(x / 130.0f) + 14.0f * std::sin(x / 47.0f);
    float spread = std::abs(y - centre) / 55.0f;
    float ripple = 0.6f + 0.4f * std::sin(x / 9.0f + std::sin(x / 60.0f) * 3.0f);
    float strength = std::exp(-spread * spread) * ripple * 0.16f;
    return WithAlpha(green, strength);
  });
}

void PaintStars(Canvas& canvas, const SceneStyle& style, Random& random) {
  int count = static_cast<int>(canvas.Width() * style.horizonY / 2600.0f);
  for (int i = 0; i < count; ++i) {
    float x = random.Uniform(0, canvas.Width()), y = random.Uniform(0, style.horizonY * 0.9f);
    float radius = random.Uniform(0.5f, 1.3f);
    float alpha = style.starBrightness * random.Uniform(0.3f, 1.0f) * (1.0f - y / style.horizonY);
    Colour colour = Mix(Colour{0.8f, 0.85f, 1.0f, alpha}, Colour{1.0f, 0.95f, 0.8f, alpha},
                        random.Uniform(0, 1));
    int left = static_cast<int>(x - 3), top = static_cast<int>(y - 3);
    canvas.FillShape(
        {left, top, left + 7, top + 7},
        [=](float px, float py) { return CircleDistance(px, py, x, y, radius); }, colour);
  }
}

void PaintMoon(Canvas& canvas, const SceneStyle& style) {
  if (style.moonRadius <= 0) return;
  const float cx = style.moonX, cy = style.moonY, r = style.moonRadius;
  int reach = static_cast<int>(r * 3);
  Box glowBox{static_cast<int>(cx) - reach, static_cast<int>(cy) - reach,
              static_cast<int>(cx) + reach, static_cast<int>(cy) + reach};
  canvas.FillShape(
      glowBox, [=](float x, float y) { return CircleDistance(x, y, cx, cy, r * 3); },
      [=](float x, float y) {
        float d = std::hypot(x - cx, y - cy) / (r * 3);
        return Colour{0.7f, 0.78f, 1.0f, 0.18f * (1 - d) * (1 - d)};
      });
  canvas.FillShape(
      glowBox, [=](float x, float y) { return CircleDistance(x, y, cx, cy, r); },
      [=](float x, float y) {
        float shade = 0.95f - 0.12f * ((x - cx) + (y - cy)) / (2 * r);
        return Shade(Colour{0.98f, 0.96f, 0.86f, 1}, shade);
      });
  // A few soft grey seas on the face.
  const float seas[][3] = {{-0.35f, -0.2f, 0.28f}, {0.25f, 0.1f, 0.22f}, {-0.05f, 0.45f, 0.18f}};
  for (const auto& sea : seas) {
    float sx = cx + sea[0] * r, sy = cy + sea[1] * r, sr = sea[2] * r;
    canvas.FillShape(
        glowBox, [=](float x, float y) { return CircleDistance(x, y, sx, sy, sr); },
        Colour{0.72f, 0.7f, 0.62f, 0.35f});
  }
}

// A ridge of hills: the ground lies below the curve, lit from above and darker toward its foot.
void PaintRidge(Canvas& canvas, float baseY, float height, float phase, Colour top, Colour foot) {
  auto ridge = [=](float x) {
    return baseY - height * (0.55f + 0.3f * std::sin(x / 170.0f + phase) +
                             0.15f * std::sin(x / 61.0f + phase * 2.3f));
  };
  canvas.FillShape(
      {0, static_cast<int>(baseY - height) - 2, canvas.Width(), canvas.Height()},
      [=](float x, float y) { return ridge(x) - y; },
      [=](float x, float y) {
        float depth = std::clamp((y - ridge(x)) / 140.0f, 0.0f, 1.0f);
        return Mix(top, foot, depth);
      });
}

void PaintPine(Canvas& canvas, float x, float baseY, float height) {
  const Colour needles{0.06f, 0.2f, 0.16f, 1}, snow{0.9f, 0.94f, 1.0f, 1};
  float width = height * 0.55f;
  Box box{static_cast<int>(x - width), static_cast<int>(baseY - height) - 2,
          static_cast<int>(x + width) + 2, static_cast<int>(baseY) + 2};
  canvas.FillShape(
      box,
      [=](float px, float py) {
        return RoundedBoxDistance(px, py, x - height * 0.05f, baseY - height * 0.2f,
                                  x + height * 0.05f, baseY, 1.0f);
      },
      Colour{0.2f, 0.12f, 0.08f, 1});
  for (int tier = 0; tier < 3; ++tier) {
    float tierTop = baseY - height + tier * height * 0.24f;
    float tierBottom = tierTop + height * 0.42f;
    float half = width * (0.45f + tier * 0.27f) * 0.5f + 2;
    auto shape = [=](float px, float py) {
      return TriangleDistance(px, py, x, tierTop, x - half, tierBottom, x + half, tierBottom);
    };
    canvas.FillShape(box, shape, needles);
    // Snow lies on the upper side of each tier.
    canvas.FillShape(
        box,
        [=](float px, float py) {
          return std::max(shape(px, py), py - (tierTop + (tierBottom - tierTop) * 0.35f +
                                               3.0f * std::sin(px * 0.5f)));
        },
        snow);
  }
}

void PaintCottage(Canvas& canvas, float x, float baseY, float size) {
  const Colour wall{0.36f, 0.2f, 0.14f, 1}, roofSnow{0.92f, 0.95f, 1.0f, 1};
  const Colour window{1.0f, 0.78f, 0.35f, 1}, chimney{0.45f, 0.2f, 0.16f, 1};
  float w = size, h = size * 0.6f;
  Box box{static_cast<int>(x - w), static_cast<int>(baseY - h * 3), static_cast<int>(x + w * 2),
          static_cast<int>(baseY) + 2};
  canvas.FillShape(
      box,
      [=](float px, float py) {
        return RoundedBoxDistance(px, py, x + w * 0.62f, baseY - h * 2.05f, x + w * 0.76f,
                                  baseY - h, 0.5f);
      },
      chimney);
  canvas.FillShape(
      box,
      [=](float px, float py) {
        return RoundedBoxDistance(px, py, x, baseY - h, x + w, baseY, 1.0f);
      },
      wall);
  canvas.FillShape(
      box,
      [=](float px, float py) {
        return TriangleDistance(px, py, x + w / 2, baseY - h * 1.9f, x - w * 0.12f,
                                baseY - h * 0.9f, x + w * 1.12f, baseY - h * 0.9f);
      },
      roofSnow);
  for (int i = 0; i < 2; ++i) {
    float wx = x + w * (0.18f + i * 0.42f);
    canvas.FillShape(
        box,
        [=](float px, float py) {
          return RoundedBoxDistance(px, py, wx, baseY - h * 0.7f, wx + w * 0.22f, baseY - h * 0.3f,
                                    1.0f);
        },
        window);
  }
  // Smoke: a column of soft puffs drifting right.
  for (int puff = 0; puff < 6; ++puff) {
    float px0 = x + w * 0.69f + puff * puff * 1.2f, py0 = baseY - h * 2.2f - puff * size * 0.22f;
    float r = size * (0.09f + puff * 0.025f);
    canvas.FillShape(
        {static_cast<int>(px0 - r) - 2, static_cast<int>(py0 - r) - 2,
         static_cast<int>(px0 + r) + 3, static_cast<int>(py0 + r) + 3},
        [=](float px, float py) { return CircleDistance(px, py, px0, py0, r); },
        Colour{0.75f, 0.78f, 0.85f, 0.22f - puff * 0.03f});
  }
}

void PaintSnowfall(Canvas& canvas, const SceneStyle& style, Random& random) {
  int count = static_cast<int>(canvas.Width() * canvas.Height() * style.snowfall / 1000.0f);
  for (int i = 0; i < count; ++i) {
    float x = random.Uniform(0, canvas.Width()), y = random.Uniform(0, canvas.Height());
    float radius = random.Uniform(0.7f, 2.2f);
    float alpha = random.Uniform(0.25f, 0.7f);
    int left = static_cast<int>(x - 4), top = static_cast<int>(y - 4);
    canvas.FillShape(
        {left, top, left + 9, top + 9},
        [=](float px, float py) { return CircleDistance(px, py, x, y, radius); },
        Colour{0.95f, 0.97f, 1.0f, alpha});
  }
}

}  // namespace

void PaintWinterScene(Canvas& canvas, const SceneStyle& style) {
  Random random(style.seed);
  PaintSky(canvas, style);
  if (style.aurora) PaintAurora(canvas, style);
  if (style.starBrightness > 0) PaintStars(canvas, style, random);
  PaintMoon(canvas, style);

  const float h = style.horizonY;
  PaintRidge(canvas, h + 40, 60, 0.4f, Colour{0.42f, 0.5f, 0.7f, 1}, Colour{0.3f, 0.36f, 0.55f, 1});
  for (int i = 0; i < 14; ++i) {
    float x = random.Uniform(0, canvas.Width());
    PaintPine(canvas, x, h + 45 + random.Uniform(0, 20), random.Uniform(30, 48));
  }
  PaintRidge(canvas, h + 110, 75, 2.1f, Colour{0.66f, 0.74f, 0.9f, 1},
             Colour{0.5f, 0.58f, 0.78f, 1});
  for (int i = 0; i < style.cottages; ++i) {
    float x = 90 + (canvas.Width() - 200) * (i + 0.5f) / style.cottages + random.Uniform(-40, 40);
    PaintCottage(canvas, x, h + 95 + random.Uniform(0, 15), random.Uniform(46, 60));
  }
  for (int i = 0; i < 8; ++i) {
    float x = random.Uniform(0, canvas.Width());
    PaintPine(canvas, x, h + 120 + random.Uniform(0, 30), random.Uniform(60, 90));
  }
  PaintRidge(canvas, canvas.Height() + 10, 150, 4.0f, Colour{0.9f, 0.93f, 1.0f, 1},
             Colour{0.74f, 0.8f, 0.94f, 1});
  PaintSnowfall(canvas, style, random);
}
