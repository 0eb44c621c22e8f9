#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/win32_shell.h"

namespace {

std::string Home() {
  const char* home = std::getenv("HOME");
  return home && *home == '/' ? home : "";
}

// XDG_DOCUMENTS_DIR from the user's user-dirs file, e.g. XDG_DOCUMENTS_DIR="$HOME/Documents".
std::string DocumentsFromUserDirs(const std::string& configHome, const std::string& home) {
  std::ifstream file(configHome + "/user-dirs.dirs");
  std::string line;
  const std::string key = "XDG_DOCUMENTS_DIR=\"";
  while (std::getline(file, line)) {
    if (line.compare(0, key.size(), key) != 0) continue;
    std::string value = line.substr(key.size());
    value = value.substr(0, value.find('"'));
    if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
    return value.empty() || value[0] != '/' ? "" : value;
  }
  return "";
}

std::string FromEnvironmentOr(const char* variable, const std::string& fallback) {
  const char* value = std::getenv(variable);
  return value && *value == '/' ? value : fallback;
}

// The usual Linux user folders: data under XDG_DATA_HOME, documents where the desktop keeps them.
std::string FolderFor(int csidl) {
  std::string home = Home();
  if (csidl == CSIDL_APPDATA) {
    return FromEnvironmentOr("XDG_DATA_HOME", home.empty() ? "" : home + "/.local/share");
  }
  if (csidl == CSIDL_PERSONAL) {
    if (home.empty()) return "";
    std::string documents =
        DocumentsFromUserDirs(FromEnvironmentOr("XDG_CONFIG_HOME", home + "/.config"), home);
    return documents.empty() ? home + "/Documents" : documents;
  }
  return "";
}

bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string prefix = path.substr(0, slash);
    if (mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

bool IsFolder(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

BOOL SHGetSpecialFolderPathA(HWND, LPSTR path, int csidl, BOOL create) {
  if (!path) return FALSE;
  std::string folder = FolderFor(csidl);
  if (folder.empty() || folder.size() >= MAX_PATH) return FALSE;
  if (!IsFolder(folder) && !(create && MakeFolders(folder))) return FALSE;
  std::replace(folder.begin(), folder.end(), '/', '\\');
  std::memcpy(path, folder.c_str(), folder.size() + 1);
  return TRUE;
}
