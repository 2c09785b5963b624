// A deep copy of a serializable object through an in-memory archive: the stored form can be
// loaded into any number of targets. Up to two shared objects (and the document) are referred
// to, not copied.
#pragma once

#include "platform/framework/Object.h"

class DeepCopy {
 public:
  DeepCopy(CObject& source, CObject* document = nullptr, CObject* shared1 = nullptr, CObject* shared2 = nullptr);
  ~DeepCopy();
  DeepCopy(const DeepCopy&) = delete;
  DeepCopy& operator=(const DeepCopy&) = delete;

  // Loads the stored form into `target`, with the same document and shared objects as stored.
  void CopyTo(CObject& target, CObject* document = nullptr, CObject* shared1 = nullptr,
              CObject* shared2 = nullptr) const;

 private:
  BYTE* memory = nullptr;
  DWORD length = 0;
};
