#include "pending/PendingMeshCalls.h"
#include "scene/MeshSO.h"

Ptr<VisualSO> MeshSO::Copy(Ptr<VisualSO>, BOOL) { NotBuiltYet("MeshSO::Copy"); }
