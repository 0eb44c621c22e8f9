// The root base class of the library's file-layer nodes and text: deleting through a KObject
// pointer runs the derived destructors.
#pragma once

class KObject {
 public:
  virtual ~KObject() = default;
};
