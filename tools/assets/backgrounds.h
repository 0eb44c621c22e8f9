// The four 800 x 600 backgrounds: the level's landscape, and the menu, finish and game-over screens
// with what the player can do there written on them.
#pragma once

#include "canvas.h"
#include "text.h"

constexpr int kBackgroundWidth = 800;
constexpr int kBackgroundHeight = 600;

Canvas PaintLevelBackground();
Canvas PaintMenuBackground(TextPainter& text);
Canvas PaintFinishBackground(TextPainter& text);
Canvas PaintGameOverBackground(TextPainter& text);
