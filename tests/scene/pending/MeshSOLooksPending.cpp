#include "pending/PendingMeshCalls.h"
#include "scene/MeshSO.h"

void MeshSO::SetQuality(LONG) { NotBuiltYet("MeshSO::SetQuality"); }
void MeshSO::ApplyQuality(BOOL) { NotBuiltYet("MeshSO::ApplyQuality"); }
void MeshSO::SetArtistic(LONG, LONG, LONG, LONG, const Color&, DWORD, const Color&, DWORD) {
  NotBuiltYet("MeshSO::SetArtistic");
}
void MeshSO::ReloadTextures(BOOL) { NotBuiltYet("MeshSO::ReloadTextures"); }
