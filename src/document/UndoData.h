// What every kind of undo data shares: the schema word that opens its archive, identity handles
// in place of counted pointers, and byte images of objects that a record must re-create.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "core/XList.h"

using HandleList = XList<Ptr<PtrMyself>>;
using ArchiveMap = XMap< DWORD, DWORD, Ptr<PtrMyself>, const Ptr<PtrMyself>& >;

// The first element of a list that must not be empty.
template <class T>
const T& HeadOf(const XList<T>& list) {
  return list.GetAt(list.GetHeadPosition());
}

// Writes the class's schema word, which must be versionable.
void WriteUndoSchema(CArchive& ar, const CObject& data);
// Reads it: a newer version shows message 40243 and fails with badSchema.
void ReadUndoSchema(CArchive& ar, const CObject& data);

// A BOOL kept as its low byte, read back zero-extended.
void SerializeByteFlag(CArchive& ar, BOOL& flag);

// Archives one list of handles, or one handle, in the undo-data form.
void SerializeHandles(CArchive& ar, HandleList& handles);
void SerializeHandle(CArchive& ar, Ptr<PtrMyself>& handle);

// The identity handle of an object, for an undo record.
Ptr<PtrMyself> HandleOf(Myself& object);

// Refuses to apply a record whose content does not fit the document (only a damaged file makes
// one): the step fails as a failed read does, and the history reverts or closes the document.
[[noreturn]] void RefuseRecord();

// Objects kept as bytes, with the map from the keys the image holds to the identity handles of
// the objects in it. Re-creating them gives the new objects the old handles, so records that
// name them still reach them. An image can be re-created any number of times.
class UndoImage {
 public:
  // Serializes the objects through `write` into a new image. `document` is mapped first, so
  // references to it are written as references.
  void Store(CObject* document, const std::function<void(CArchive&)>& write);
  // Reads the image through `read`, with the same document mapped.
  void Load(CObject* document, const std::function<void(CArchive&)>& read) const;

  // The map, the length and the bytes. Reading needs an empty image; its length is checked
  // against the bytes left before anything is allocated.
  void Serialize(CArchive& ar);

  bool IsEmpty() const { return !map; }

 private:
  std::unique_ptr<ArchiveMap> map;
  std::vector<BYTE> bytes;
};
