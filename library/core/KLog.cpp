#include "KLog.h"

#include "platform/files.h"

namespace {

const char* const kLogFileNames[4] = {"infos.log", "errors.log", "fatals.log", "debug.log"};

void WriteLine(FILE* stream, const char* text) {
  std::fputs(text, stream);
  std::fputc('\n', stream);
}

}  // namespace

KLog g_log(K_LOG_MODE_APPEND);

KLog::KLog(KLogMode mode)
    : levels_{{false, nullptr}, {true, nullptr}, {true, nullptr}, {true, nullptr}}, mode_(mode) {
  if (mode_ != K_LOG_MODE_KEEP_OPEN) return;
  for (int i = 0; i < 4; ++i) levels_[i].stream = platform::OpenFile(kLogFileNames[i], "wt");
}

void KLog::CloseAll() {
  if (mode_ != K_LOG_MODE_KEEP_OPEN) return;
  for (Level& level : levels_) {
    if (level.stream) std::fclose(level.stream);
    level.stream = nullptr;
  }
}

void KLog::Write(int level, const char* text) {
  if (level < K_LOG_INFO || level > K_LOG_DEBUG || !text) return;
  Level& record = levels_[level - 1];
  if (!record.enabled) return;

  if (mode_ == K_LOG_MODE_KEEP_OPEN) {
    if (record.stream) WriteLine(record.stream, text);
    return;
  }
  record.stream = platform::OpenFile(kLogFileNames[level - 1], "a+");
  if (!record.stream) return;
  WriteLine(record.stream, text);
  std::fclose(record.stream);
  record.stream = nullptr;
}

void KLog::DeleteAll() {
  for (const char* name : kLogFileNames) platform::RemoveFile(name);
}
