#include <gtest/gtest.h>

#include <filesystem>

#include "KLog.h"
#include "temp_folder.h"

namespace {

class LogFiles : public testing::Test {
 protected:
  TempFolder folder_;
  CurrentFolder inside_{folder_.Path()};
};

}  // namespace

TEST_F(LogFiles, FreshLogWritesEveryLevelButInformation) {
  KLog log(K_LOG_MODE_APPEND);
  log.Write(K_LOG_INFO, "info");
  log.Write(K_LOG_ERROR, "error");
  log.Write(K_LOG_FATAL, "fatal");
  log.Write(K_LOG_DEBUG, "debug");
  EXPECT_EQ(folder_.Read("infos.log"), "");
  EXPECT_EQ(folder_.Read("errors.log"), "error\n");
  EXPECT_EQ(folder_.Read("fatals.log"), "fatal\n");
  EXPECT_EQ(folder_.Read("debug.log"), "debug\n");
}

TEST_F(LogFiles, AppendModeAddsOneLinePerMessageAsWritten) {
  KLog log(K_LOG_MODE_APPEND);
  log.Write(K_LOG_FATAL, "first");
  log.Write(K_LOG_FATAL, "100% done");
  EXPECT_EQ(folder_.Read("fatals.log"), "first\n100% done\n");
  log.Write(0, "below");
  log.Write(5, "above");
  log.Write(K_LOG_ERROR, nullptr);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("errors.log")));
}

TEST_F(LogFiles, EnabledFlagsTakeEffectAtTheNextMessage) {
  KLog log(K_LOG_MODE_APPEND);
  log.SetErrorEnabled(false);
  log.Write(K_LOG_ERROR, "dropped");
  log.SetErrorEnabled(true);
  log.SetInfoEnabled(true);
  log.Write(K_LOG_ERROR, "kept");
  log.Write(K_LOG_INFO, "now on");
  EXPECT_EQ(folder_.Read("errors.log"), "kept\n");
  EXPECT_EQ(folder_.Read("infos.log"), "now on\n");
}

TEST_F(LogFiles, KeepOpenModeEmptiesAllFilesAndWritesAtClose) {
  folder_.Write("errors.log", "old run\n");
  {
    KLog log(K_LOG_MODE_KEEP_OPEN);
    for (const char* name : {"infos.log", "errors.log", "fatals.log", "debug.log"})
      EXPECT_EQ(folder_.Read(name), "") << name;
    log.Write(K_LOG_DEBUG, "kept open");
    log.Write(7, "nowhere");
  }
  EXPECT_EQ(folder_.Read("debug.log"), "kept open\n");
  EXPECT_EQ(folder_.Read("errors.log"), "");
}

TEST_F(LogFiles, DeleteAllRemovesTheFilesAndMindsNoneMissing) {
  KLog::DeleteAll();
  KLog log(K_LOG_MODE_KEEP_OPEN);
  log.Write(K_LOG_ERROR, "x");
  KLog::DeleteAll();
  for (const char* name : {"infos.log", "errors.log", "fatals.log", "debug.log"})
    EXPECT_FALSE(std::filesystem::exists(folder_.File(name))) << name;
}

TEST_F(LogFiles, GlobalLogHoldsNoFileOpen) {
  g_log.Write(K_LOG_ERROR, "global");
  EXPECT_EQ(folder_.Read("errors.log"), "global\n");
  EXPECT_EQ(std::remove(folder_.File("errors.log").c_str()), 0);
}
