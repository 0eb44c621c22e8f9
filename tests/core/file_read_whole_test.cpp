#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "ReadWholeFile.h"
#include "platform/message_boxes.h"
#include "temp_folder.h"

namespace {

struct FreeBlock {
  void operator()(void* block) const { std::free(block); }
};
using Block = std::unique_ptr<void, FreeBlock>;

class ReadWhole : public testing::Test {
 protected:
  void SetUp() override { platform::TakeMessageBoxes(); }

  // The one message box shown since the last call: its caption, and a check of its text.
  std::string Caption(const std::string& path) {
    auto boxes = platform::TakeMessageBoxes();
    if (boxes.size() != 1) return "boxes: " + std::to_string(boxes.size());
    EXPECT_EQ(boxes[0].text, path);
    return boxes[0].caption;
  }

  TempFolder folder;
};

TEST_F(ReadWhole, ReadsTheFileFromDisk) {
  std::string path = folder.Write("data.bin", std::string("ab\0cd", 5));
  Block data(ReadWholeFile(path.c_str()));
  ASSERT_TRUE(data);
  EXPECT_EQ(std::memcmp(data.get(), "ab\0cd", 5), 0);
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
}

TEST_F(ReadWhole, LeavesOutALeadingPihsTag) {
  std::string path = folder.Write("tagged.bin", "pihsPAYLOAD");
  Block data(ReadWholeFile(path.c_str()));
  ASSERT_TRUE(data);
  EXPECT_EQ(std::memcmp(data.get(), "PAYLOAD", 7), 0);
  std::string untagged = folder.Write("untagged.bin", "pihXPAYLOAD");
  Block whole(ReadWholeFile(untagged.c_str()));
  ASSERT_TRUE(whole);
  EXPECT_EQ(std::memcmp(whole.get(), "pihXPAYLOAD", 11), 0);
}

TEST_F(ReadWhole, AFileShorterThanATagIsReadWhole) {
  std::string path = folder.Write("short.bin", "pi");
  Block data(ReadWholeFile(path.c_str()));
  ASSERT_TRUE(data);
  EXPECT_EQ(std::memcmp(data.get(), "pi", 2), 0);
}

TEST_F(ReadWhole, EmptyFilesAreReported) {
  std::string empty = folder.Write("empty.bin", "");
  EXPECT_FALSE(ReadWholeFile(empty.c_str()));
  EXPECT_EQ(Caption(empty), "file is 0 byte");
  std::string onlyTag = folder.Write("tag.bin", "pihs");
  EXPECT_FALSE(ReadWholeFile(onlyTag.c_str()));
  EXPECT_EQ(Caption(onlyTag), "file is 0 byte");
}

TEST_F(ReadWhole, MissingFilesAndFoldersCannotBeOpened) {
  std::string missing = folder.File("missing.bin");
  EXPECT_FALSE(ReadWholeFile(missing.c_str()));
  EXPECT_EQ(Caption(missing), "Could not open file");
  folder.Write("sub/x", "x");
  std::string sub = folder.File("sub");
  EXPECT_FALSE(ReadWholeFile(sub.c_str()));
  EXPECT_EQ(Caption(sub), "Could not open file");
}

}  // namespace
