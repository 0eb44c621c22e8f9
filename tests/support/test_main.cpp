// The entry of every test program: message boxes are captured instead of shown, so that no test
// can block on one.
#include <gtest/gtest.h>

#include "platform/message_boxes.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

int main(int argc, char** argv) {
  platform::CaptureMessageBoxes(true);
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
#if defined(__SANITIZE_ADDRESS__)
  // Look for leaks now, while the system libraries that SDL and GL load are still loaded: memory
  // they keep for the life of the process is then still reachable from them. At exit they are
  // unloaded first, and what they kept would look leaked.
  __lsan_do_leak_check();
#endif
  return result;
}
