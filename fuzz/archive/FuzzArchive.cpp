#include "FuzzArchive.h"

#include "platform/framework/MemFile.h"

IMPLEMENT_SERIAL(FuzzLeaf, RefCount, 0)
IMPLEMENT_SERIAL(FuzzNode, Myself, VERSIONABLE_SCHEMA | 1)

namespace {

using ArchiveMap = XMap<DWORD, DWORD, Ptr<PtrMyself>, const Ptr<PtrMyself>&>;

// Stands for the scene document.
class FuzzDocument : public CObject {};

}  // namespace

void FuzzLeaf::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << text;
  else
    ar >> text;
  color.Serialize(ar);
}

void FuzzNode::Serialize(CArchive& ar) {
  Myself::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(GetRuntimeClass()->m_wSchema) << name << place << placement;
  } else {
    ReadSchema(ar, GetRuntimeClass());
    ar >> name >> place >> placement;
  }
  handles.Serialize(ar);
  points.Serialize(ar);
  moves.Serialize(ar);
  if (ar.IsStoring())
    ar << leaf;
  else
    ar >> leaf;
}

void LoadFuzzArchive(CArchive& ar) {
  FuzzDocument document;
  ArchiveMap map;
  BYTE mode;
  ar >> mode;
  if (mode & 1) {
    map.Serialize(ar);
    ar.m_pDocument = &map;
  } else {
    ar.m_pDocument = &document;
    ar.MapObject(&document);
  }
  FuzzNodes nodes;
  nodes.Serialize(ar);
  CString tail;
  ar >> tail;
  for (DWORD n = ar.ReadCount(); n > 0; --n) {
    BYTE b;
    ar >> b;
  }
  ar.Close();
}

void StoreFuzzArchive(CArchive& ar, FuzzNodes& nodes, bool mapMode, const char* tail, DWORD count) {
  FuzzDocument document;
  ArchiveMap map, stored;
  ar << static_cast<BYTE>(mapMode ? 1 : 0);
  if (mapMode) {
    // A first pass enters every node's key into the map, which the archive carries in front.
    CMemFile scratch;
    CArchive first(&scratch, CArchive::store);
    first.m_pDocument = &map;
    nodes.Serialize(first);
    first.Close();
    map.Serialize(ar);
    ar.m_pDocument = &stored;
  } else {
    ar.m_pDocument = &document;
    ar.MapObject(&document);
  }
  nodes.Serialize(ar);
  ar << CString(tail);
  ar.WriteCount(count);
  for (DWORD i = 0; i < count; ++i) ar << static_cast<BYTE>(i);
  ar.Close();
}
