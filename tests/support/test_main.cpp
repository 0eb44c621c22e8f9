// The entry of every test program: message boxes are captured instead of shown, so that no test
// can block on one.
#include <gtest/gtest.h>

#include "platform/message_boxes.h"

int main(int argc, char** argv) {
  platform::CaptureMessageBoxes(true);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
