#include "scene/InstanceMap.h"

#include <cstring>

InstanceMap instances;

UINT HashKey(const CString& key) {
  const int length = key.GetLength();
  const char* bytes = key;
  if (length < 4) return static_cast<UINT>(static_cast<LONG>(static_cast<signed char>(length ? bytes[0] : 0)));
  BYTE word[4];
  std::memcpy(word, bytes + (length >= 8 ? length - 8 : length - 4), sizeof word);
  return static_cast<UINT>(word[0]) | static_cast<UINT>(word[1]) << 8 | static_cast<UINT>(word[2]) << 16 |
         static_cast<UINT>(word[3]) << 24;
}

POSITION FindInstance(const InstanceList& list, const MeshSO* object) {
  POSITION front = list.GetHeadPosition(), back = list.GetTailPosition();
  for (int left = list.GetCount(); left > 0; left -= 2) {
    if (list.GetAt(front) == object) return front;
    if (list.GetAt(back) == object) return back;
    list.GetNext(front);
    list.GetPrev(back);
  }
  return nullptr;
}

InstanceMap::InstanceMap() { InitHashTable(kBuckets, false); }

InstanceList* InstanceMap::Find(const CString& key) {
  UINT bucket;
  Assoc* assoc = GetAssocAt(key, bucket);
  return assoc ? &assoc->value : nullptr;
}

void InstanceMap::Remove(const CString& key) {
  RemoveKey(key);
  if (IsEmpty()) RemoveAll();
}
