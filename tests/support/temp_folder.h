// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#pragma once

#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Linux form, without a trailing slash.
  const std::string& Path() const { return path_; }
  // The path of name inside the folder, Linux form.
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Windows form (backslashes), as library code writes paths.
  std::string WindowsPath() const;

  // Writes content byte for byte into the file name, making the folders on its way; returns the
  // file's path (Linux form).
  std::string Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;
  void MakeFolder(const std::string& name) const;

 private:
  std::string path_;
};

// Makes the folder the process's current folder for the life of the object.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& path);
  ~CurrentFolder();

 private:
  std::string previous_;
};
