// A key that counts as down only once it has been up since the object was made, so that a key
// still held from the previous screen doesn't act again on the next one.
#pragma once

#include "KInput.h"

class PressedKey {
 public:
  explicit PressedKey(int keyId) : _keyId(keyId), _heldFromBefore(KInput::IsKeyDown(keyId)) {}

  bool IsDown() {
    bool down = KInput::IsKeyDown(_keyId);
    if (!down) _heldFromBefore = false;
    return down && !_heldFromBefore;
  }

 private:
  int _keyId;
  bool _heldFromBefore;
};
