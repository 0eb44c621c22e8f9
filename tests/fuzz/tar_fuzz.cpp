// Fuzz target for the tar reader: the input is registered as an archive (and, when its first entry
// is itself an archive, that too), then entries are looked up and read whole.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "KArchiveList.h"
#include "KDataFile.h"
#include "fuzz_input.h"

namespace {

void ReadWhole(const char* name) {
  KDataFile file;
  if (file.Open(name, K_FILE_MODE_READ) != K_FILE_OK) return;
  long length = 0;
  if (file.Seek(2, 0) != K_FILE_OK || file.Tell(&length) != K_FILE_OK || length <= 0) return;
  std::vector<char> bytes(static_cast<size_t>(length));
  file.Seek(0, 0);
  file.Read(bytes.data(), static_cast<uint32_t>(length));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = InputAsFile(data, size);
  if (path.empty() || KDataFile::AddTarArchive(path.c_str()) != K_FILE_OK) return 0;
  std::string firstName;
  for (size_t i = 0; i < size && i < 100 && data[i] != 0; ++i)
    firstName += static_cast<char>(data[i]);
  KDataFile::AddTarArchive(firstName.c_str());
  for (const char* name : {firstName.c_str(), "a", "img\\bg\\menu.jpg", "inner.tar"})
    ReadWhole(name);
  g_archiveList.Clear();
  return 0;
}
