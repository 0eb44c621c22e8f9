// Telling the player about data files the game could not load or had to correct: one line on
// standard error for each, naming the file and the reason.
#pragma once

#include "platform/files.h"

// Writes "<file>: <reason>" to standard error, the file being the full path of a name relative to
// the program's folder; without a reason the line says "could not be loaded".
void ReportDataFileProblem(const char* path, const char* reason);

// Runs load, which loads the data file named by path (relative to the program's folder) and says
// whether it succeeded; a failure is reported with the reason that its loader noted.
template <typename Load>
bool LoadDataFile(const char* path, Load load) {
  // A reason noted by an earlier load that was not reported is no reason for this one.
  platform::TakeLoadFailure();
  if (load()) return true;
  ReportDataFileProblem(path, platform::TakeLoadFailure());
  return false;
}
