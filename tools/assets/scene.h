// The winter landscape that every background is painted from: night sky, moon, snowy hills, pine
// trees, cottages and falling snow.
#pragma once

#include <cstdint>

#include "canvas.h"

struct SceneStyle {
  uint32_t seed;
  Colour skyTop, skyHorizon;
  float horizonY;        // where the farthest hills begin
  float starBrightness;  // 0 for none
  float moonX, moonY, moonRadius;
  bool aurora;
  int cottages;
  float snowfall;  // flakes per thousand pixels
};

void PaintWinterScene(Canvas& canvas, const SceneStyle& style);
