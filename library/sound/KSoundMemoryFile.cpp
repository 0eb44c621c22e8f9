// The in-memory file: a whole file or a caller's image, and the decoder's callbacks over it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "KSound.h"
#include "platform/files.h"

ov_callbacks g_oggMemoryCallbacks = {KSound::OggMemRead, KSound::OggMemSeek, KSound::OggMemClose,
                                     KSound::OggMemTell};

namespace {

// Room after the data, as the decoder's reads may look a little past what they need.
constexpr size_t kSlack = 1024;
constexpr long kLargestFile = std::numeric_limits<int32_t>::max() - long(kSlack);

}  // namespace

// The whole file into _memData: its size, or -1 when it is missing, not a readable regular file,
// empty, too large or can't be held; why is noted as a load failure.
int KSound::ReadFileToMemory(const char* filename) {
  std::string bytes;
  const char* reason = platform::ReadRegularFile(filename, size_t(kLargestFile), &bytes);
  if (!reason && CopyToMemoryFile(bytes.data(), int(bytes.size())) <= 0) reason = "too large";
  if (!reason) return int(bytes.size());
  platform::NoteLoadFailure(reason);
  return -1;
}

int KSound::CopyToMemoryFile(const void* data, int size) {
  if (!data || size <= 0 || size > kLargestFile) return -1;
  auto* block = static_cast<uint8_t*>(std::calloc(size_t(size) + kSlack, 1));
  if (!block) return -1;
  std::memcpy(block, data, size_t(size));
  std::free(_memData);
  _memData = block;
  _memSize = uint32_t(size);
  _memPos = 0;
  return size;
}

size_t KSound::OggMemRead(void* destination, size_t size, size_t count, void* sound) {
  auto* self = static_cast<KSound*>(sound);
  if (!self) return size_t(-1);
  if (size == 0 || count == 0) return 0;
  if (count > size_t(std::numeric_limits<long>::max()) / size) return size_t(-1);
  const size_t wanted = size * count;
  const size_t left = self->_memSize - self->_memPos;
  const size_t bytes = wanted < left ? wanted : left;
  std::memcpy(destination, self->_memData + self->_memPos, bytes);
  self->_memPos += uint32_t(bytes);
  return bytes / size;
}

int KSound::OggMemSeek(void* sound, ogg_int64_t offset, int whence) {
  auto* self = static_cast<KSound*>(sound);
  if (!self) return -1;
  const int64_t low = int32_t(uint32_t(uint64_t(offset)));
  int64_t position = self->_memSize;
  if (whence == SEEK_SET) position = low;
  if (whence == SEEK_CUR) position = int64_t(self->_memPos) + low;
  if (whence == SEEK_END) position = int64_t(self->_memSize) + low;
  if (position < 0 || position > int64_t(self->_memSize)) position = self->_memSize;
  self->_memPos = uint32_t(position);
  return 0;
}

int KSound::OggMemClose(void*) {
  return 0;
}

long KSound::OggMemTell(void* sound) {
  auto* self = static_cast<KSound*>(sound);
  return self ? long(self->_memPos) : -1;
}
