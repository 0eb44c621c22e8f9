#include "ModuleHeader.h"

#include <cstring>

namespace {

struct HeaderKind {
  size_t signatureOffset;
  const char* signature;
  // The initial tempo's byte; the player reads only the low byte of a wider field.
  size_t tempoOffset;
};

constexpr HeaderKind kKinds[] = {
    {0, "IMPM", 51},
    {0, "Extended Module: ", 78},
    {44, "SCRM", 50},
};

}  // namespace

bool ModuleHeaderPlayable(const uint8_t* head, size_t size) {
  for (const HeaderKind& kind : kKinds) {
    size_t length = std::strlen(kind.signature);
    if (size < kind.signatureOffset + length ||
        std::memcmp(head + kind.signatureOffset, kind.signature, length) != 0) {
      continue;
    }
    return size > kind.tempoOffset && head[kind.tempoOffset] != 0;
  }
  return true;
}
