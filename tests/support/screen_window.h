// A DirectX game window that also records every title it is given, for the tests of the game's
// screens and of what they draw. Include it from one source file of a test program.
#pragma once

#include <string>
#include <vector>

#include "KWindowDX.h"

// SDL's X11 video opens the desktop bus, whose library keeps blocks to the end of the process.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n";
}

class TitleRecordingWindow : public KWindowDX {
 public:
  void SetTitle(const char* text) override {
    titles.emplace_back(text);
    KWindowDX::SetTitle(text);
  }

  std::vector<std::string> titles;
};
