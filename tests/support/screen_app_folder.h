// A folder made inside the program's folder for one test and removed with everything in it at the
// end, for the code that names its files relative to the program's folder.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "KMiscTools.h"
#include "platform/files.h"

class AppSubfolder {
 public:
  explicit AppSubfolder(const std::string& stem)
      : name_(stem + "_" + std::to_string(getpid())),
        path_(platform::NativePath(KMiscTools::GetAppFolder()) + "/" + name_) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~AppSubfolder() { std::filesystem::remove_all(path_); }
  AppSubfolder(const AppSubfolder&) = delete;
  AppSubfolder& operator=(const AppSubfolder&) = delete;

  // The folder's name as the game writes it, relative to the program's folder.
  const std::string& Name() const { return name_; }
  // The Linux path of a file inside the folder (subfolders with '/').
  std::string File(const std::string& relative) const { return path_ + "/" + relative; }

  void Write(const std::string& relative, const std::string& bytes) const {
    std::filesystem::path file = File(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
  }

 private:
  std::string name_;
  std::string path_;
};
