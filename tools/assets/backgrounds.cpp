#include "backgrounds.h"

#include "scene.h"

namespace {

const Colour kWhite{1, 1, 1, 1};
const Colour kFrost{0.78f, 0.88f, 1.0f, 1};
const Colour kWarm{1.0f, 0.86f, 0.55f, 1};

}  // namespace

Canvas PaintLevelBackground() {
  // The sky stays dark from the top down to y 300: the level's white messages are drawn at y 80
  // and y 180 in a 50-pixel font, and the hanging objects need a calm backdrop.
  Canvas canvas(kBackgroundWidth, kBackgroundHeight);
  PaintWinterScene(canvas, {.seed = 1201,
                            .skyTop = {0.02f, 0.03f, 0.1f, 1},
                            .skyHorizon = {0.14f, 0.2f, 0.38f, 1},
                            .horizonY = 370,
                            .starBrightness = 0.55f,
                            .moonX = 640,
                            .moonY = 36,
                            .moonRadius = 20,
                            .aurora = false,
                            .cottages = 2,
                            .snowfall = 0.25f});
  return canvas;
}

Canvas PaintMenuBackground(TextPainter& text) {
  Canvas canvas(kBackgroundWidth, kBackgroundHeight);
  PaintWinterScene(canvas, {.seed = 2402,
                            .skyTop = {0.03f, 0.04f, 0.14f, 1},
                            .skyHorizon = {0.2f, 0.26f, 0.46f, 1},
                            .horizonY = 380,
                            .starBrightness = 0.8f,
                            .moonX = 120,
                            .moonY = 80,
                            .moonRadius = 34,
                            .aurora = true,
                            .cottages = 3,
                            .snowfall = 0.5f});
  text.DrawCentred(canvas, "Tundrel", 110, 400, 190, kWhite);
  text.DrawCentred(canvas, "Catch the falling gifts!", 30, 400, 240, kWarm);
  text.DrawCentred(canvas, "Click to play", 48, 400, 320, kWhite);
  text.DrawCentred(canvas, "Escape to leave", 30, 400, 365, kFrost);
  return canvas;
}

Canvas PaintFinishBackground(TextPainter& text) {
  Canvas canvas(kBackgroundWidth, kBackgroundHeight);
  PaintWinterScene(canvas, {.seed = 3603,
                            .skyTop = {0.05f, 0.04f, 0.16f, 1},
                            .skyHorizon = {0.32f, 0.24f, 0.42f, 1},
                            .horizonY = 390,
                            .starBrightness = 1.0f,
                            .moonX = 725,
                            .moonY = 90,
                            .moonRadius = 40,
                            .aurora = true,
                            .cottages = 4,
                            .snowfall = 0.35f});
  text.DrawCentred(canvas, "Well done!", 90, 400, 170, kWarm);
  text.DrawCentred(canvas, "Every gift has found its way home.", 32, 400, 230, kWhite);
  text.DrawCentred(canvas, "Click to return to the menu", 36, 400, 320, kFrost);
  return canvas;
}

Canvas PaintGameOverBackground(TextPainter& text) {
  Canvas canvas(kBackgroundWidth, kBackgroundHeight);
  PaintWinterScene(canvas, {.seed = 4804,
                            .skyTop = {0.02f, 0.02f, 0.05f, 1},
                            .skyHorizon = {0.16f, 0.18f, 0.26f, 1},
                            .horizonY = 360,
                            .starBrightness = 0.0f,
                            .moonX = 0,
                            .moonY = 0,
                            .moonRadius = 0,
                            .aurora = false,
                            .cottages = 1,
                            .snowfall = 1.6f});
  text.DrawCentred(canvas, "Game over", 90, 400, 170, kWhite);
  text.DrawCentred(canvas, "The blizzard won this time.", 32, 400, 230, kFrost);
  text.DrawCentred(canvas, "Click to return to the menu", 36, 400, 320, kWarm);
  return canvas;
}
