#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <mutex>
#include <string>
#include <thread>

#include "platform/files.h"
#include "platform/process.h"
#include "platform/win32_shell.h"

extern char** environ;

namespace {

std::mutex g_openerLock;
std::string g_opener = "xdg-open";

std::string Opener() {
  std::lock_guard<std::mutex> lock(g_openerLock);
  return g_opener;
}

// Addresses pass unchanged; a file path is turned into the system's form.
std::string DocumentArgument(const char* file) {
  if (std::strstr(file, "://") || std::strncmp(file, "mailto:", 7) == 0) return file;
  return platform::NativePath(file);
}

HINSTANCE ResultCode(intptr_t code) {
  return reinterpret_cast<HINSTANCE>(code);
}

}  // namespace

namespace platform {

void SetShellOpener(const char* program) {
  std::lock_guard<std::mutex> lock(g_openerLock);
  g_opener = program ? program : "xdg-open";
}

}  // namespace platform

// The opener runs directly, never through a shell, with the document as its single argument, so
// no character of the document can be read as a command. A thread reaps it when it ends.
HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, INT) {
  if (operation && std::strcmp(operation, "open") != 0) return ResultCode(SE_ERR_NOASSOC);
  if (!file || !*file) return ResultCode(SE_ERR_FNF);

  std::string program = Opener();
  std::string document = DocumentArgument(file);
  char* arguments[] = {program.data(), document.data(), nullptr};
  pid_t child;
  if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, arguments, environ) != 0) {
    return ResultCode(SE_ERR_NOASSOC);
  }
  std::thread([child] {
    int status;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return ResultCode(42);
}
