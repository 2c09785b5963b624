#include "pending/PendingMeshCalls.h"
#include "scene/MeshSO.h"

PendingMeshCalls& Pending() {
  static PendingMeshCalls calls;
  return calls;
}

void MeshSO::BuildCartoonEdges() { ++Pending().buildCartoonEdges; }

void MeshSO::DrawCartoonLines(IUPtr<IDirect3DRMDevice>, IUPtr<IDirect3DRMViewport>, const Transform&,
                              const Transform&, double) {
  NotBuiltYet("MeshSO::DrawCartoonLines");
}
