// The registered tar archives, in order of registration: a circular list whose head is this
// object (its next link is the first archive, its prev link the last; both point at the head while
// the list is empty).
#pragma once

#include <cstdint>

#include "KListNode.h"

class KTarArchive;

class KArchiveList : public KListNode {
 public:
  constexpr KArchiveList() { next = prev = this; }
  KArchiveList(const KArchiveList&) = delete;
  // At exit every archive is unlinked, closed and freed: AddTarArchive made them and nothing else
  // can reach them.
  ~KArchiveList() override { Clear(); }

  void Append(KTarArchive* archive);
  // Unlinks every archive, first to last, and deletes it; the list is empty afterwards.
  void Clear();
  KTarArchive* First() const;
  // The archive after the given one, or null after the last.
  KTarArchive* Next(const KTarArchive* archive) const;

  uint32_t count = 0;
};

extern constinit KArchiveList g_archiveList;
