// The library's software cursor: a 16 x 16 picture drawn at the mouse by the window's flip.
#include <array>

#include "KFactory.h"
#include "KGraphic.h"
#include "KInput.h"
#include "KInputState.h"

namespace {

constexpr int kArrowSize = kCursorSize;

// W white outline, B black inside, . transparent; the tip is the top-left pixel.
constexpr const char* kArrowRows[kArrowSize] = {
    "WW..............", "WBW.............", "WBBW............", "WBBBW...........",
    "WBBBBW..........", "WBBBBBW.........", "WBBBBBBW........", "WBBBBBBBW.......",
    "WBBBBBBBBW......", "WBBBBBBBW.......", "WBBBBBWW........", "WBBBBBW.........",
    "WBBWBW..........", "WBW.W...........", "WW..............", "................",
};

constexpr std::array<uint32_t, 2 + kArrowSize * kArrowSize> MakeArrow() {
  std::array<uint32_t, 2 + kArrowSize * kArrowSize> image{};
  image[0] = kArrowSize;
  image[1] = kArrowSize;
  for (int y = 0; y < kArrowSize; ++y) {
    for (int x = 0; x < kArrowSize; ++x) {
      char pixel = kArrowRows[y][x];
      image[2 + y * kArrowSize + x] = pixel == 'W' ? 0xFFFFFFFFu : pixel == 'B' ? 0xFF000000u : 0u;
    }
  }
  return image;
}

// Writable: the picture made from it refers to its pixels.
std::array<uint32_t, 2 + kArrowSize* kArrowSize> g_arrow = MakeArrow();

const uint32_t* g_cursorImage = g_arrow.data();

}  // namespace

KGraphic* g_cursorGraphic = nullptr;

void KInput::SetCursorImage(const uint32_t* image) {
  g_cursorImage = image;
}

void KInput::CreateCursorGraphic() {
  // A picture made before is replaced, not lost.
  FreeCursorGraphic();
  g_cursorGraphic = KFactory::CreateGraphic();
  if (!g_cursorGraphic || !g_cursorImage) return;
  int width = static_cast<int>(g_cursorImage[0]);
  int height = static_cast<int>(g_cursorImage[1]);
  g_cursorGraphic->MakePictureFromArray(const_cast<uint32_t*>(g_cursorImage + 2), width, height,
                                        false);
}

void KInput::FreeCursorGraphic() {
  delete g_cursorGraphic;
  g_cursorGraphic = nullptr;
}
