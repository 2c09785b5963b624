#include "scene/VisualSO.h"

#include "scene/GroupSO.h"

IMPLEMENT_SERIAL(VisualSO, SceneObj, VERSIONABLE_SCHEMA | 0)

void VisualSO::Serialize(CArchive& ar) {
  SceneObj::Serialize(ar);
  SerializeSchema(ar);
}

IUPtr<IDirect3DRMVisual> VisualSO::GetD3DRMVisual() {
  XASSERT(0, "");
  return {};
}

BOOL VisualSO::Intersect(const Vector&, const Vector&, double&, Vector&, D3DRMPICKDESC&) { return 0; }

LONG VisualSO::GetQuality() {
  XASSERT(0, "");
  return 0;
}

void VisualSO::SetQuality(LONG) { XASSERT(0, ""); }

void VisualSO::ApplyQuality(BOOL) { XASSERT(0, ""); }

void VisualSO::SetArtistic(LONG, LONG, LONG, LONG, const Color&, DWORD, const Color&, DWORD) { XASSERT(0, ""); }

void VisualSO::ReloadTextures(BOOL) { XASSERT(0, ""); }

Ptr<VisualSO> VisualSO::Copy(Ptr<VisualSO>, BOOL) {
  XASSERT(0, "");
  return {};
}

void VisualSO::DrawCartoonLines(IUPtr<IDirect3DRMDevice>, IUPtr<IDirect3DRMViewport>, const Transform&,
                                const Transform&, double) {
  XASSERT(0, "");
}

void VisualSO::ExtentChanged() {
  for (GroupSO* holder : holders) holder->BoxChanged();
}
