// The lines that code writes to standard error while it runs.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

template <typename Run>
std::vector<std::string> StderrLines(Run run) {
  testing::internal::CaptureStderr();
  run();
  std::istringstream text(testing::internal::GetCapturedStderr());
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}
