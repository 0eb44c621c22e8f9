// The keyboard layout (US positions): SDL's keys with their virtual keys and set-1 scan codes.
#pragma once

#include <SDL.h>

#include "platform/win32_types.h"

namespace platform {

struct KeyRow {
  SDL_Scancode sdl;
  int virtualKey;  // what its key messages carry (plain shift, control and alt codes)
  int sideKey;     // the left or right code of shift, control and alt, else 0
  int numLockKey;  // a number-pad key's code while Num Lock is on, else 0
  UINT scanCode;   // set 1, without the extended prefix
  bool extended;
};

// The row of an SDL key; null for keys the layout does not know.
const KeyRow* KeyRowOf(SDL_Scancode key);
// The first row that a virtual key (plain, side or number-pad code) names; null when none.
const KeyRow* KeyRowOfVirtualKey(int virtualKey);
// Every row, in layout order, ending with a row whose sdl is SDL_SCANCODE_UNKNOWN.
const KeyRow* KeyRows();

// The code a key's messages carry right now (number-pad keys follow Num Lock).
int MessageKeyOf(const KeyRow& row, bool numLock);

}  // namespace platform
