#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "kernel_objects.h"
#include "platform/files.h"
#include "platform/win32_files.h"
#include "platform/win32_kernel.h"
#include "wildcard.h"

using namespace platform::kernel;

namespace {

struct Entry {
  std::string name;
  bool isDirectory;
  int64_t size;
};

class Search : public Object {
 public:
  std::vector<Entry> entries;
  size_t next = 0;
};

// The folder part of a pattern (up to its last separator) and the wildcard after it.
void SplitPattern(const std::string& pattern, std::string& folder, std::string& wildcard) {
  size_t separator = pattern.find_last_of("\\/");
  if (separator == std::string::npos) {
    folder = ".";
    wildcard = pattern;
  } else {
    folder = separator == 0 ? "/" : pattern.substr(0, separator);
    wildcard = pattern.substr(separator + 1);
  }
}

std::vector<Entry> ListMatches(const std::string& folder, const std::string& wildcard) {
  std::vector<Entry> entries;
  DIR* directory = opendir(platform::NativePath(folder.c_str()).c_str());
  if (!directory) return entries;
  std::string nativeFolder = platform::NativePath(folder.c_str());
  while (dirent* item = readdir(directory)) {
    if (!platform::MatchesWildcard(wildcard.c_str(), item->d_name)) continue;
    if (std::strlen(item->d_name) >= MAX_PATH) continue;
    struct stat status;
    std::string path = nativeFolder;
    path.append("/").append(item->d_name);
    if (stat(path.c_str(), &status) != 0) continue;
    entries.push_back({item->d_name, S_ISDIR(status.st_mode), status.st_size});
  }
  closedir(directory);
  // A stable order, like a sorted file system: ".", "..", then names without regard to case.
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    int byCase = strcasecmp(a.name.c_str(), b.name.c_str());
    return byCase != 0 ? byCase < 0 : a.name < b.name;
  });
  return entries;
}

void Fill(const Entry& entry, LPWIN32_FIND_DATAA data) {
  std::memset(data, 0, sizeof *data);
  data->dwFileAttributes = entry.isDirectory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  data->nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(entry.size) >> 32);
  data->nFileSizeLow = static_cast<DWORD>(entry.size);
  std::memcpy(data->cFileName, entry.name.c_str(), entry.name.size() + 1);
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
  if (!pattern || !data) {
    SetLastErrorCode(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string folder, wildcard;
  SplitPattern(pattern, folder, wildcard);
  std::vector<Entry> entries = ListMatches(folder, wildcard);
  if (entries.empty()) {
    SetLastErrorCode(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  Fill(entries[0], data);
  auto* search = new Search;
  search->entries = std::move(entries);
  search->next = 1;
  std::lock_guard<std::mutex> lock(Lock());
  return Register(search);
}

BOOL FindNextFileA(HANDLE find, LPWIN32_FIND_DATAA data) {
  std::lock_guard<std::mutex> lock(Lock());
  auto* search = FindAs<Search>(find);
  if (!search || !data) {
    SetLastErrorCode(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (search->next >= search->entries.size()) {
    SetLastErrorCode(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  Fill(search->entries[search->next++], data);
  return TRUE;
}

BOOL FindClose(HANDLE find) {
  {
    std::lock_guard<std::mutex> lock(Lock());
    if (!FindAs<Search>(find)) {
      SetLastErrorCode(ERROR_INVALID_HANDLE);
      return FALSE;
    }
  }
  return CloseHandle(find);
}
