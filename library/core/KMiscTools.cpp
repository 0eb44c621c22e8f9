#include "KMiscTools.h"

#include <cstdlib>
#include <cstring>

#include "KLog.h"
#include "platform/win32.h"

namespace {

constexpr size_t kPathSize = MAX_PATH;

char g_appFolder[kPathSize];
char g_appFolderCopy[kPathSize];
char g_filePath[kPathSize];
char g_appDataFolder[kPathSize];
char g_documentsFolder[kPathSize];
int64_t g_counterFrequency;
bool g_counterAvailable;

// What the shell-open thread receives: the text, cut to its first 2047 characters, and the flag.
constexpr size_t kOpenBlockSize = 2049;
constexpr size_t kOpenTextSize = 2047;

const char* SpecialFolder(int csidl, char* buffer) {
  if (SHGetSpecialFolderPathA(nullptr, buffer, csidl, TRUE) == 1) return buffer;
  return KMiscTools::MakeFilePath("");
}

void OpenOnThread(void* argument) {
  auto* block = static_cast<char*>(argument);
  bool maximized = block[kOpenBlockSize - 1] == 1;
  ShellExecuteA(nullptr, "open", block, nullptr, nullptr, maximized ? SW_MAXIMIZE : SW_SHOWNORMAL);
  std::free(block);
}

}  // namespace

void KMiscTools::InitAppFolder() {
  DWORD length = GetModuleFileNameA(nullptr, g_appFolder, kPathSize);
  // A module path that didn't fit would name another folder: treat it as no path at all.
  if (length >= kPathSize) length = 0;
  g_appFolder[length] = '\0';
  for (DWORD i = length; i >= 1; --i) {
    if (g_appFolder[i] == '\\') {
      g_appFolder[i] = '\0';
      break;
    }
  }
  InitTimer();
}

const char* KMiscTools::GetAppFolder() {
  if (g_appFolder[0] == '\0') InitAppFolder();
  std::memcpy(g_appFolderCopy, g_appFolder, sizeof g_appFolderCopy);
  return g_appFolderCopy;
}

char* KMiscTools::MakeFilePath(const char* name) {
  std::memset(g_filePath, 0, sizeof g_filePath);
  if (g_appFolder[0] == '\0') InitAppFolder();
  if (!name) name = "";
  if (name[0] == '\\' || name[0] == ':' || name[0] == '/') ++name;

  int length = (name[0] != '\0' && name[1] == ':')
                   ? _snprintf(g_filePath, sizeof g_filePath, "%s", name)
                   : _snprintf(g_filePath, sizeof g_filePath, "%s\\%s", g_appFolder, name);
  // A path cut at the buffer's end could name a different, existing file: give none instead.
  if (length < 0) g_filePath[0] = '\0';
  SlashesToBackslashes(g_filePath);
  return g_filePath;
}

const char* KMiscTools::GetAppDataFolder() {
  return SpecialFolder(CSIDL_APPDATA, g_appDataFolder);
}

const char* KMiscTools::GetDocumentsFolder() {
  return SpecialFolder(CSIDL_PERSONAL, g_documentsFolder);
}

void KMiscTools::ShowMessageBox(const char* caption, const char* text) {
  MessageBoxA(GetForegroundWindow(), text, caption, MB_OK);
}

void KMiscTools::SlashesToBackslashes(char* text) {
  if (!text) return;
  for (; *text; ++text)
    if (*text == '/') *text = '\\';
}

void KMiscTools::InitTimer() {
  LARGE_INTEGER frequency;
  g_counterAvailable = QueryPerformanceFrequency(&frequency) != FALSE && frequency.QuadPart > 0;
  g_counterFrequency = g_counterAvailable ? frequency.QuadPart : 0;
}

uint32_t KMiscTools::GetMilliseconds() {
  LARGE_INTEGER counter;
  if (!g_counterAvailable || !QueryPerformanceCounter(&counter)) return timeGetTime();
  // counter x 1000 / frequency, split so that the product cannot overflow 64 bits.
  int64_t seconds = counter.QuadPart / g_counterFrequency;
  int64_t rest = counter.QuadPart % g_counterFrequency;
  return static_cast<uint32_t>(seconds * 1000 + rest * 1000 / g_counterFrequency);
}

void KMiscTools::WaitMilliseconds(int ms, bool pumpMessages) {
  uint32_t start = GetMilliseconds();
  int32_t elapsed = static_cast<int32_t>(GetMilliseconds() - start);
  if (elapsed < 0) return;
  for (;;) {
    MSG message;
    if (pumpMessages && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (elapsed >= ms) return;
    elapsed = static_cast<int32_t>(GetMilliseconds() - start);
    if (elapsed < 0) return;
  }
}

void KMiscTools::OpenUrl(const char* text, bool maximized) {
  auto* block = static_cast<char*>(std::calloc(kOpenBlockSize, 1));
  if (!block) return;
  _snprintf(block, kOpenTextSize + 1, "%s", text ? text : "");
  block[kOpenBlockSize - 1] = maximized ? 1 : 0;
  if (_beginthread(OpenOnThread, 0, block) == static_cast<uintptr_t>(-1)) {
    std::free(block);
    return;
  }
  Sleep(100);
}

void KMiscTools::ShellOpen(const char* text, bool maximized) {
  OpenUrl(text, maximized);
}

void KMiscTools::Log(int level, const char* text) {
  g_log.Write(level, text);
}

void KMiscTools::EnumerateFolder(const char* pattern, EnumerateCallback callback) {
  if (!pattern || !callback) return;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(pattern, &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!callback(entry.cFileName, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) break;
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}
