#include "pending/PendingMeshCalls.h"
#include "scene/MeshSO.h"

BOOL MeshSO::Intersect(const Vector&, const Vector&, double&, Vector&, D3DRMPICKDESC&) {
  NotBuiltYet("MeshSO::Intersect");
}
