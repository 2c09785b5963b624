// The scene document's members, construction, clearing, new-scene set-up, titles and views.
#include "core/Preferences.h"
#include "document/XDocument.h"
#include "platform/framework/View.h"

IMPLEMENT_SERIAL(XDocument, XUndoDoc, VERSIONABLE_SCHEMA)

BEGIN_MESSAGE_MAP(XDocument, XUndoDoc)
  ON_COMMAND(33012, OnFileImport)
  ON_COMMAND(33138, OnEditSelectNone)
  ON_COMMAND(33139, OnEditSelectAll)
  ON_COMMAND(57632, OnEditDelete)
  ON_UPDATE_COMMAND_UI(57632, OnUpdateEditDelete)
  ON_COMMAND(57634, OnEditCopy)
  ON_UPDATE_COMMAND_UI(57634, OnUpdateEditDelete)
  ON_COMMAND(57635, OnEditCut)
  ON_UPDATE_COMMAND_UI(57635, OnUpdateEditDelete)
  ON_COMMAND(57637, OnEditPaste)
  ON_UPDATE_COMMAND_UI(57637, OnUpdateEditPaste)
  ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
END_MESSAGE_MAP()

namespace {

constexpr UINT kSceneName = 270;
constexpr UINT kCylinderName = 271;
constexpr UINT kGroundName = 75;
constexpr UINT kNewScenesSection = 700;
constexpr UINT kAmbientColorKey = 705;
constexpr UINT kAmbientColorDefault = 706;
constexpr UINT kSunlightColorKey = 709;
constexpr UINT kSunlightColorDefault = 710;
constexpr double kQuarterTurn = 0.78539816339744828;  // pi/4

Ptr<GroupSO> NamedGroup(UINT nameId) {
  Ptr<GroupSO> group(new GroupSO);
  group->SetName(XString(nameId));
  return group;
}

Ptr<LightSO> NewLight(D3DRMLIGHTTYPE type, UINT colorKey, UINT colorDefault) {
  Ptr<LightSO> light(new LightSO);
  light->SetType(type);
  Color color;
  color.SetCOLORREF(XGetPrefColor(kNewScenesSection, colorKey, colorDefault));
  light->SetColor(color);
  return light;
}

}  // namespace

XDocument::XDocument() = default;

// The auxiliary groups go before the scene that may hold them, the scene last.
XDocument::~XDocument() {
  ground = nullptr;
  rotObjAboutCyl = nullptr;
  sunlight = nullptr;
  ambient = nullptr;
  selection.RemoveAll();
  scene = nullptr;
}

void XDocument::DeleteContents() {
  XUndoDoc::DeleteContents();
  cachedSceneBox = BoundingBox(Vector(0, 0, 0), Vector(0, 0, 0));
  groupsAdded = FALSE;
  // The selection names groups of the scene that goes now.
  selection.RemoveAll();
  scene = NamedGroup(kSceneName);
  rotObjAboutCyl = NamedGroup(kCylinderName);
  rotObjAboutCyl->SetTransform(Transform(kQuarterTurn, Vector(0, 1, 0)));
  ground = NamedGroup(kGroundName);
}

BOOL XDocument::OnNewDocument() {
  if (!XUndoDoc::OnNewDocument()) return FALSE;
  ambient = NewLight(D3DRMLIGHT_AMBIENT, kAmbientColorKey, kAmbientColorDefault);
  scene->AddLight(ambient, this);
  sunlight = new GroupSO;
  sunlight->SetTransform(Transform(kQuarterTurn, Vector(1, 0, 0)));
  scene->AddGroup(sunlight);
  sunlight->AddLight(NewLight(D3DRMLIGHT_DIRECTIONAL, kSunlightColorKey, kSunlightColorDefault), this);
  if (GetDocumentApp().GetShowGround()) AddGround(FALSE);
  return GetDocumentApp().OpenFirstCameraWindow(*this);
}

void XDocument::SetTitle(const char* title) {
  XUndoDoc::SetTitle(title);
  for (POSITION pos = GetFirstViewPosition(); pos;) {
    auto* view = dynamic_cast<CameraView*>(GetNextView(pos));
    XASSERT_TEXT(view, "0", "View type must be added here, even if don't do anything for view type");
    view->UpdateTitle();
  }
}

void XDocument::UpdateViews(LPARAM hint, CObject* object) { UpdateAllViews(nullptr, hint, object); }

Ptr<GroupSO> XDocument::GetSelected(int index) const {
  XASSERT(index >= 0 && index < selection.GetCount(), "Index negative or too large");
  POSITION pos = selection.GetHeadPosition();
  while (index-- > 0) selection.GetNext(pos);
  return selection.GetAt(pos);
}

void XDocument::OnFileClose() {
  DocumentApp& app = GetDocumentApp();
  CDocument::OnFileClose();  // may delete this document
  app.RefreshDocumentTitles();
}
