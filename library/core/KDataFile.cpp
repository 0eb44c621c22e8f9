#include "KDataFile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "KArchiveList.h"
#include "KMiscTools.h"
#include "KTarArchive.h"
#include "platform/files.h"

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

const char* ArchiveLookupName(const char* path, const char* appFolder) {
  if (!appFolder) return path;
  size_t folderLength = std::strlen(appFolder);
  if (std::strncmp(path, appFolder, folderLength) != 0) return path;
  if (!IsSeparator(path[folderLength])) return path;
  return path + folderLength + 1;
}

KFileResult KDataFile::Open(const char* path, uint32_t mode) {
  if (state_ != 0) return K_FILE_BAD_STATE;
  if (mode != K_FILE_MODE_READ) return K_FILE_BAD_ARGUMENT;
  // A longer path is refused rather than cut: a cut path could name a different file.
  if (!path || std::strlen(path) > kFileMaxPath) return K_FILE_BAD_ARGUMENT;

  const char* lookupName = ArchiveLookupName(path, KMiscTools::GetAppFolder());
  for (KTarArchive* archive = g_archiveList.First(); archive;
       archive = g_archiveList.Next(archive)) {
    if (archive->OpenEntry(lookupName, this) == K_FILE_OK) return K_FILE_OK;
  }

  // Only regular files are data files: folders and devices report absurd sizes, and a named pipe
  // would wait for a writer. Why a file was refused is noted for whoever tells the user.
  const char* reason = nullptr;
  FILE* stream = platform::OpenRegularFile(path, &reason);
  if (!stream) {
    platform::NoteLoadFailure(reason);
    return K_FILE_NOT_FOUND;
  }
  stream_ = stream;
  borrowed_ = false;
  state_ = K_FILE_MODE_READ;
  baseOffset_ = 0;
  size_ = 0;
  return K_FILE_OK;
}

KFileResult KDataFile::OpenEntry(const char*, KDataFile*) {
  return K_FILE_BAD_STATE;
}

KFileResult KDataFile::AttachEntry(KDataFile* archive, uint32_t size) {
  if (state_ != 0 || !archive || archive->state_ != K_FILE_MODE_READ) return K_FILE_BAD_STATE;
  if (!archive->stream_) return K_FILE_READ_ERROR;
  long position = std::ftell(archive->stream_);
  if (position < 0 || static_cast<unsigned long>(position) > UINT32_MAX) return K_FILE_READ_ERROR;
  stream_ = archive->stream_;
  borrowed_ = true;
  state_ = K_FILE_MODE_READ;
  baseOffset_ = static_cast<uint32_t>(position);
  size_ = size;
  return K_FILE_OK;
}

void KDataFile::Close() {
  if (state_ == 0) return;
  if (!borrowed_) std::fclose(stream_);
  stream_ = nullptr;
  borrowed_ = false;
  state_ = 0;
  baseOffset_ = 0;
  size_ = 0;
}

KFileResult KDataFile::Seek(int origin, long offset) {
  if (state_ == 0) return K_FILE_BAD_STATE;
  long target = offset;
  int whence = SEEK_SET;
  switch (origin) {
    case 0:
      if (__builtin_add_overflow(static_cast<long>(baseOffset_), offset, &target)) {
        return K_FILE_BAD_ARGUMENT;
      }
      break;
    case 1:
      whence = SEEK_CUR;
      break;
    case 2:
      // An archive entry ends at its own last byte, also when it is empty; a disk file at the end
      // of its stream.
      if (!borrowed_) {
        whence = SEEK_END;
      } else if (__builtin_sub_overflow(static_cast<long>(baseOffset_) + size_, offset, &target)) {
        return K_FILE_BAD_ARGUMENT;
      }
      break;
    default:
      return K_FILE_BAD_ARGUMENT;
  }
  std::fseek(stream_, target, whence);
  return K_FILE_OK;
}

KFileResult KDataFile::Tell(long* position) {
  if (state_ != K_FILE_MODE_READ) return K_FILE_BAD_STATE;
  if (!position) return K_FILE_BAD_ARGUMENT;
  long streamPosition = std::ftell(stream_);
  if (streamPosition < 0) return K_FILE_READ_ERROR;
  *position = streamPosition - static_cast<long>(baseOffset_);
  return K_FILE_OK;
}

KFileResult KDataFile::Read(void* buffer, uint32_t count) {
  if (state_ == 0) return K_FILE_BAD_STATE;
  if (state_ != K_FILE_MODE_READ) return K_FILE_NOT_READABLE;
  if (count == 0) return K_FILE_READ_ERROR;
  if (!buffer) return K_FILE_BAD_ARGUMENT;
  // An archive entry ends at its own last byte: the archive's next header and data are not its
  // bytes, also when the entry is itself an archive.
  uint32_t readable = count;
  if (borrowed_) {
    long position = std::ftell(stream_);
    int64_t end = int64_t{baseOffset_} + size_;
    if (position < static_cast<long>(baseOffset_) || position > end) return K_FILE_READ_ERROR;
    readable = static_cast<uint32_t>(std::min<int64_t>(count, end - position));
  }
  if (std::fread(buffer, 1, readable, stream_) != count) return K_FILE_READ_ERROR;
  return K_FILE_OK;
}

KFileResult KDataFile::AddTarArchive(const char* path) {
  KTarArchive* archive = new (std::nothrow) KTarArchive;
  if (!archive) return K_FILE_READ_ERROR;
  KFileResult result = archive->OpenArchive(path);
  if (result != K_FILE_OK) {
    delete archive;
    return result;
  }
  g_archiveList.Append(archive);
  return K_FILE_OK;
}
