#include "pending/PendingMeshCalls.h"
#include "scene/MeshSO.h"

void MeshSO::BuildCartoonEdges() { ++Pending().buildCartoonEdges; }

void MeshSO::DrawCartoonLines(IUPtr<IDirect3DRMDevice>, IUPtr<IDirect3DRMViewport>, const Transform&,
                              const Transform&, double) {
  NotBuiltYet("MeshSO::DrawCartoonLines");
}
