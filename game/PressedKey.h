// A key that counts as down only once it has been up since the object was made, so that a key
// still held from the previous screen doesn't act again on the next one.
#pragma once

#include "KInput.h"

class PressedKey {
 public:
  explicit PressedKey(int keyId) : keyId_(keyId), heldFromBefore_(KInput::IsKeyDown(keyId)) {}

  bool IsDown() {
    bool down = KInput::IsKeyDown(keyId_);
    if (!down) heldFromBefore_ = false;
    return down && !heldFromBefore_;
  }

 private:
  int keyId_;
  bool heldFromBefore_;
};
