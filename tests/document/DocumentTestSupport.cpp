#include "document/DocumentTestSupport.h"

#include "platform/framework/ArchiveBackends.h"

namespace document_test {

void RecordingView::OnUpdate(CView*, LPARAM hint, CObject* object) {
  std::string text = std::to_string(hint);
  if (object) text += std::string(":") + (dynamic_cast<RegenerateHint*>(object) ? "regenerate" : "list");
  updates.push_back(text);
}

DocumentTestApp::DocumentTestApp() : previous(SetDocumentApp(this)) {
  EXPECT_EQ(Direct3DRMCreate(&lpD3DRM), D3DRM_OK);
  groundMesh = new MeshSO(4, 0xFF00FF00);
  cylinderMesh = new MeshSO(16, 1.0, 4.0, 0xFFFF0000);
}

DocumentTestApp::~DocumentTestApp() {
  for (RecordingView* view : views) delete view;
  objects.RemoveAll();
  groundMesh = nullptr;
  cylinderMesh = nullptr;
  SetDocumentApp(previous);
}

BOOL DocumentTestApp::OpenFirstCameraWindow(XDocument& document) {
  views.push_back(new RecordingView);
  document.AddView(views.back());
  return TRUE;
}

void DocumentTestApp::SerializeWindows(XDocument& document, CArchive& ar) {
  if (failWritingWindows && ar.IsStoring()) throw CFileException(CFileException::diskFull);
  DocumentApp::SerializeWindows(document, ar);
}

SceneFixture::SceneFixture() {
  doc.m_bAutoDelete = FALSE;
  EXPECT_TRUE(doc.OnNewDocument());
}

SceneFixture::~SceneFixture() {
  for (RecordingView* view : app.views)
    if (view->GetDocument()) doc.RemoveView(view);
}

Ptr<GroupSO> NewGroup(XDocument& doc, const char* name, bool light, double meshLength) {
  Ptr<GroupSO> group(new GroupSO);
  group->SetName(name);
  if (light) group->AddLight(new LightSO, &doc);
  if (meshLength > 0) group->AddVisual(Ptr<MeshSO>(new MeshSO(8, 0.5, meshLength, 0xFF0000FF)));
  return group;
}

std::vector<BYTE> Snapshot(XDocument& doc) {
  return StoreBytes(Backend::memory, [&](CArchive& ar) {
    ar.m_pDocument = &doc;
    ar.MapObject(&doc);
    ar << Ptr<GroupSO>(doc.GetScene());
    const_cast<XList<Ptr<GroupSO>>&>(doc.GetSelection()).Serialize(ar);  // storing leaves it as it is
    ar << doc.GetAmbient() << doc.GetSunlight();
    for (POSITION pos = doc.GetFirstViewPosition(); pos;) {
      auto* view = dynamic_cast<CameraView*>(doc.GetNextView(pos));
      Ptr<EditCameraUndoData> camera(new EditCameraUndoData(view->GetCameraFields(), view->GetViewMyself()));
      camera->Serialize(ar);
    }
  });
}

std::string UndoText(XDocument& doc) { return doc.GetHistory().GetUndoRecord()->GetDescription().str(); }

}  // namespace document_test
