#include "pending/PendingMeshCalls.h"
#include "scene/MeshSO.h"

// A mesh record cannot be read or written yet: the archive refuses it after the visual part.
void MeshSO::Serialize(CArchive& ar) {
  VisualSO::Serialize(ar);
  AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
}
