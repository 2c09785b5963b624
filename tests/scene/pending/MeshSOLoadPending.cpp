#include "pending/PendingMeshCalls.h"
#include "scene/MeshSO.h"

PendingMeshCalls& Pending() {
  static PendingMeshCalls calls;
  return calls;
}

// Every file is missing.
void MeshSO::Load() {
  ++Pending().loads;
  error = fileNotFound;
}

LONG MeshSO::GetEffectiveQuality() const { NotBuiltYet("MeshSO::GetEffectiveQuality"); }

// Lists every group in one part, as the set-up does for a mesh of one look.
void MeshSO::SetupGroupMaterials(BOOL apply, BOOL lighting) {
  Pending().setupGroupMaterials.push_back({apply, lighting});
  groupMats.RemoveAll();
  groupParts.RemoveAll();
  GroupIndexList all;
  for (DWORD group = 0; group < mesh->GetGroupCount(); ++group) {
    all.AddTail(group);
    groupParts.AddTail(WORD{0});
  }
  groupMats.AddTail(all);
}
