#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/win32_kernel.h"
#include "platform/win32_shell.h"
#include "recording_opener.h"
#include "temp_folder.h"

namespace {

class ModulePath : public testing::Test {
 protected:
  void TearDown() override { platform::SetModulePathOverride(nullptr); }
};

class SpecialFolders : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
      const char* value = getenv(name);
      saved_.push_back({name, value ? value : "", value != nullptr});
      unsetenv(name);
    }
    setenv("HOME", home_.Path().c_str(), 1);
  }
  void TearDown() override {
    for (const auto& variable : saved_) {
      if (variable.set)
        setenv(variable.name, variable.value.c_str(), 1);
      else
        unsetenv(variable.name);
    }
  }
  std::string Windows(const std::string& path) {
    std::string windows = path;
    for (char& c : windows)
      if (c == '/') c = '\\';
    return windows;
  }

  struct Saved {
    const char* name;
    std::string value;
    bool set;
  };
  std::vector<Saved> saved_;
  TempFolder home_;
};

}  // namespace

TEST_F(ModulePath, AnswersInWindowsForm) {
  platform::SetModulePathOverride("/opt/tundrel/bin/tundrel");
  char path[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameA(nullptr, path, MAX_PATH), 24u);
  EXPECT_STREQ(path, "\\opt\\tundrel\\bin\\tundrel");
}

TEST_F(ModulePath, RealExecutableIsAbsolute) {
  char path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
  EXPECT_EQ(path[0], '\\');
  EXPECT_NE(std::string(path).find("process_test"), std::string::npos);
}

TEST_F(ModulePath, CutPathIsTerminatedAndReported) {
  platform::SetModulePathOverride("/a/b/c/program");
  char path[8];
  std::memset(path, 'x', sizeof path);
  EXPECT_EQ(GetModuleFileNameA(nullptr, path, sizeof path), 8u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_STREQ(path, "\\a\\b\\c\\");
}

TEST_F(SpecialFolders, ApplicationDataIsTheUsersDataFolderCreatedOnRequest) {
  char path[MAX_PATH];
  EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, FALSE));
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, TRUE));
  EXPECT_EQ(path, Windows(home_.File(".local/share")));
  EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, FALSE));
}

TEST_F(SpecialFolders, DocumentsFollowTheUserDirsFile) {
  home_.MakeFolder(".config");
  home_.Write(".config/user-dirs.dirs",
              "# made by the desktop\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
  char path[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_PERSONAL, TRUE));
  EXPECT_EQ(path, Windows(home_.File("Papers")));
}

TEST_F(SpecialFolders, NoHomeMeansNoFolder) {
  unsetenv("HOME");
  char path[MAX_PATH];
  EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, TRUE));
  EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_PERSONAL, TRUE));
  EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, path, 0x7777, TRUE));
}

TEST(ShellOpen, DocumentReachesTheOpenerAsOneArgumentNeverThroughAShell) {
  RecordingOpener opener;
  const char* document = "https://example.invalid/?q=$(touch pwned);rm -rf x";
  HINSTANCE result = ShellExecuteA(nullptr, "open", document, nullptr, nullptr, 1);
  ASSERT_GT(reinterpret_cast<intptr_t>(result), 32);
  EXPECT_EQ(opener.WaitForRecord(), std::string("1|") + document + "|");
}

TEST(ShellOpen, RefusesWhatItCannotOpen) {
  platform::SetShellOpener("/nonexistent/opener");
  EXPECT_LE(
      reinterpret_cast<intptr_t>(ShellExecuteA(nullptr, "open", "file.txt", nullptr, nullptr, 1)),
      32);
  platform::SetShellOpener(nullptr);
  EXPECT_EQ(
      reinterpret_cast<intptr_t>(ShellExecuteA(nullptr, "print", "a.txt", nullptr, nullptr, 1)),
      SE_ERR_NOASSOC);
  EXPECT_EQ(reinterpret_cast<intptr_t>(ShellExecuteA(nullptr, "open", "", nullptr, nullptr, 1)),
            SE_ERR_FNF);
}
