#include "shell/XApp.h"

#include "core/NoMemoryHandler.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/View.h"
#include "platform/win/ProgramFiles.h"
#include "scene/GroupSO.h"
#include "scene/MeshSO.h"
#include "shell/DocTemplates.h"
#include "shell/XAppDialogServices.h"
#include "shell/XAppDocumentServices.h"
#include "shell/XAppSceneServices.h"

IMPLEMENT_DYNAMIC(XApp, CWinApp)

namespace {

void EmptyTheObjectClipboard() { XGetApp()->EmptyObjectClipboard(); }

}  // namespace

XApp::XApp() {
  NoMemoryHandler(0);
  previousNewHandler = std::set_new_handler(&NoMemoryNewHandler);
  previousFrameworkNewHandler = AfxSetNewHandler(&NoMemoryHandler);
  SetObjectClipboardEmptier(&EmptyTheObjectClipboard);
  programPath = ProgramPath().c_str();
  XASSERT(!programPath.IsEmpty(), "Failed to get executable file name");
  sceneServices = std::make_unique<XAppSceneServices>(*this);
  SetSceneApp(sceneServices.get());
}

XApp::~XApp() {
  // Scenes reach the application while they go: they go while it is still whole.
  CloseAllDocuments(TRUE);
  // A splash still up when the application goes without its exit step (a failed start).
  if (m_dialogAbout) OnSplashClosed(0);
  if (documentServices) SetDocumentApp(nullptr);
  SetSceneApp(nullptr);
  if (dialogServices) SetDialogServices(nullptr);
  palette.reset();
  lpD3DRM = nullptr;
  screen = nullptr;
  lpDD2 = nullptr;
  lpDD = nullptr;
  SetObjectClipboardEmptier(nullptr);
  AfxSetNewHandler(previousFrameworkNewHandler);
  std::set_new_handler(previousNewHandler);
  NoMemoryHandler(0);
}

void XApp::EmptyObjectClipboard() { objectClipboard.RemoveAll(); }

Ptr<MeshSO>& XApp::GetCylinderMesh() { return cylinderMesh; }
Ptr<MeshSO>& XApp::GetGroundMesh() { return groundMesh; }

Ptr<DocTemplateEntry> XApp::GetDocTemplate(int index) const {
  constexpr int count = static_cast<int>(sizeof(docTemplates) / sizeof(*docTemplates));
  XASSERT_TEXT(index >= 0 && index < count, "index >= 0 && index < sizeof(docTemplates)/sizeof(*docTemplates)", "");
  return docTemplates[index];
}

int XApp::FindDocTemplate(CView* view) const {
  for (int i = 2; i >= 0; --i) {
    const DocTemplateEntry* entry = docTemplates[i];
    if (!entry) continue;
    CWnd* frame = view->GetParentFrame();
    CDocument* document = view->GetDocument();
    if (view->IsKindOf(entry->view) && frame && frame->IsKindOf(entry->frame) && document &&
        document->IsKindOf(entry->document))
      return i;
  }
  XASSERT(0, "View was not created with any of the document templates herein");
  return -1;
}

Ptr<DocTemplateEntry> XApp::FindTemplateOfDocument(CDocument* document) const {
  Ptr<DocTemplateEntry> found;
  for (int i = 2; i >= 0; --i) {
    const Ptr<DocTemplateEntry>& entry = docTemplates[i];
    if (!entry || entry->viewsOnly || document->GetRuntimeClass() != entry->document) continue;
    XASSERT(!found, "\"viewsOnly\" is FALSE for 2 or more DocTemplates with same \"document\"'s CRuntimeClass");
    found = entry;
  }
  XASSERT(found, "\"viewsOnly\" is TRUE for all DocTemplates with \"document\"'s CRuntimeClass");
  return found;
}

XApp* XGetApp() {
  CWinApp* app = AfxGetApp();
  XASSERT(app, "");
  XASSERT(ISKINDOF( app, XApp ), "");
  return static_cast<XApp*>(app);
}
