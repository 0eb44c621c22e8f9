#include "temp_folder.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tundrel-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::WindowsPath() const {
  std::string windows = path_;
  std::replace(windows.begin(), windows.end(), '/', '\\');
  return windows;
}

std::string TempFolder::Write(const std::string& name, const std::string& content) const {
  std::string path = File(name);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream file(File(name), std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

void TempFolder::MakeFolder(const std::string& name) const {
  std::filesystem::create_directories(File(name));
}

CurrentFolder::CurrentFolder(const std::string& path)
    : previous_(std::filesystem::current_path().string()) {
  std::filesystem::current_path(path);
}

CurrentFolder::~CurrentFolder() {
  std::filesystem::current_path(previous_);
}
