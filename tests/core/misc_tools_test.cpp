#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "KMiscTools.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/process.h"
#include "platform/win32.h"
#include "recording_opener.h"
#include "temp_folder.h"

namespace {

class ProgramFolder : public testing::Test {
 protected:
  void UseModule(const char* path) {
    platform::SetModulePathOverride(path);
    KMiscTools::InitAppFolder();
  }
  void SetUp() override { UseModule("/games/tundrel/tundrel"); }
  void TearDown() override {
    platform::SetModulePathOverride(nullptr);
    KMiscTools::InitAppFolder();
    platform::UseRealClock();
  }
};

std::string Path(const char* name) {
  return KMiscTools::MakeFilePath(name);
}

}  // namespace

TEST_F(ProgramFolder, IsTheModulePathCutAtItsLastBackslash) {
  EXPECT_STREQ(KMiscTools::GetAppFolder(), "\\games\\tundrel");
  UseModule("tundrel");
  EXPECT_STREQ(KMiscTools::GetAppFolder(), "tundrel");
  UseModule("/tundrel");  // the first character is never taken as the cut
  EXPECT_STREQ(KMiscTools::GetAppFolder(), "\\tundrel");
}

TEST_F(ProgramFolder, ModulePathTooLongForTheBufferGivesNoFolder) {
  std::string deep = "/" + std::string(300, 'd') + "/tundrel";
  UseModule(deep.c_str());
  EXPECT_STREQ(KMiscTools::GetAppFolder(), "");
  EXPECT_EQ(Path("img\\bg\\menu.jpg"), "\\img\\bg\\menu.jpg");
}

TEST_F(ProgramFolder, RelativeNamesArePrefixedWithTheFolder) {
  EXPECT_EQ(Path("img/bg/menu.jpg"), "\\games\\tundrel\\img\\bg\\menu.jpg");
  EXPECT_EQ(Path("img\\bg\\menu.jpg"), Path("img/bg/menu.jpg"));
  EXPECT_EQ(Path("/levels/1.xml"), "\\games\\tundrel\\levels\\1.xml");
  EXPECT_EQ(Path(":x"), "\\games\\tundrel\\x");
  EXPECT_EQ(Path("\\\\share"), "\\games\\tundrel\\\\share");
  EXPECT_EQ(Path("a"), "\\games\\tundrel\\a");
  EXPECT_EQ(Path(""), "\\games\\tundrel\\");
  EXPECT_EQ(Path(nullptr), "\\games\\tundrel\\");
}

TEST_F(ProgramFolder, NamesWithADriveStayAbsolute) {
  EXPECT_EQ(Path("C:\\data\\level.xml"), "C:\\data\\level.xml");
  EXPECT_EQ(Path("C:/data/level.xml"), "C:\\data\\level.xml");
  EXPECT_EQ(Path("/D:/x"), "D:\\x");
}

TEST_F(ProgramFolder, ResultsShareOneBuffer) {
  char* first = KMiscTools::MakeFilePath("a.png");
  char* second = KMiscTools::MakeFilePath("b.png");
  EXPECT_EQ(first, second);
  EXPECT_STREQ(first, "\\games\\tundrel\\b.png");
}

TEST_F(ProgramFolder, PathTooLongForTheBufferIsRefusedNotCut) {
  std::string name(259 - std::strlen("\\games\\tundrel\\"), 'n');
  EXPECT_EQ(Path(name.c_str()).size(), 259u);
  name += "x";
  EXPECT_EQ(Path(name.c_str()), "");
}

TEST_F(ProgramFolder, SpecialFoldersFallBackToTheProgramFolder) {
  const char* saved = std::getenv("HOME");
  std::string home = saved ? saved : "";
  unsetenv("HOME");
  unsetenv("XDG_DATA_HOME");
  EXPECT_STREQ(KMiscTools::GetAppDataFolder(), "\\games\\tundrel\\");
  EXPECT_STREQ(KMiscTools::GetDocumentsFolder(), "\\games\\tundrel\\");

  TempFolder folder;
  setenv("HOME", folder.Path().c_str(), 1);
  EXPECT_EQ(std::string(KMiscTools::GetAppDataFolder()), folder.WindowsPath() + "\\.local\\share");
  if (saved) setenv("HOME", home.c_str(), 1);
}

TEST_F(ProgramFolder, SlashesBecomeBackslashesInPlace) {
  char text[] = "a/b\\c/";
  KMiscTools::SlashesToBackslashes(text);
  EXPECT_STREQ(text, "a\\b\\c\\");
  KMiscTools::SlashesToBackslashes(nullptr);
}

TEST_F(ProgramFolder, MillisecondsFollowTheCounterWithoutOverflow) {
  platform::UseManualClock(16'000);
  KMiscTools::InitTimer();
  EXPECT_EQ(KMiscTools::GetMilliseconds(), 16u);
  // A counter of 10^18 ns: counter x 1000 would not fit in 64 bits, yet the milliseconds come out
  // right in their low 32 bits.
  platform::UseManualClock(uint64_t{1'000'000'000'000'000} + 999);
  EXPECT_EQ(KMiscTools::GetMilliseconds(), static_cast<uint32_t>(uint64_t{1'000'000'000'000}));
}

TEST_F(ProgramFolder, WaitingDispatchesOneMessageAPass) {
  // Each clock reading moves 10 ms on: a 50 ms wait makes exactly five passes.
  platform::UseManualClock(0, 10'000);
  KMiscTools::InitTimer();
  for (int i = 0; i < 8; ++i) PostMessageA(nullptr, WM_USER, i, 0);
  KMiscTools::WaitMilliseconds(50, true);
  int left = 0;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    EXPECT_EQ(message.wParam, static_cast<WPARAM>(5 + left));
    ++left;
  }
  EXPECT_EQ(left, 3);

  PostMessageA(nullptr, WM_USER, 0, 0);
  KMiscTools::WaitMilliseconds(0, false);
  EXPECT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(ProgramFolder, OpeningReturnsAfterAHundredMillisecondsWithTheTextCut) {
  RecordingOpener opener;
  platform::UseManualClock(0);
  KMiscTools::InitTimer();

  std::string text = "https://example.invalid/" + std::string(3000, 'q');
  KMiscTools::OpenUrl(text.c_str(), true);
  EXPECT_EQ(KMiscTools::GetMilliseconds(), 100u);
  EXPECT_EQ(opener.WaitForRecord(), "1|" + text.substr(0, 2047) + "|");
}

TEST_F(ProgramFolder, MessageBoxCarriesCaptionAndText) {
  platform::TakeMessageBoxes();
  KMiscTools::ShowMessageBox("error", "file not found");
  auto boxes = platform::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "error");
  EXPECT_EQ(boxes[0].text, "file not found");
}

namespace {

std::vector<std::string> g_seen;

bool Collect(const char* name, bool isDirectory) {
  g_seen.push_back(std::string(name) + (isDirectory ? "/" : ""));
  return true;
}

bool StopAtSecond(const char* name, bool) {
  g_seen.push_back(name);
  return g_seen.size() < 2;
}

}  // namespace

TEST(EnumerateFolder, ReportsEveryEntryUntilTheCallbackSaysStop) {
  TempFolder folder;
  folder.Write("b.xml", "");
  folder.Write("A.XML", "");
  folder.MakeFolder("sub");
  std::string pattern = folder.WindowsPath() + "\\*.*";

  g_seen.clear();
  KMiscTools::EnumerateFolder(pattern.c_str(), Collect);
  EXPECT_EQ(g_seen, (std::vector<std::string>{"./", "../", "A.XML", "b.xml", "sub/"}));

  g_seen.clear();
  KMiscTools::EnumerateFolder(pattern.c_str(), StopAtSecond);
  EXPECT_EQ(g_seen.size(), 2u);

  g_seen.clear();
  KMiscTools::EnumerateFolder((folder.WindowsPath() + "\\*.png").c_str(), Collect);
  KMiscTools::EnumerateFolder(nullptr, Collect);
  KMiscTools::EnumerateFolder(pattern.c_str(), nullptr);
  EXPECT_TRUE(g_seen.empty());
}

TEST(LogForwarding, GoesToTheGlobalLog) {
  TempFolder folder;
  CurrentFolder inside(folder.Path());
  KMiscTools::Log(3, "forwarded");
  EXPECT_EQ(folder.Read("fatals.log"), "forwarded\n");
}

TEST(ByteOrder, LittleEndianValuesPassUnchanged) {
  EXPECT_EQ(KMiscTools::SwapInt(0x12345678), 0x12345678);
  EXPECT_EQ(KMiscTools::SwapShort(-2), -2);
  EXPECT_EQ(KMiscTools::SwapFloat(1.5f), 1.5f);
}
