// An intrusive doubly linked list node. A node starts unlinked; a copy starts unlinked too, and the
// destructor leaves the links alone (whoever linked the node unlinks it).
#pragma once

#include "KObject.h"

class KListNode : public KObject {
 public:
  constexpr KListNode() = default;
  constexpr KListNode(const KListNode&) : KObject() {}
  KListNode& operator=(const KListNode&) = delete;
  ~KListNode() override = default;

  KListNode* next = nullptr;
  KListNode* prev = nullptr;
};
