// Importing an object file into the scene of a camera window: from File/Import's dialog or from
// a drop of the 3D Objects window. The object is placed on the window's line of sight where it
// fills the window, and added as one undoable step.
#include <memory>
#include <vector>

#include "core/FatalReport.h"
#include "core/XMessageBox.h"
#include "document/XDocument.h"
#include "platform/framework/WaitCursor.h"
#include "platform/win/MessageBox.h"
#include "scene/MeshSO.h"
#include "dialogs/XFileDialog.h"
#include "shell/XFrameWnd.h"
#include "shell/XMainFrame.h"
#include "views/DragGeometry.h"
#include "views/ImportRules.h"
#include "views/SceneFit.h"
#include "views/X3DView.h"

namespace {

constexpr UINT kImportTitle = 68;
constexpr UINT kMoreObjectsName = 88;
constexpr UINT kNameInUseQuestion = 40239;
constexpr UINT kImportDescription = 384;

}  // namespace

void X3DView::OnFileImport() {
  // The dialog's types are the document strings of one template each.
  std::vector<std::unique_ptr<CMultiDocTemplate>> templates;
  std::vector<CDocTemplate*> types;
  for (int i = 0; i < kImportTypeCount; ++i) {
    templates.push_back(std::make_unique<CMultiDocTemplate>(GetImportType(i).documentString, RUNTIME_CLASS(XDocument),
                                                            RUNTIME_CLASS(XFrameWnd), RUNTIME_CLASS(X3DView)));
    types.push_back(templates.back().get());
  }
  const XString title(kImportTitle);
  XFileDialog dialog(TRUE, types.data(), kImportTypeCount, 0, title, nullptr, nullptr,
                     OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT, nullptr);
  if (dialog.DoModal() != IDOK) return;
  const int type = ResolveImportType(static_cast<int>(dialog.m_ofn.nFilterIndex) - 1, dialog.GetFileExt().str());
  if (type < 0) {
    XErrorBox(kUnsupportedImportMessage, dialog.GetFileName());
    return;
  }
  ImportFile(dialog.GetPathName(), GetImportType(type).reversed, GetImportType(type).doubleSided);
}

void X3DView::ImportFile(const char* path, BOOL reversed, BOOL doubleSided) {
  XString name = XString(path).GetFileTitle();
  if (name == XString(kMoreObjectsName)) {
    if (XMainFrame* frame = XGetMainFrame()) frame->PostMessage(WM_COMMAND, kMoreObjectsCommand, 0);
    return;
  }
  if (MeshSO::LookupInstance(name)) {
    const CMMReturn answer = XInfoBox(kNameInUseQuestion, name, CMMButtons::YESNOCANCEL);
    if (answer == CMMReturn::CANCEL) return;
    if (answer == CMMReturn::YES)
      name = UniqueImportName(name.str(), [](const std::string& candidate) {
               return static_cast<bool>(MeshSO::LookupInstance(candidate.c_str()));
             }).c_str();
  }
  CWaitCursor wait;
  Ptr<MeshSO> mesh(new MeshSO(path, TRUE, name, reversed, doubleSided));
  const ImportOutcome outcome = ImportLoadOutcome(mesh->GetError());
  if (!outcome.proceed) {
    if (outcome.message) XErrorBox(outcome.message, mesh->GetFile());
    return;
  }
  Ptr<GroupSO> group(new GroupSO);
  group->AddVisual(mesh);
  group->SetName(mesh->GetName());
  // Without textures the object does not share its mesh with same-named objects.
  if (!mesh->texturesLoaded) mesh->SetEditAllCopies(FALSE, group);

  const BoundingBox box = group->GetBox(nullptr);
  CRect client;
  GetClientRect(&client);
  const double radius = (box.max - box.min).Length() / 2.0;
  double distance = FillDistance(radius, _numerator.cy, _denominator.cy, settings.focal, client.Width(),
                                 client.Height(), settings.front);
  if (settings.orthographic) distance = OrthographicDistance(distance, radius, settings.front);
  group->SetTransform(ImportPlacement(settings.transform, box, distance) * group->GetTransform());
  GetDocument()->AddGroup(group, TRUE, TRUE, kImportDescription);
}
