#include "document/GroupUndoData.h"

IMPLEMENT_SERIAL(AddGroupsUndoData, RefCount, VERSIONABLE_SCHEMA)
IMPLEMENT_SERIAL(DeleteGroupsUndoData, RefCount, VERSIONABLE_SCHEMA)

void AddGroupsUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    WriteUndoSchema(ar, *this);
  else
    ReadUndoSchema(ar, *this);
  SerializeHandles(ar, groups);
  SerializeHandles(ar, selected);
  if (ar.IsLoading() && groups.IsEmpty()) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
}

void DeleteGroupsUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    WriteUndoSchema(ar, *this);
  else
    ReadUndoSchema(ar, *this);
  image.Serialize(ar);
  SerializeHandles(ar, parents);
  SerializeHandles(ar, selected);
  if (ar.IsLoading() && parents.IsEmpty()) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
}
