// Undo of the Edit Object sheet (kind 8). The order of the apply matters: "Edit all copies" is
// left before anything else changes, so the restored looks reach this object only, and it is set
// again after the renaming, so the object joins the objects of its restored name.
#include "document/EditGroupUndoData.h"
#include "document/XDocument.h"
#include "scene/MeshSO.h"

IMPLEMENT_SERIAL(EditGroupUndoData, RefCount, VERSIONABLE_SCHEMA)

namespace {

MeshSO* MeshOf(const GroupSO& group) {
  Ptr<VisualSO> visual = group.GetFirstVisual();
  if (!visual) return nullptr;
  auto* mesh = dynamic_cast<MeshSO*>(static_cast<VisualSO*>(visual));
  XASSERT_TEXT(mesh, "ISKINDOF( visual, MeshSO )", "");
  return mesh;
}

}  // namespace

void EditGroupUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    WriteUndoSchema(ar, *this);
    ar << name << transform << scale.x << scale.y << scale.z << static_cast<LONG>(editAllCopies) << quality << style
       << brushSize;
  } else {
    ReadUndoSchema(ar, *this);
    LONG all;
    ar >> name >> transform >> scale.x >> scale.y >> scale.z >> all >> quality >> style >> brushSize;
    editAllCopies = all;
  }
  SerializeByteFlag(ar, texturesOn);
  SerializeByteFlag(ar, cartoonOn);
  silhouetteColor.Serialize(ar);
  if (ar.IsStoring())
    ar << silhouetteWidth;
  else
    ar >> silhouetteWidth;
  surfaceColor.Serialize(ar);
  if (ar.IsStoring())
    ar << surfaceWidth;
  else
    ar >> surfaceWidth;
  texMats.Serialize(ar);
  untexMats.Serialize(ar);
  SerializeHandle(ar, groupMyself);
}

Ptr<RefCount> XDocument::CaptureEditGroup(GroupSO& group) {
  Ptr<EditGroupUndoData> data(new EditGroupUndoData);
  if (MeshSO* mesh = MeshOf(group)) {
    LONG textures, cartoon;
    mesh->GetArtistic(textures, data->style, data->brushSize, cartoon, data->silhouetteColor, data->silhouetteWidth,
                      data->surfaceColor, data->surfaceWidth);
    data->texturesOn = textures;
    data->cartoonOn = cartoon;
    mesh->GetTexMats(data->texMats);
    mesh->GetUntexMats(data->untexMats);
    data->editAllCopies = mesh->reference;
    data->quality = mesh->GetQuality();
  }
  data->name = group.GetName();
  data->transform = group.GetTransform();
  data->scale = group.scale;
  data->groupMyself = HandleOf(group);
  return data;
}

Ptr<UndoDataHolder> XDocument::ApplyEditGroup(RefCount* stored) {
  auto* data = dynamic_cast<EditGroupUndoData*>(stored);
  XASSERT_TEXT(data, "ISKINDOF( record->GetData(), EditGroupUndoData )", "");
  GroupSO* group = &RecordedGroup(data->groupMyself, RecordedRole::object);
  if (Ptr<VisualSO> visual = group->GetFirstVisual(); visual && !dynamic_cast<MeshSO*>(static_cast<VisualSO*>(visual)))
    RefuseRecord();
  // The sheet edits an object that holds its mesh itself; sharing is switched where it is held.
  if (group->GetVisuals().IsEmpty() && group->GetFirstVisual()) RefuseRecord();
  MeshSO* mesh = MeshOf(*group);
  // The look reaches the group's objects, which the Artistic page then shows.
  if (mesh && (!MeshSO::IsValidStyle(data->style, data->brushSize) ||
               !MeshSO::AreValidLineWidths(data->silhouetteWidth, data->surfaceWidth) ||
               !MeshSO::AreMatchingPartLooks(data->texMats, data->untexMats)))
    RefuseRecord();
  Ptr<UndoDataHolder> inverse = Inverse(kUndoEditGroup, group);
  if (mesh) {
    if (!data->editAllCopies) mesh->SetEditAllCopies(FALSE, group);
    mesh->SetTexMats(data->texMats, TRUE);
    mesh->SetUntexMats(data->untexMats, TRUE);
  }
  group->SetTransform(data->transform);
  group->scale = data->scale;
  if (data->quality) group->SetQualityAll(data->quality);
  group->SetArtisticAll(data->texturesOn, data->style, data->brushSize, data->cartoonOn, data->silhouetteColor,
                        data->silhouetteWidth, data->surfaceColor, data->surfaceWidth);
  if (mesh) {
    mesh->SetName(data->name);
    if (data->editAllCopies) mesh->SetEditAllCopies(TRUE, group);
  }
  return inverse;
}
