#include "pending/PendingMeshCalls.h"
#include "scene/MeshSO.h"

void MeshSO::SetQuality(LONG) { NotBuiltYet("MeshSO::SetQuality"); }
void MeshSO::ApplyQuality(BOOL) { NotBuiltYet("MeshSO::ApplyQuality"); }
void MeshSO::SetArtistic(LONG, LONG, LONG, LONG, const Color&, DWORD, const Color&, DWORD) {
  NotBuiltYet("MeshSO::SetArtistic");
}
void MeshSO::ReloadTextures(BOOL) { NotBuiltYet("MeshSO::ReloadTextures"); }

void MeshSO::GetArtistic(LONG&, LONG&, LONG&, LONG&, Color&, DWORD&, Color&, DWORD&) const {
  NotBuiltYet("MeshSO::GetArtistic");
}
void MeshSO::GetTexMats(XList<Material>&) const { NotBuiltYet("MeshSO::GetTexMats"); }
void MeshSO::GetUntexMats(XList<Material>&) const { NotBuiltYet("MeshSO::GetUntexMats"); }
void MeshSO::SetTexMats(const XList<Material>&, BOOL) { NotBuiltYet("MeshSO::SetTexMats"); }
void MeshSO::SetUntexMats(const XList<Material>&, BOOL) { NotBuiltYet("MeshSO::SetUntexMats"); }
