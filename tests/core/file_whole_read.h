// Reads an open KDataFile whole, the way the picture loaders do: measure from the end, go back to
// the start, read everything in one call.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "KDataFile.h"

inline std::string ReadWhole(KDataFile& file) {
  long length = -1;
  EXPECT_EQ(file.Seek(2, 0), K_FILE_OK);
  EXPECT_EQ(file.Tell(&length), K_FILE_OK);
  EXPECT_EQ(file.Seek(0, 0), K_FILE_OK);
  if (length <= 0) return {};
  std::string bytes(static_cast<size_t>(length), '\0');
  EXPECT_EQ(file.Read(bytes.data(), static_cast<uint32_t>(length)), K_FILE_OK);
  return bytes;
}
