// Reference counting shared by the DirectDraw and Direct3D objects: an object is destroyed at its
// last Release. AddRef and Release are recorded, so tests can check release orders.
#pragma once

#include "directx/seams.h"

namespace platform::directx {

template <typename Interface>
class RefCounted : public Interface {
 public:
  ULONG AddRef() override {
    if (Recording()) Record({.name = "AddRef", .object = this});
    return ++count_;
  }

  ULONG Release() override {
    if (Recording()) Record({.name = "Release", .object = this});
    ULONG left = --count_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  ~RefCounted() override = default;
  ULONG count_ = 1;
};

}  // namespace platform::directx
