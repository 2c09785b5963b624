#include "pending/PendingMeshCalls.h"
#include "scene/MeshSO.h"

// Objects of these tests have no shared mesh: renaming only stores the name.
void MeshSO::SetName(const CString& newName) { SceneObj::SetName(newName); }

void MeshSO::SetEditAllCopies(BOOL, Ptr<GroupSO>) { NotBuiltYet("MeshSO::SetEditAllCopies"); }
