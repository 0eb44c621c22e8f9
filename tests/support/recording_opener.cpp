#include "recording_opener.h"

#include <sys/stat.h>

#include "platform/process.h"
#include "platform/win32_kernel.h"

RecordingOpener::RecordingOpener() {
  folder_.Write("opener",
                "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"$0.tmp\"\nmv \"$0.tmp\" \"$0.args\"\n");
  std::string opener = folder_.File("opener");
  chmod(opener.c_str(), 0755);
  platform::SetShellOpener(opener.c_str());
}

RecordingOpener::~RecordingOpener() {
  platform::SetShellOpener(nullptr);
}

std::string RecordingOpener::WaitForRecord() const {
  HANDLE pause = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  std::string record;
  for (int attempt = 0; attempt < 2000 && record.empty(); ++attempt) {
    WaitForSingleObject(pause, 5);
    record = folder_.Read("opener.args");
  }
  CloseHandle(pause);
  return record;
}
