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

void MeshSO::SetupGroupMaterials(BOOL apply, BOOL lighting) { Pending().setupGroupMaterials.push_back({apply, lighting}); }
