// Stands in for the desktop's document opener while it lives: a script that writes the number of
// its arguments and each argument, every one followed by '|', to a file the test can wait for.
#pragma once

#include <string>

#include "temp_folder.h"

class RecordingOpener {
 public:
  RecordingOpener();
  ~RecordingOpener();
  RecordingOpener(const RecordingOpener&) = delete;
  RecordingOpener& operator=(const RecordingOpener&) = delete;

  // What the opener recorded, once it has run (it runs in a process of its own).
  std::string WaitForRecord() const;

 private:
  TempFolder folder_;
};
