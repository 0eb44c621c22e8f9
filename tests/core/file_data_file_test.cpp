#include <gtest/gtest.h>

#include <string>

#include "KArchiveList.h"
#include "KDataFile.h"
#include "file_whole_read.h"
#include "temp_folder.h"

namespace {

class DiskFile : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(g_archiveList.count, 0u); }

  TempFolder folder;
  KDataFile file;
};

TEST_F(DiskFile, WithNoArchivesOpensFromDiskAndReadsWhole) {
  std::string path = folder.Write("levels/1.xml", "<level/>");
  ASSERT_EQ(file.Open(path.c_str(), K_FILE_MODE_READ), K_FILE_OK);
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(ReadWhole(file), "<level/>");
}

TEST_F(DiskFile, AcceptsWindowsSeparators) {
  std::string path = folder.Write("img/bg/menu.jpg", "jpeg");
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  ASSERT_EQ(file.Open(path.c_str(), K_FILE_MODE_READ), K_FILE_OK);
  EXPECT_EQ(ReadWhole(file), "jpeg");
}

TEST_F(DiskFile, OpenOnAnOpenFileKeepsTheFirstFile) {
  std::string first = folder.Write("a.txt", "first");
  std::string second = folder.Write("b.txt", "second");
  ASSERT_EQ(file.Open(first.c_str(), K_FILE_MODE_READ), K_FILE_OK);
  EXPECT_EQ(file.Open(second.c_str(), K_FILE_MODE_READ), K_FILE_BAD_STATE);
  EXPECT_EQ(ReadWhole(file), "first");
}

TEST_F(DiskFile, RefusedOpensLeaveTheFileClosed) {
  std::string path = folder.Write("a.txt", "data");
  EXPECT_EQ(file.Open(path.c_str(), 0), K_FILE_BAD_ARGUMENT);
  EXPECT_EQ(file.Open(folder.File("missing.txt").c_str(), K_FILE_MODE_READ), K_FILE_NOT_FOUND);
  EXPECT_EQ(file.Open(nullptr, K_FILE_MODE_READ), K_FILE_BAD_ARGUMENT);
  EXPECT_FALSE(file.IsOpen());
  long position = 0;
  EXPECT_EQ(file.Tell(&position), K_FILE_BAD_STATE);
}

TEST_F(DiskFile, AFolderIsNoDataFile) {
  folder.Write("img/x.png", "x");
  EXPECT_EQ(file.Open(folder.File("img").c_str(), K_FILE_MODE_READ), K_FILE_NOT_FOUND);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(DiskFile, PathsLongerThanTheLimitAreRefusedNotCut) {
  std::string fitting = folder.File("");
  fitting += std::string(kFileMaxPath - fitting.size(), 'f');
  folder.Write(fitting.substr(folder.File("").size()), "fits");
  ASSERT_EQ(fitting.size(), kFileMaxPath);
  ASSERT_EQ(file.Open(fitting.c_str(), K_FILE_MODE_READ), K_FILE_OK);
  EXPECT_EQ(ReadWhole(file), "fits");
  file.Close();
  std::string tooLong = fitting + "g";
  EXPECT_EQ(file.Open(tooLong.c_str(), K_FILE_MODE_READ), K_FILE_BAD_ARGUMENT);
}

TEST_F(DiskFile, OperationsOnAClosedFileReportBadState) {
  char buffer[4];
  long position = 0;
  EXPECT_EQ(file.Seek(0, 0), K_FILE_BAD_STATE);
  EXPECT_EQ(file.Seek(3, 0), K_FILE_BAD_STATE);
  EXPECT_EQ(file.Tell(&position), K_FILE_BAD_STATE);
  EXPECT_EQ(file.Read(buffer, 4), K_FILE_BAD_STATE);
  file.Close();
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(DiskFile, SeekRejectsUnknownOrigins) {
  std::string path = folder.Write("a.txt", "data");
  ASSERT_EQ(file.Open(path.c_str(), K_FILE_MODE_READ), K_FILE_OK);
  EXPECT_EQ(file.Seek(3, 0), K_FILE_BAD_ARGUMENT);
  EXPECT_EQ(file.Seek(-1, 0), K_FILE_BAD_ARGUMENT);
  EXPECT_EQ(file.Tell(nullptr), K_FILE_BAD_ARGUMENT);
}

TEST_F(DiskFile, ReadsOfNothingOrPastTheEndFail) {
  std::string path = folder.Write("a.txt", "abc");
  ASSERT_EQ(file.Open(path.c_str(), K_FILE_MODE_READ), K_FILE_OK);
  char buffer[8] = {};
  EXPECT_EQ(file.Read(buffer, 0), K_FILE_READ_ERROR);
  EXPECT_EQ(file.Read(buffer, 8), K_FILE_READ_ERROR);
  EXPECT_STREQ(buffer, "abc");
}

TEST_F(DiskFile, SeekFromTheEndCountsForwardOnADiskFile) {
  std::string path = folder.Write("a.txt", "0123456789abcdef");
  ASSERT_EQ(file.Open(path.c_str(), K_FILE_MODE_READ), K_FILE_OK);
  long position = 0;
  ASSERT_EQ(file.Seek(2, 10), K_FILE_OK);
  ASSERT_EQ(file.Tell(&position), K_FILE_OK);
  EXPECT_EQ(position, 26);
  ASSERT_EQ(file.Seek(0, 4), K_FILE_OK);
  ASSERT_EQ(file.Seek(1, 2), K_FILE_OK);
  char byte = 0;
  ASSERT_EQ(file.Read(&byte, 1), K_FILE_OK);
  EXPECT_EQ(byte, '6');
}

TEST_F(DiskFile, ADiskFileIsNoArchive) {
  std::string path = folder.Write("a.txt", "data");
  ASSERT_EQ(file.Open(path.c_str(), K_FILE_MODE_READ), K_FILE_OK);
  KDataFile target;
  EXPECT_EQ(file.OpenEntry("a.txt", &target), K_FILE_BAD_STATE);
  EXPECT_FALSE(target.IsOpen());
}

TEST_F(DiskFile, AttachEntryNeedsAnOpenArchiveAndAClosedTarget) {
  std::string path = folder.Write("a.txt", "data");
  KDataFile archive, entry;
  EXPECT_EQ(entry.AttachEntry(&archive, 4), K_FILE_BAD_STATE);
  ASSERT_EQ(archive.Open(path.c_str(), K_FILE_MODE_READ), K_FILE_OK);
  ASSERT_EQ(file.Open(path.c_str(), K_FILE_MODE_READ), K_FILE_OK);
  EXPECT_EQ(file.AttachEntry(&archive, 4), K_FILE_BAD_STATE);
  ASSERT_EQ(entry.AttachEntry(&archive, 4), K_FILE_OK);
  EXPECT_EQ(ReadWhole(entry), "data");
}

TEST(ArchiveLookupName, IsThePathAfterTheProgramFolderAndItsSeparator) {
  EXPECT_STREQ(ArchiveLookupName("C:\\Game\\img\\bg\\menu.jpg", "C:\\Game"), "img\\bg\\menu.jpg");
  EXPECT_STREQ(ArchiveLookupName("/opt/game/levels/1.xml", "/opt/game"), "levels/1.xml");
}

TEST(ArchiveLookupName, KeepsThePathOutsideTheFolder) {
  // The folder is compared case-sensitively.
  EXPECT_STREQ(ArchiveLookupName("c:\\game\\img\\a.png", "C:\\Game"), "c:\\game\\img\\a.png");
  // A longer folder name that merely starts like the program folder is another folder.
  EXPECT_STREQ(ArchiveLookupName("C:\\GameData\\a.png", "C:\\Game"), "C:\\GameData\\a.png");
  EXPECT_STREQ(ArchiveLookupName("C:\\Game", "C:\\Game"), "C:\\Game");
  EXPECT_STREQ(ArchiveLookupName("img\\a.png", "C:\\Game"), "img\\a.png");
}

}  // namespace
