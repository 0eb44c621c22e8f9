#include <gtest/gtest.h>

#include "platform/message_boxes.h"
#include "platform/win32_user.h"

TEST(MessageBox, CapturedBoxesAreRecordedWithoutBlocking) {
  platform::TakeMessageBoxes();
  EXPECT_EQ(MessageBoxA(nullptr, "could not load", "error", MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "no caption", nullptr, MB_OK), IDOK);
  auto boxes = platform::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, "error");
  EXPECT_EQ(boxes[0].text, "could not load");
  EXPECT_EQ(boxes[1].caption, "Error");
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}
