#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/win32_files.h"
#include "temp_folder.h"

namespace {

std::vector<std::string> List(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = data.cFileName;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) name += "/";
    names.push_back(name);
  } while (FindNextFileA(find, &data));
  EXPECT_TRUE(FindClose(find));
  return names;
}

class Folder : public testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("Level1.XML", "<level/>");
    folder_.Write("level2.xml", "<level/>");
    folder_.Write("readme", "no dot");
    folder_.MakeFolder("img");
  }
  std::string Pattern(const std::string& wildcard) {
    return folder_.WindowsPath() + "\\" + wildcard;
  }
  TempFolder folder_;
};

}  // namespace

TEST_F(Folder, StarDotStarListsEverythingWithDotEntries) {
  EXPECT_EQ(List(Pattern("*.*")),
            (std::vector<std::string>{"./", "../", "img/", "Level1.XML", "level2.xml", "readme"}));
}

TEST_F(Folder, WildcardsMatchWithoutRegardToCase) {
  EXPECT_EQ(List(Pattern("*.xml")), (std::vector<std::string>{"Level1.XML", "level2.xml"}));
  EXPECT_EQ(List(Pattern("LEVEL?.*")), (std::vector<std::string>{"Level1.XML", "level2.xml"}));
  EXPECT_EQ(List(Pattern("read*")), (std::vector<std::string>{"readme"}));
  EXPECT_EQ(List(Pattern("*d*e")), (std::vector<std::string>{"readme"}));
  EXPECT_TRUE(List(Pattern("*.png")).empty());
}

TEST_F(Folder, MissingFolderOrBadHandleFailsCleanly) {
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA((folder_.WindowsPath() + "\\none\\*.*").c_str(), &data),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirstFileA(nullptr, &data), INVALID_HANDLE_VALUE);
  int notAHandle;
  EXPECT_FALSE(FindNextFileA(&notAHandle, &data));
  EXPECT_FALSE(FindClose(&notAHandle));
}

TEST_F(Folder, FileWrappersTakeWindowsPaths) {
  std::string path = folder_.WindowsPath() + "\\img\\note.txt";
  FILE* file = platform::OpenFile(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("snow", file);
  std::fclose(file);
  EXPECT_EQ(folder_.Read("img/note.txt"), "snow");

  platform::FileInfo info = platform::GetFileInfo(path.c_str());
  EXPECT_TRUE(info.exists && info.isRegularFile && !info.isDirectory);
  EXPECT_EQ(info.size, 4);
  EXPECT_TRUE(platform::GetFileInfo((folder_.WindowsPath() + "\\img").c_str()).isDirectory);

  EXPECT_EQ(platform::RemoveFile(path.c_str()), 0);
  EXPECT_FALSE(platform::GetFileInfo(path.c_str()).exists);
  EXPECT_EQ(platform::OpenFile(path.c_str(), "rb"), nullptr);
  EXPECT_EQ(platform::NativePath("a\\b/c\\d"), "a/b/c/d");
}

// A named pipe without a writer would make a plain open wait for ever; a folder or a device opens
// and reports nonsense sizes. Only regular files are read, and each refusal says why.
TEST_F(Folder, OnlyRegularFilesAreReadAndEachRefusalSaysWhy) {
  folder_.Write("four.bin", "snow");
  folder_.Write("empty.bin", "");
  ASSERT_EQ(mkfifo(folder_.File("pipe.xml").c_str(), 0600), 0);
  const struct {
    std::string path;
    size_t limit;
    const char* reason;  // null: read whole
  } kRows[] = {
      {Pattern("four.bin"), 4, nullptr},
      {Pattern("four.bin"), 3, "too large"},
      {Pattern("empty.bin"), 4, "empty"},
      {Pattern("none.bin"), 4, "missing"},
      {Pattern("none\\four.bin"), 4, "missing"},
      {Pattern("img"), 4, "not a regular file"},
      {Pattern("pipe.xml"), 4, "not a regular file"},
      {"/dev/null", 4, "not a regular file"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.path);
    std::string bytes = "left over";
    const char* reason = platform::ReadRegularFile(row.path.c_str(), row.limit, &bytes);
    EXPECT_STREQ(reason, row.reason);
    EXPECT_EQ(bytes, row.reason ? "" : "snow");
  }
  const char* reason = nullptr;
  EXPECT_EQ(platform::OpenRegularFile(Pattern("pipe.xml").c_str(), &reason), nullptr);
  EXPECT_STREQ(reason, "not a regular file");
  FILE* file = platform::OpenRegularFile(Pattern("four.bin").c_str());
  ASSERT_NE(file, nullptr);
  char read[8] = {};
  EXPECT_EQ(std::fread(read, 1, sizeof read, file), 4u) << "blocking reads to the end";
  std::fclose(file);
}

TEST(LoadFailure, IsTakenOnceOnTheThreadThatNotedIt) {
  platform::NoteLoadFailure("empty");
  std::thread([] { EXPECT_EQ(platform::TakeLoadFailure(), nullptr); }).join();
  EXPECT_STREQ(platform::TakeLoadFailure(), "empty");
  EXPECT_EQ(platform::TakeLoadFailure(), nullptr);
}
