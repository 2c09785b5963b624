// MeshSO: making one mesh object a copy of another, sharing the name's mesh or with a clone.
#include "core/DeepCopy.h"
#include "core/FatalError.h"
#include "scene/InstanceMap.h"
#include "scene/MeshGroupUtility.h"
#include "scene/MeshSO.h"
#include "scene/SceneServices.h"

namespace {

// A clone of `source`. Lack of memory is retried after the low-memory handler; any other failure
// (a damaged source included) is reported at once rather than retried without end.
IUPtr<IDirect3DRMMesh> Clone(IDirect3DRMMesh* source) {
  IUPtr<IDirect3DRMMesh> clone;
  HRESULT result;
  void* copy = nullptr;
  while ((result = source->Clone(NULL, IID_IDirect3DRMMesh, &copy)) == D3DRMERR_BADALLOC) {
    if (copy) static_cast<IDirect3DRMMesh*>(copy)->Release();
    copy = nullptr;
    NoMemoryHandler(1);
  }
  if (result != D3DRM_OK)
    XAssertD3DRMFailed(__FILE__, __LINE__, __DATE__, __TIME__, "mesh->Clone( NULL, IID_IDirect3DRMMesh, (LPVOID*)&copy->mesh )",
                       result);
  clone = static_cast<IDirect3DRMMesh*>(copy);
  static_cast<IDirect3DRMMesh*>(copy)->Release();  // the holder keeps its own reference
  return clone;
}

// Each group's material becomes a new one with the same values, so part looks changed on the
// copy leave the source's materials alone.
void DuplicateGroupMaterials(IDirect3DRMMesh* mesh) {
  for (auto g = static_cast<D3DRMGROUPINDEX>(mesh->GetGroupCount()); g-- > 0;) {
    IUPtr<IDirect3DRMMaterial> material;
    XCHECK_D3DRM(mesh->GetGroupMaterial( g, &material ));
    if (!material) continue;
    IUPtr<IDirect3DRMMaterial> fresh;
    XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->CreateMaterial(material->GetPower(), &fresh),
                      "XGetApp()->lpD3DRM->CreateMaterial( material->GetPower(), &fresh )");
    D3DVALUE r, gr, b;
    XCHECK_D3DRM(material->GetEmissive( &r, &gr, &b ));
    XCHECK_D3DRM(fresh->SetEmissive( r, gr, b ));
    XCHECK_D3DRM(material->GetSpecular( &r, &gr, &b ));
    XCHECK_D3DRM(fresh->SetSpecular( r, gr, b ));
    XCHECK_D3DRM(fresh->SetAppData( material->GetAppData() ));
    XCHECK_D3DRM(mesh->SetGroupMaterial( g, fresh ));
  }
}

}  // namespace

Ptr<VisualSO> MeshSO::Copy(Ptr<VisualSO> target, BOOL unshare) {
  XASSERT_TEXT(!target || target->IsKindOf(RUNTIME_CLASS(MeshSO)), "!_copy || ISKINDOF( _copy, MeshSO )", "");
  Ptr<MeshSO> copy;
  if (target) {
    copy = static_cast<MeshSO*>(static_cast<VisualSO*>(target));
  } else {
    copy = new MeshSO();
    copy->mesh = nullptr;
  }
  if (copy->SharedList("Supposed to be in list")) copy->LeaveInstanceList();

  copy->error = error;
  copy->file = file;
  copy->name = GetName();
  copy->box = box;
  copy->sphere = sphere;
  copy->ExtentChanged();
  copy->reference = unshare ? 0 : reference;
  copy->quality = quality;
  copy->style = style;
  copy->brushSize = brushSize;
  copy->texturesOn = texturesOn;
  copy->texturesLoaded = texturesLoaded;
  copy->cartoon = cartoon;
  copy->silhouetteColor = silhouetteColor;
  copy->silhouetteWidth = silhouetteWidth;
  copy->surfaceColor = surfaceColor;
  copy->surfaceWidth = surfaceWidth;
  // A copy reloads from the same file the same way (a pasted copy keeps both).
  copy->reverse = reverse;
  copy->twoSided = twoSided;
  if (copy != this) {
    copy->texMats.RemoveAll();
    copy->untexMats.RemoveAll();
    DeepCopy(texMats).CopyTo(copy->texMats);
    DeepCopy(untexMats).CopyTo(copy->untexMats);
    copy->groupMats.RemoveAll();
    for (POSITION pos = groupMats.GetHeadPosition(); pos;) copy->groupMats.AddTail(groupMats.GetNext(pos));
    copy->groupParts.RemoveAll();
    for (POSITION pos = groupParts.GetHeadPosition(); pos;) copy->groupParts.AddTail(groupParts.GetNext(pos));
  }
  copy->faceNormals = nullptr;
  copy->weldMap = nullptr;
  copy->surfEdges = nullptr;
  copy->surfEdgeFaces = nullptr;
  copy->numShared = numShared;
  copy->numEdges = numEdges;

  const IUPtr<IDirect3DRMMesh> old = copy->mesh;
  copy->mesh = nullptr;
  if (copy->reference && copy->error == none && mesh) {
    InstanceList* list = instances.Find(copy->GetName());
    XASSERT_TEXT(list, "list", "Supposed to be in list");
    XASSERT_TEXT(!list->Find(copy), "!Find( a )", "Already exists");
    list->AddTail(copy);
    copy->mesh = list->GetHead()->mesh;
    copy->faceNormals = faceNormals;
    copy->weldMap = weldMap;
    copy->surfEdges = surfEdges;
    copy->surfEdgeFaces = surfEdgeFaces;
  } else if (mesh) {
    copy->mesh = Clone(mesh);
    XCHECK_D3DRM_TEXT(copy->mesh->SetAppData((DWORD_PTR)(MeshSO*)copy), "copy->mesh->SetAppData( (DWORD)(MeshSO*)copy )");
    copy->BuildCartoonEdges();
    DuplicateGroupMaterials(copy->mesh);
  }
  if (old) {
    XASSERT(copy->mesh, "");
    ReplaceVisualInfo replace(old, copy->mesh, nullptr);
    XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->EnumerateObjects(::ReplaceVisual, &replace),
                      "XGetApp()->lpD3DRM->EnumerateObjects( ::ReplaceVisual, &replace )");
  }
  return Ptr<VisualSO>(static_cast<MeshSO*>(copy));
}
