// Log files, one per level, in the process's current folder.
#pragma once

#include <cstdint>
#include <cstdio>

typedef int KLogLevel;
enum : int { K_LOG_INFO = 1, K_LOG_ERROR = 2, K_LOG_FATAL = 3, K_LOG_DEBUG = 4 };

typedef uint32_t KLogMode;
enum : uint32_t { K_LOG_MODE_KEEP_OPEN = 1, K_LOG_MODE_APPEND = 2 };

class KLog {
 public:
  explicit KLog(KLogMode mode);
  ~KLog() { CloseAll(); }
  KLog(const KLog&) = delete;
  KLog& operator=(const KLog&) = delete;

  void Write(int level, const char* text);
  static void DeleteAll();

  void SetInfoEnabled(bool enabled) { levels_[0].enabled = enabled; }
  void SetErrorEnabled(bool enabled) { levels_[1].enabled = enabled; }
  void SetFatalEnabled(bool enabled) { levels_[2].enabled = enabled; }
  void SetDebugEnabled(bool enabled) { levels_[3].enabled = enabled; }

 private:
  struct Level {
    bool enabled;
    FILE* stream;
  };

  void CloseAll();

  Level levels_[4];
  KLogMode mode_;
};

// The library's one log, in append mode: it holds no file open between messages.
extern KLog g_log;
