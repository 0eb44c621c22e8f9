// The read-only file layer: a file is served from the first registered tar archive that holds an
// entry of its name, otherwise from disk. Every operation returns a KFileResult (0 for success).
//
// Reading a file whole: Open(path, K_FILE_MODE_READ); Seek(2, 0) and Tell give the length;
// Seek(0, 0); Read(buffer, length); Close. Entries of one archive share the archive's stream, so
// one entry is read and closed before the next is opened.
#pragma once

#include <cstdint>
#include <cstdio>

#include "KListNode.h"

typedef uint32_t KFileResult;
enum : uint32_t {
  K_FILE_OK = 0,
  K_FILE_BAD_STATE = 100,
  K_FILE_NOT_READABLE = 101,
  K_FILE_BAD_ARGUMENT = 102,
  K_FILE_NOT_FOUND = 104,
  K_FILE_READ_ERROR = 106,
};

enum : uint32_t { K_FILE_MODE_READ = 1000 };

// The longest path or entry name the layer accepts, without its terminator.
constexpr size_t kFileMaxPath = 259;

class KDataFile : public KListNode {
 public:
  KDataFile() = default;
  KDataFile(const KDataFile&) = delete;
  KDataFile& operator=(const KDataFile&) = delete;
  ~KDataFile() override { Close(); }

  // Opens a file for reading from a registered archive or from disk. Paths are in Windows form;
  // one inside the program folder is looked up in the archives relative to that folder.
  KFileResult Open(const char* path, uint32_t mode);
  // Attaches target to the entry called name. A disk file is no archive: K_FILE_BAD_STATE.
  virtual KFileResult OpenEntry(const char* name, KDataFile* target);
  // Makes this file the entry of size bytes that starts at the archive's current position.
  KFileResult AttachEntry(KDataFile* archive, uint32_t size);
  void Close();

  // origin 0: from the first byte; 1: from the current position; 2: from the end. For an archive
  // entry, offsets from the end count backward from the entry's last byte.
  KFileResult Seek(int origin, long offset);
  // The position relative to the file's first byte.
  KFileResult Tell(long* position);
  // Reads exactly count bytes (a short read is K_FILE_READ_ERROR; what was read is in buffer).
  // An archive entry's reads never reach past its own last byte.
  KFileResult Read(void* buffer, uint32_t count);

  // Opens a tar archive (itself possibly an entry of an archive registered earlier) and registers
  // it after the others.
  static KFileResult AddTarArchive(const char* path);

  bool IsOpen() const { return state_ != 0; }

 private:
  FILE* stream_ = nullptr;
  // True for an archive entry: the stream is the archive's and stays open when the entry closes.
  bool borrowed_ = false;
  uint32_t state_ = 0;
  uint32_t baseOffset_ = 0;
  uint32_t size_ = 0;
};

// The name under which a path is looked up in the archives: the part after the program folder and
// its separator when the path lies inside that folder (compared case-sensitively), else the path.
const char* ArchiveLookupName(const char* path, const char* appFolder);
