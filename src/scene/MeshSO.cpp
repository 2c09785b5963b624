#include "scene/MeshSO.h"

#include "scene/InstanceMap.h"
#include "scene/SceneServices.h"

IMPLEMENT_SERIAL(MeshSO, VisualSO, VERSIONABLE_SCHEMA | 2)

MeshSO::MeshSO() {
  ConstructionPtr<MeshSO> guard(this);
  XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->CreateMesh(&mesh), "XGetApp()->lpD3DRM->CreateMesh( &mesh )");
  XCHECK_D3DRM_TEXT(mesh->SetAppData((DWORD_PTR)this), "mesh->SetAppData( (DWORD)this )");
  GetBox();
}

MeshSO::MeshSO(const char* path, BOOL editAllCopies, const char* objectName, BOOL reverseFaces,
               BOOL twoSidedFaces)
    : reference(editAllCopies), reverse(reverseFaces), twoSided(twoSidedFaces), texturesOn(1), texturesLoaded(1) {
  ConstructionPtr<MeshSO> guard(this);
  file = path;
  // Without a mesh yet, the name is only stored.
  MeshSO::SetName(objectName ? CString(objectName) : CString(file.GetFileTitle()));
  Load();
  if (error == none) GetBox();
}

MeshSO::MeshSO(int segments, double radius, double length, D3DCOLOR color) {
  ConstructionPtr<MeshSO> guard(this);
  BuildCylinder(segments, radius, length, color);
}

MeshSO::MeshSO(int grids, D3DCOLOR color) {
  ConstructionPtr<MeshSO> guard(this);
  BuildGround(grids, color);
}

MeshSO::~MeshSO() {
  if (!reference || error != none || !mesh) return;
  InstanceList* list = instances.Find(GetName());
  XASSERT_TEXT(list, "list", "Supposed to be in list");
  if (POSITION pos = FindInstance(*list, this)) list->RemoveAt(pos);
  if (list->IsEmpty()) instances.Remove(GetName());
}

void MeshSO::GetBox() {
  D3DRMBOX platformBox;
  XCHECK_D3DRM_TEXT(mesh->GetBox(&platformBox), "mesh->GetBox( &box )");
  box.min = Vector(platformBox.min.x, platformBox.min.y, platformBox.min.z);
  box.max = Vector(platformBox.max.x, platformBox.max.y, platformBox.max.z);
  sphere = BoundingBox::GetBoundingSphere(box);
  ExtentChanged();
}

IUPtr<IDirect3DRMVisual> MeshSO::GetD3DRMVisual() { return IUPtr<IDirect3DRMVisual>(mesh); }

LONG MeshSO::GetQuality() { return quality; }
