#include "DataFileReport.h"

#include <cstdio>
#include <string>

#include "KMiscTools.h"

void ReportDataFileProblem(const char* path, const char* reason) {
  std::string file = platform::NativePath(KMiscTools::MakeFilePath(path));
  std::fprintf(stderr, "%s: %s\n", file.c_str(), reason ? reason : "could not be loaded");
}
