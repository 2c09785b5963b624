// The program's list and map templates.
#pragma once

#include <type_traits>

#include "core/Pointers.h"
#include "core/Transform.h"
#include "core/XPtSzRect.h"
#include "platform/framework/List.h"
#include "platform/framework/Map.h"

// How each kind of list element is archived: counted pointers as object references, transforms
// in their archive order, vectors as three doubles, anything else through its own Serialize.
template <class T>
void SerializeListElement(CArchive& ar, Ptr<T>& element) {
  if (ar.IsStoring())
    ar << element;
  else
    ar >> element;
}
inline void SerializeListElement(CArchive& ar, Transform& element) {
  if (ar.IsStoring())
    ar << element;
  else
    ar >> element;
}
inline void SerializeListElement(CArchive& ar, Vector& element) {
  if (ar.IsStoring())
    ar << element.x << element.y << element.z;
  else
    ar >> element.x >> element.y >> element.z;
}
// Plain numbers (mesh group indices, part numbers) in their own widths.
template <class T>
  requires std::is_arithmetic_v<T>
void SerializeListElement(CArchive& ar, T& element) {
  if (ar.IsStoring())
    ar << element;
  else
    ar >> element;
}
template <class T>
void SerializeListElement(CArchive& ar, T& element) {
  element.Serialize(ar);
}

// A list of copies (counted pointers hold a reference each). It is archived in place by its
// owner: the count (WriteCount) and then each element from head to tail; loading appends.
template <class T>
class XList : public CObject, public CList<T, const T&> {
 public:
  using CList<T, const T&>::Find;

  // Nodes are allocated one by one; the block size is accepted for the callers' sake.
  explicit XList(int /*blockSize*/ = 10) {}

  // Appends an element that must not be in the list yet.
  POSITION AddUnique(const T& a) {
    XASSERT(!Find( a ), "Already exists");
    return this->AddTail(a);
  }

  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD>(this->GetCount()));
      for (POSITION pos = this->GetHeadPosition(); pos;) SerializeListElement(ar, this->GetNext(pos));
      return;
    }
    // Every element is read into a fresh temporary, so that one object stored at two places
    // in a row reads back as one shared object.
    for (DWORD n = ar.ReadCount(); n > 0; --n) {
      T element;
      SerializeListElement(ar, element);
      this->AddTail(element);
    }
  }
};

// The framework's map as the program's own template. Its one instance is the archive map
// of identity handles, XMap< DWORD, DWORD, Ptr<PtrMyself>, const Ptr<PtrMyself>& >, archived as
// the count and then, in walk order, each key as a DWORD and its value.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class XMap : public CObject, public CMap<KEY, ARG_KEY, VALUE, ARG_VALUE> {
 public:
  explicit XMap(int blockSize = 10) : CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>(blockSize) {}

  // True when a new association was made; an existing key takes the value unless it holds it.
  BOOL SetAt(ARG_KEY key, ARG_VALUE value) {
    UINT hash;
    if (auto* assoc = this->GetAssocAt(key, hash)) {
      if (!(assoc->value == value)) assoc->value = value;
      return FALSE;
    }
    (*this)[key] = value;
    return TRUE;
  }

  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteCount(static_cast<DWORD>(this->GetCount()));
      for (POSITION pos = this->GetStartPosition(); pos;) {
        KEY key;
        VALUE value;
        this->GetNextAssoc(pos, key, value);
        ar << key << value;
      }
      return;
    }
    // A repeated key keeps the last value.
    for (DWORD n = ar.ReadCount(); n > 0; --n) {
      KEY key;
      VALUE value;
      ar >> key >> value;
      SetAt(key, value);
    }
  }
};
