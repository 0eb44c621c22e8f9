// Message boxes: each one is written to standard error; a real box is shown only to a person at a
// display. Captured boxes are recorded and never block.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct MessageBoxRecord {
  std::string caption;
  std::string text;
};

void CaptureMessageBoxes(bool capture);
std::vector<MessageBoxRecord> TakeMessageBoxes();

}  // namespace platform
