// A KDataFile opened on a tar archive; its entries are looked up by name, case-insensitively, and
// served from the archive's own stream.
#pragma once

#include "KDataFile.h"

class KTarArchive : public KDataFile {
 public:
  KFileResult OpenArchive(const char* path) { return Open(path, K_FILE_MODE_READ); }
  // Scans the headers from the archive's start and attaches target to the first regular file whose
  // name matches (backslashes in name count as slashes). K_FILE_NOT_FOUND at the end block.
  KFileResult OpenEntry(const char* name, KDataFile* target) override;
};
