#include "dialogs/PropertySheetEditObject.h"

#include "document/XDocument.h"
#include "platform/framework/WaitCursor.h"
#include "scene/GroupSO.h"
#include "scene/MeshSO.h"

namespace {

constexpr LPARAM kEditObjectHint = 8;

// The ratio of a new size to the current one. Sizes that only went through the page's text come
// back a few units of the last place off: a ratio that is 1 in single precision is no change.
// An axis without extent has nothing to scale.
double SizeRatio(double newSize, double currentSize) {
  if (currentSize == 0.0) return 1.0;
  const double ratio = newSize / currentSize;
  return static_cast<float>(ratio) == 1.0f ? 1.0 : ratio;
}

// The scale that gives `newSize` from `base`; an unchanged or flat axis keeps its scale.
double NewScale(double ratio, double newSize, double base, double scale) {
  return ratio == 1.0 || base == 0.0 ? scale : newSize / base;
}

}  // namespace

bool IsEditableObject(const XDocument& doc, GroupSO* group) {
  // The groups the program draws for itself are not the user's to edit, and Undo would refuse
  // the record of an edit of them.
  if (!doc.IsObjectGroup(group) || group->GetVisuals().IsEmpty()) return false;
  const XList<Ptr<VisualSO>>& visuals = group->GetVisuals();
  const Ptr<VisualSO>& first = visuals.GetAt(visuals.GetHeadPosition());
  return dynamic_cast<MeshSO*>(static_cast<VisualSO*>(first)) != nullptr;
}

PropertySheetEditObject::PropertySheetEditObject(XDocument* doc, GroupSO* editedGroup, UINT startPage)
    : XPropertySheet(kEditObjectCaption, nullptr, startPage), document(doc), group(editedGroup) {
  XASSERT(group, "");
  XASSERT(ISKINDOF( group, GroupSO ), "");
  XASSERT(!group->GetVisuals().IsEmpty(), "");
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  general = std::make_unique<PageEditObjectGeneral>(this);
  artistic = std::make_unique<PageEditObjectArtistic>(this);
  AddPage(general.get());
  AddPage(artistic.get());
}

PropertySheetEditObject::~PropertySheetEditObject() = default;

MeshSO& PropertySheetEditObject::Mesh() const {
  Ptr<VisualSO> visual = group->GetFirstVisual();
  auto* mesh = dynamic_cast<MeshSO*>(static_cast<VisualSO*>(visual));
  XASSERT_TEXT(mesh, "ISKINDOF( visual, MeshSO )", "");
  return *mesh;
}

int PropertySheetEditObject::DoModal() {
  const int result = XPropertySheet::DoModal();
  if (result != IDOK) return result;
  const CWaitCursor wait;
  recorded = false;
  if (general->m_initialized) {
    ApplyEditAllCopies(false);
    ApplySize();
    ApplyQuality();
  }
  if (artistic->m_initialized) ApplyArtistic();
  if (general->m_initialized) {
    ApplyName();
    ApplyEditAllCopies(true);
  }
  if (recorded) document->UpdateAllViews(nullptr, kEditObjectHint, group);
  return IDOK;
}

void PropertySheetEditObject::Record() {
  if (!recorded) document->RecordUndo(kUndoEditGroup, group, 0);
  recorded = true;
}

void PropertySheetEditObject::ApplySize() {
  const Vector scale = group->scale;
  const Vector& base = general->m_baseSize;
  Vector ratio(SizeRatio(general->m_width, base.x * scale.x), SizeRatio(general->m_height, base.y * scale.y),
               SizeRatio(general->m_depth, base.z * scale.z));
  Vector newScale(NewScale(ratio.x, general->m_width, base.x, scale.x),
                  NewScale(ratio.y, general->m_height, base.y, scale.y),
                  NewScale(ratio.z, general->m_depth, base.z, scale.z));
  if (!general->m_distorted) {
    // In proportion, every axis with extent takes the scale of the dimension typed: the others
    // came back through their texts and differ from it in the last digits.
    const double one = newScale.*kSizeAxes[general->LeadingAxis()];
    for (double Vector::*axis : kSizeAxes)
      if (base.*axis != 0.0) {
        newScale.*axis = one;
        ratio.*axis = scale.*axis == 0.0 ? 1.0 : one / scale.*axis;
      }
  }
  if (ratio.x == 1.0 && ratio.y == 1.0 && ratio.z == 1.0) return;
  Record();
  const BoundingBox box = group->GetBox(nullptr);
  const Vector c((box.min.x + box.max.x) / 2.0, (box.min.y + box.max.y) / 2.0, (box.min.z + box.max.z) / 2.0);
  // About the box centre: p -> c + r (p - c), then the old local transform.
  const Transform aboutCentre(ratio.x, 0, 0, c.x * (1.0 - ratio.x), 0, ratio.y, 0, c.y * (1.0 - ratio.y), 0, 0,
                              ratio.z, c.z * (1.0 - ratio.z));
  group->SetTransform(group->GetTransform() * aboutCentre);
  group->scale = newScale;
  document->OnSceneExtentChanged(FALSE);
}

void PropertySheetEditObject::ApplyQuality() {
  // A slider left where the page put it changes nothing, also for a quality beyond its ends.
  if (general->m_qualityPos == general->m_initialQualityPos) return;
  const LONG quality = QualityOfSliderPosition(general->m_qualityPos);
  const LONG current = Mesh().GetQuality();
  if (current == 0 || current == quality) return;
  Record();
  group->SetQualityAll(quality);
}

void PropertySheetEditObject::ApplyArtistic() {
  XList<Material> current;
  Mesh().GetTexMats(current);
  if (!MeshSO::SameMaterials(current, artistic->texMats)) {
    Record();
    Mesh().SetTexMats(artistic->texMats, TRUE);
  }
  current.RemoveAll();
  Mesh().GetUntexMats(current);
  if (!MeshSO::SameMaterials(current, artistic->untexMats)) {
    Record();
    Mesh().SetUntexMats(artistic->untexMats, TRUE);
  }
  LONG texturesOn = 0, style = 0, brushSize = 0, cartoon = 0;
  Color silhouetteColor, surfaceColor;
  DWORD silhouetteWidth = 0, surfaceWidth = 0;
  Mesh().GetArtistic(texturesOn, style, brushSize, cartoon, silhouetteColor, silhouetteWidth, surfaceColor,
                     surfaceWidth);
  bool changed = false;
  const auto take = [&changed](auto& field, const auto& value) {
    if (field != value) {
      field = value;
      changed = true;
    }
  };
  const int lookStyle = artistic->m_style;
  take(texturesOn, static_cast<LONG>(lookStyle != PageEditObjectArtistic::kSolidColor));
  if (texturesOn) {
    XASSERT_TEXT(lookStyle >= 1 && lookStyle <= 3, "0", "");
    take(style, static_cast<LONG>(lookStyle - 1));
  }
  take(brushSize, artistic->BrushSize());
  take(cartoon, static_cast<LONG>(artistic->m_cartoon));
  take(silhouetteColor, artistic->m_silhouetteButton.m_color);
  take(silhouetteWidth, static_cast<DWORD>(artistic->m_silhouetteButton.m_rectSize.cx));
  take(surfaceColor, artistic->m_surfaceButton.m_color);
  take(surfaceWidth, static_cast<DWORD>(artistic->m_surfaceButton.m_rectSize.cx));
  if (!changed) return;
  Record();
  group->SetArtisticAll(texturesOn, style, brushSize, cartoon, silhouetteColor, silhouetteWidth, surfaceColor,
                        surfaceWidth);
}
