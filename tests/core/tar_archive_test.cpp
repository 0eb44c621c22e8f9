#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "KArchiveList.h"
#include "KDataFile.h"
#include "KMiscTools.h"
#include "KTarArchive.h"
#include "file_whole_read.h"
#include "tar_builder.h"
#include "temp_folder.h"

namespace {

class TarArchive : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(g_archiveList.count, 0u); }
  void TearDown() override { g_archiveList.Clear(); }

  void Register(const std::string& name, const TarBuilder& tar) {
    ASSERT_EQ(KDataFile::AddTarArchive(folder.Write(name, tar.Bytes()).c_str()), K_FILE_OK);
  }

  // The whole content of the named file, or the result code of a failed Open.
  std::string Contents(const char* name) {
    KDataFile file;
    KFileResult result = file.Open(name, K_FILE_MODE_READ);
    if (result != K_FILE_OK) return "error " + std::to_string(result);
    return ReadWhole(file);
  }

  TempFolder folder;
};

TEST_F(TarArchive, EntriesMatchBackslashNamesAndAnyLetterCase) {
  Register("data.tar", TarBuilder().File("img/bg/menu.jpg", "menu picture").EndBlocks());
  EXPECT_EQ(Contents("img\\bg\\menu.jpg"), "menu picture");
  EXPECT_EQ(Contents("IMG/BG/Menu.JPG"), "menu picture");
  EXPECT_EQ(Contents("img/bg/menu.jp"), "error 104");
}

TEST_F(TarArchive, PathsInTheProgramFolderAreLookedUpRelativeToIt) {
  Register("data.tar", TarBuilder().File("img/bg/menu.jpg", "menu picture").EndBlocks());
  std::string path = KMiscTools::MakeFilePath("img/bg/menu.jpg");
  EXPECT_EQ(Contents(path.c_str()), "menu picture");
  // The folder is compared case-sensitively: another spelling keeps the whole path as the name.
  size_t letter = path.find_first_of("abcdefghijklmnopqrstuvwxyz");
  ASSERT_LT(letter, std::string(KMiscTools::GetAppFolder()).size());
  path[letter] = static_cast<char>(std::toupper(path[letter]));
  EXPECT_EQ(Contents(path.c_str()), "error 104");
}

TEST_F(TarArchive, EntryReportsItsOwnSizeAndPositions) {
  std::string data(1000, 'x');
  data[990] = 'T';
  Register("data.tar",
           TarBuilder().File("first", "1").File("big", data).File("last", "z").EndBlocks());
  KDataFile file;
  ASSERT_EQ(file.Open("big", K_FILE_MODE_READ), K_FILE_OK);
  long position = -1;
  ASSERT_EQ(file.Seek(2, 0), K_FILE_OK);
  ASSERT_EQ(file.Tell(&position), K_FILE_OK);
  EXPECT_EQ(position, 1000);
  // From the end, an entry's offsets count backward.
  ASSERT_EQ(file.Seek(2, 10), K_FILE_OK);
  ASSERT_EQ(file.Tell(&position), K_FILE_OK);
  EXPECT_EQ(position, 990);
  char byte = 0;
  ASSERT_EQ(file.Read(&byte, 1), K_FILE_OK);
  EXPECT_EQ(byte, 'T');
  ASSERT_EQ(file.Seek(0, 0), K_FILE_OK);
  ASSERT_EQ(file.Tell(&position), K_FILE_OK);
  EXPECT_EQ(position, 0);
}

TEST_F(TarArchive, AZeroLengthEntryIsEmptyNotTheRestOfTheArchive) {
  Register("data.tar", TarBuilder().File("empty.txt", "").File("after", "after").EndBlocks());
  KDataFile file;
  ASSERT_EQ(file.Open("empty.txt", K_FILE_MODE_READ), K_FILE_OK);
  long length = -1;
  ASSERT_EQ(file.Seek(2, 0), K_FILE_OK);
  ASSERT_EQ(file.Tell(&length), K_FILE_OK);
  EXPECT_EQ(length, 0);
}

TEST_F(TarArchive, AHundredCharacterNameNeedsNoTerminator) {
  std::string name(100, 'n');
  name[0] = 'a';
  Register("data.tar", TarBuilder().File(name, "long").EndBlocks());
  EXPECT_EQ(Contents(name.c_str()), "long");
  // Only the first 100 characters take part in the comparison.
  EXPECT_EQ(Contents((name + "tail").c_str()), "long");
  EXPECT_EQ(Contents(name.substr(0, 99).c_str()), "error 104");
}

TEST_F(TarArchive, DirectoriesAndLinksArePassedOverByTheirSize) {
  Register("data.tar", TarBuilder()
                           .Directory("img")
                           .Symlink("img")
                           .Entry("img", std::string(700, 'd'), '5', TarBuilder::OctalSize(700))
                           .Entry("img", "", 'L', TarBuilder::OctalSize(0))
                           .File("img", "the file")
                           .EndBlocks());
  EXPECT_EQ(Contents("img"), "the file");
}

TEST_F(TarArchive, OneEndBlockIsEnough) {
  Register("data.tar", TarBuilder().File("a", "a").EndBlocks(1));
  EXPECT_EQ(Contents("a"), "a");
  std::string path = folder.Write("b", "from disk");
  EXPECT_EQ(Contents(path.c_str()), "from disk");
}

TEST_F(TarArchive, TheFirstRegisteredArchiveWins) {
  Register("one.tar", TarBuilder().File("shared.txt", "one").EndBlocks());
  Register("two.tar", TarBuilder().File("shared.txt", "two").File("own.txt", "two's").EndBlocks());
  EXPECT_EQ(Contents("shared.txt"), "one");
  EXPECT_EQ(Contents("own.txt"), "two's");
}

TEST_F(TarArchive, ALookupThatFailsMovesOnToTheNextArchiveAndTheDisk) {
  // No end block: the lookup runs into the archive's end inside a header read.
  Register("open-ended.tar", TarBuilder().File("a", "a"));
  Register("second.tar", TarBuilder().File("b", "second's b").EndBlocks());
  EXPECT_EQ(Contents("b"), "second's b");
  std::string path = folder.Write("c", "disk's c");
  EXPECT_EQ(Contents(path.c_str()), "disk's c");

  KTarArchive* openEnded = g_archiveList.First();
  KDataFile target;
  EXPECT_EQ(openEnded->OpenEntry("b", &target), K_FILE_READ_ERROR);
  EXPECT_EQ(openEnded->OpenEntry("a", &target), K_FILE_OK);
}

TEST_F(TarArchive, EntriesOfOneArchiveAreReadOneAfterAnother) {
  Register("data.tar", TarBuilder().File("a", "alpha").File("b", "beta").EndBlocks());
  KDataFile first;
  ASSERT_EQ(first.Open("a", K_FILE_MODE_READ), K_FILE_OK);
  EXPECT_EQ(ReadWhole(first), "alpha");
  // Closing an entry leaves the archive's stream open for the next one.
  first.Close();
  EXPECT_EQ(Contents("b"), "beta");
  EXPECT_EQ(Contents("a"), "alpha");
}

TEST_F(TarArchive, AnArchiveInsideAnArchiveIsReadRelativeToItsEntry) {
  TarBuilder inner;
  inner.File("deep.txt", "from the inner archive").EndBlocks();
  Register("outer.tar", TarBuilder()
                            .File("pad", std::string(1500, 'p'))
                            .File("inner.tar", inner.Bytes())
                            .EndBlocks());
  ASSERT_EQ(KDataFile::AddTarArchive("inner.tar"), K_FILE_OK);
  EXPECT_EQ(Contents("deep.txt"), "from the inner archive");
}

// An inner archive without end blocks, followed in the outer archive by an entry whose size is
// 4 GiB less one byte: the inner archive's lookup must stop at its own end, not read on into the
// outer archive's next header and attach that entry.
TEST_F(TarArchive, AnArchiveInsideAnArchiveEndsAtItsOwnLastByte) {
  TarBuilder inner;
  inner.File("deep.txt", "inner");
  Register("outer.tar", TarBuilder()
                            .File("inner.tar", inner.Bytes())
                            .Entry("huge", "", '0', "37777777777")
                            .File("beside", "outer data")
                            .EndBlocks());
  KTarArchive nested;
  ASSERT_EQ(nested.OpenArchive("inner.tar"), K_FILE_OK);
  for (const char* name : {"huge", "beside"}) {
    KDataFile target;
    EXPECT_EQ(nested.OpenEntry(name, &target), K_FILE_READ_ERROR) << name;
    EXPECT_FALSE(target.IsOpen()) << name;
  }
  KDataFile deep;
  ASSERT_EQ(nested.OpenEntry("deep.txt", &deep), K_FILE_OK);
  EXPECT_EQ(ReadWhole(deep), "inner");
}

TEST_F(TarArchive, ReadsOfAnEntryStopAtItsLastByte) {
  Register("data.tar", TarBuilder().File("a", "alpha").File("b", "beta").EndBlocks());
  const struct {
    int origin;
    long offset;
    uint32_t count;
    KFileResult result;
    const char* read;
  } reads[] = {
      {0, 0, 5, K_FILE_OK, "alpha"},        {0, 0, 6, K_FILE_READ_ERROR, "alpha"},
      {0, 3, 600, K_FILE_READ_ERROR, "ha"}, {2, 0, 1, K_FILE_READ_ERROR, ""},
      {0, -1, 2, K_FILE_READ_ERROR, ""},    {1, 4, 1, K_FILE_OK, "a"},
      {0, 512, 4, K_FILE_READ_ERROR, ""},
  };
  for (const auto& row : reads) {
    KDataFile file;
    ASSERT_EQ(file.Open("a", K_FILE_MODE_READ), K_FILE_OK);
    file.Seek(row.origin, row.offset);
    char buffer[600] = {};
    EXPECT_EQ(file.Read(buffer, row.count), row.result) << row.origin << " " << row.offset;
    EXPECT_STREQ(buffer, row.read) << row.origin << " " << row.offset;
  }
}

TEST_F(TarArchive, RegisteredArchivesFormACircularListInOrder) {
  Register("one.tar", TarBuilder().EndBlocks());
  Register("two.tar", TarBuilder().EndBlocks());
  ASSERT_EQ(g_archiveList.count, 2u);
  KListNode* first = g_archiveList.next;
  KListNode* second = first->next;
  EXPECT_EQ(second->next, &g_archiveList);
  EXPECT_EQ(g_archiveList.prev, second);
  EXPECT_EQ(second->prev, first);
  EXPECT_EQ(first->prev, &g_archiveList);
  g_archiveList.Clear();
  EXPECT_EQ(g_archiveList.count, 0u);
  EXPECT_EQ(g_archiveList.next, &g_archiveList);
  EXPECT_EQ(g_archiveList.prev, &g_archiveList);
}

TEST_F(TarArchive, AnArchiveThatCannotBeOpenedIsNotRegistered) {
  EXPECT_EQ(KDataFile::AddTarArchive(folder.File("missing.tar").c_str()), K_FILE_NOT_FOUND);
  EXPECT_EQ(KDataFile::AddTarArchive(nullptr), K_FILE_BAD_ARGUMENT);
  EXPECT_EQ(g_archiveList.count, 0u);
  EXPECT_EQ(g_archiveList.First(), nullptr);
}

TEST_F(TarArchive, SizeFieldsEndedByABlankOrFillingTheFieldAreRead) {
  Register("data.tar", TarBuilder()
                           .Entry("blank", "12345", '0', "    5 ")
                           .Entry("full", "12345678", '0', "000000000010")
                           .EndBlocks());
  EXPECT_EQ(Contents("blank"), "12345");
  EXPECT_EQ(Contents("full"), "12345678");
}

TEST_F(TarArchive, DamagedSizeFieldsEndTheLookup) {
  std::string base256 = std::string("\x80\0\0\0\0\0\0\0\0\0\0\x05", 12);
  const std::string damaged[] = {base256, "-1", "0000000001x", "77777777777"};
  for (const std::string& sizeField : damaged) {
    TempFolder own;
    std::string path = own.Write("damaged.tar", TarBuilder()
                                                    .Entry("bad", "12345", '0', sizeField)
                                                    .File("good", "good")
                                                    .EndBlocks()
                                                    .Bytes());
    KTarArchive archive;
    ASSERT_EQ(archive.OpenArchive(path.c_str()), K_FILE_OK);
    KDataFile target;
    EXPECT_EQ(archive.OpenEntry("good", &target), K_FILE_READ_ERROR) << sizeField;
    EXPECT_FALSE(target.IsOpen());
  }
}

TEST_F(TarArchive, AnEntryLongerThanTheArchiveIsRefused) {
  std::string bytes = TarBuilder().File("cut", std::string(2000, 'c')).Bytes();
  std::string path = folder.Write("cut.tar", bytes.substr(0, 1024));
  KTarArchive archive;
  ASSERT_EQ(archive.OpenArchive(path.c_str()), K_FILE_OK);
  KDataFile target;
  EXPECT_EQ(archive.OpenEntry("cut", &target), K_FILE_READ_ERROR);
}

TEST_F(TarArchive, NamesBeyondTheLimitAreRefused) {
  Register("data.tar", TarBuilder().File("a", "a").EndBlocks());
  KDataFile target;
  std::string name(kFileMaxPath + 1, 'a');
  EXPECT_EQ(g_archiveList.First()->OpenEntry(name.c_str(), &target), K_FILE_BAD_ARGUMENT);
  EXPECT_EQ(g_archiveList.First()->OpenEntry(nullptr, &target), K_FILE_BAD_ARGUMENT);
}

TEST_F(TarArchive, AClosedArchiveServesNothing) {
  KTarArchive archive;
  KDataFile target;
  EXPECT_EQ(archive.OpenEntry("a", &target), K_FILE_BAD_STATE);
  EXPECT_EQ(target.AttachEntry(&archive, 1), K_FILE_BAD_STATE);
}

}  // namespace
