// What the application does for every open scene at once, and its own commands.
#include "core/FatalReport.h"
#include "document/XDocument.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/WaitCursor.h"
#include "shell/DocTemplates.h"
#include "shell/XApp.h"

namespace {

constexpr UINT ID_FILE_SAVE_ALL_SCENES = 33029;

XDocument* AsScene(CDocument* document) {
  XASSERT(ISKINDOF( document, XDocument ), "");
  return static_cast<XDocument*>(document);
}

}  // namespace

BEGIN_MESSAGE_MAP(XApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, XApp::OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, XApp::OnFileOpen)
  ON_COMMAND(ID_FILE_SAVE_ALL_SCENES, XApp::OnFileSaveAll)
  ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_ALL_SCENES, XApp::OnUpdateFileSaveAll)
  ON_COMMAND(2105, XApp::OnShowSplash)
  ON_COMMAND(10008, XApp::OnHelpAbout)
END_MESSAGE_MAP()

template <class Visit>
void XApp::ForEachDocument(Visit&& visit) const {
  if (!docTemplates[0]) return;
  CDocTemplate* scenes = docTemplates[0]->docTemplate;
  for (POSITION pos = scenes->GetFirstDocPosition(); pos;) visit(scenes->GetNextDoc(pos));
}

void XApp::RefreshDocumentTitles() {
  ForEachDocument([](CDocument* document) {
    const CString title = document->GetTitle();
    document->SetTitle(title);
  });
}

void XApp::UpdateAllSceneExtents() {
  const CWaitCursor wait;
  ForEachDocument([](CDocument* document) {
    if (ISKINDOF( document, XDocument )) static_cast<XDocument*>(document)->OnSceneExtentChanged(TRUE);
  });
}

void XApp::ApplyObjectQualityAll() {
  const CWaitCursor wait;  // objects may reload from disk
  ForEachDocument([](CDocument* document) {
    if (ISKINDOF( document, XDocument )) static_cast<XDocument*>(document)->GetScene()->ApplyQualityAll(TRUE);
  });
  UpdateAllDocumentViews();
}

void XApp::UpdateAllDocumentViews() {
  const CWaitCursor wait;
  ForEachDocument([](CDocument* document) { document->UpdateAllViews(nullptr, 0, nullptr); });
}

void XApp::RegenerateAllViews() {
  const CWaitCursor wait;
  RegenerateHint hint;
  ForEachDocument([&hint](CDocument* document) { document->UpdateAllViews(nullptr, 0, &hint); });
}

int XApp::CountOpenScenes() const {
  int count = 0;
  ForEachDocument([&count](CDocument*) { ++count; });
  return count;
}

void XApp::SetInteractiveMode(int mode) {
  if (mode == interactiveMode) return;
  interactiveMode = mode;
  ForEachDocument([](CDocument* document) { AsScene(document)->OnInteractiveModeChanged(); });
}

void XApp::SetShowGround(BOOL show) {
  if (show == showGround) return;
  showGround = show;
  ForEachDocument([](CDocument* document) { AsScene(document)->OnShowGroundChanged(); });
}

void XApp::ReloadRecentFileList(UINT numMRU) {
  XASSERT(numMRU <= 16, "");
  if (GetRecentFileList()) SaveStdProfileSettings();
  LoadStdProfileSettings(numMRU);
}

void XApp::OnFileNew() {
  CWinApp::OnFileNew();
  RefreshDocumentTitles();
}

void XApp::OnFileOpen() {
  CWinApp::OnFileOpen();
  RefreshDocumentTitles();
}

void XApp::OnFileSaveAll() {
  ForEachDocument([](CDocument* document) {
    if (AsScene(document)->IsModified()) document->DoFileSave();
  });
}

void XApp::OnUpdateFileSaveAll(CCmdUI* cmdUI) {
  BOOL modified = FALSE;
  ForEachDocument([&modified](CDocument* document) { modified = modified || AsScene(document)->IsModified(); });
  cmdUI->Enable(modified);
}
