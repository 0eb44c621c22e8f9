// Fuzz target for TrueType fonts: the input is loaded as KTrueText's face, and text is measured at
// two heights, which renders every glyph into the atlas's pixels (without a window the atlas
// picture itself is not made).
#include <cstddef>
#include <cstdint>

#include "KTrueText.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 20)) return 0;
  KTrueText text(InputAsFile(data, size).c_str());
  for (int height : {14, 40}) {
    text.SetHeightPix(height);
    text.GetStringWidth("Tundrel 1234 !?", 1);
  }
  text.SetHeightPt(9);
  text.GetStringWidth("\xE9t\xE9", -2);
  return 0;
}
