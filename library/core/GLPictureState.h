// What all OpenGL pictures share: the screen size the window set and the texture last bound.
#pragma once

#include <cstdint>

struct GLPictureState {
  static constexpr uint32_t kNothingBound = 0xFFFFFFFFu;

  uint16_t screenWidth = 0;
  uint16_t screenHeight = 0;
  uint16_t screenDepth = 0;
  // Only remembered: the texture name the pictures last bound in the current context.
  uint32_t lastBound = kNothingBound;
};

extern GLPictureState g_glPictures;
