#include "KArchiveList.h"

#include "KTarArchive.h"

constinit KArchiveList g_archiveList;

void KArchiveList::Append(KTarArchive* archive) {
  archive->next = this;
  archive->prev = prev;
  prev->next = archive;
  prev = archive;
  ++count;
}

void KArchiveList::Clear() {
  while (next != this) {
    KListNode* node = next;
    node->prev->next = node->next;
    node->next->prev = node->prev;
    node->next = node->prev = nullptr;
    --count;
    delete static_cast<KTarArchive*>(node);
  }
}

KTarArchive* KArchiveList::First() const {
  return next == this ? nullptr : static_cast<KTarArchive*>(next);
}

KTarArchive* KArchiveList::Next(const KTarArchive* archive) const {
  return archive->next == this ? nullptr : static_cast<KTarArchive*>(archive->next);
}
