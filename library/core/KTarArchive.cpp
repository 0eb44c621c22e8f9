#include "KTarArchive.h"

#include <climits>
#include <cstring>

#include "platform/crt.h"

namespace {

constexpr long kBlockSize = 512;
constexpr size_t kNameOffset = 0, kNameLength = 100;
constexpr size_t kSizeOffset = 124, kSizeLength = 12;
constexpr size_t kTypeOffset = 156;

bool IsEndBlock(const unsigned char* block) {
  for (long i = 0; i < kBlockSize; ++i) {
    if (block[i] != 0) return false;
  }
  return true;
}

// The size field: octal digits after optional blanks, ended by a NUL, a blank or the field's end.
// It is parsed from a terminated copy so that a full field never runs into the next one. Sizes in
// base-256 (first byte's high bit set) or with a sign are refused.
bool ParseEntrySize(const unsigned char* block, uint64_t* size) {
  char field[kSizeLength + 1];
  std::memcpy(field, block + kSizeOffset, kSizeLength);
  field[kSizeLength] = '\0';
  if (static_cast<unsigned char>(field[0]) & 0x80) return false;
  const char* digit = field;
  while (*digit == ' ') ++digit;
  uint64_t value = 0;
  for (; *digit >= '0' && *digit <= '7'; ++digit) value = value * 8 + (*digit - '0');
  if (*digit != '\0' && *digit != ' ') return false;
  *size = value;
  return true;
}

bool IsRegularFile(const unsigned char* block) {
  return block[kTypeOffset] == '\0' || block[kTypeOffset] == '0';
}

}  // namespace

KFileResult KTarArchive::OpenEntry(const char* name, KDataFile* target) {
  if (!name || !target || std::strlen(name) > kFileMaxPath) return K_FILE_BAD_ARGUMENT;
  char wanted[kFileMaxPath + 1];
  std::strcpy(wanted, name);
  for (char* c = wanted; *c; ++c) {
    if (*c == '\\') *c = '/';
  }

  long length = 0;
  KFileResult result = Seek(2, 0);
  if (result == K_FILE_OK) result = Tell(&length);
  if (result == K_FILE_OK) result = Seek(0, 0);
  if (result != K_FILE_OK) return result;

  unsigned char block[kBlockSize];
  result = Read(block, kBlockSize);
  while (result == K_FILE_OK) {
    if (IsEndBlock(block)) return K_FILE_NOT_FOUND;
    uint64_t size = 0;
    long dataStart = 0;
    if (!ParseEntrySize(block, &size)) return K_FILE_READ_ERROR;
    result = Tell(&dataStart);
    if (result != K_FILE_OK) return result;
    // An entry whose data would run past the archive's end means a damaged archive. Compared as
    // signed values: a header read at the very end leaves no room at all, not a huge one.
    int64_t room = int64_t{length} - dataStart;
    if (size > UINT32_MAX || room < 0 || static_cast<int64_t>(size) > room) {
      return K_FILE_READ_ERROR;
    }
    if (IsRegularFile(block) &&
        _strnicmp(wanted, reinterpret_cast<const char*>(block + kNameOffset), kNameLength) == 0) {
      return target->AttachEntry(this, static_cast<uint32_t>(size));
    }
    result = Seek(1, static_cast<long>((size + kBlockSize - 1) & ~uint64_t{kBlockSize - 1}));
    if (result == K_FILE_OK) result = Read(block, kBlockSize);
  }
  return result;
}
