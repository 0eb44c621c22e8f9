// The frames the game drew, as pictures drawn: for each draw the texture, the source and
// destination rectangles, the turn, the colour and alpha, the blend factors and the filtering,
// so that another renderer can draw the same frames. Filled by FrameRecorder.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The parts of the game's frame, in the order a frame goes through them.
enum class FramePart {
  kInputAndUpdate,  // from the flip's message handling to the first draw: input, moves, the
                    // flip's waits and the next scene's start
  kBackground,
  kObjects,  // the hanging objects, the ball and the paddle
  kLivesAndCounter,
  kText,
  kFlipAndPresent,  // from the last draw to the flip's message handling
};
constexpr size_t kFrameParts = 6;
extern const std::array<const char*, kFrameParts> kFramePartNames;

// A texture's texels, rows from the top, each word A8R8G8B8.
struct TextureCopy {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> texels;
};

// Blend factors as Direct3D numbers them (D3DBLEND_...).
struct Blending {
  bool on = false;
  uint32_t source = 0;
  uint32_t destination = 0;
};

struct SpriteDraw {
  int texture = 0;                         // index into the recording's textures
  int sourceX, sourceY, sourceW, sourceH;  // texels
  bool flipX = false, flipY = false;
  float x, y, w, h;  // the destination rectangle before turning, in pixels (pixel centres at .5)
  float angle = 0;   // degrees clockwise about the destination's centre
  uint8_t red, green, blue, alpha;
  Blending blending;
  bool linear = false;  // linear filtering, else nearest
  FramePart part = FramePart::kObjects;
};

struct RecordedFrames {
  std::vector<TextureCopy> textures;
  std::vector<std::vector<SpriteDraw>> frames;
  // Draws that were no textured rectangle, and so could not be recorded.
  int skippedDraws = 0;
};
