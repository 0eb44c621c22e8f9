#include "SwapInterval.h"

void SwapInterval::SetSetter(Setter setter) {
  setter_ = setter;
  asked_ = kNoneAsked;
}

void SwapInterval::Apply() {
  if (!setter_ || wanted_ == asked_) return;
  setter_(wanted_);
  asked_ = wanted_;
}
