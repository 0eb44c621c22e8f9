// The sprite sheet of the level: paddle, ball (also the life icon), the three gifts, the snowball
// and the chimney, each drawn inside its own cell with a transparent margin.
#pragma once

#include "canvas.h"

constexpr int kSpriteSheetSize = 512;

Canvas PaintSpriteSheet();
