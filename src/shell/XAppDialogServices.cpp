#include "shell/XAppDialogServices.h"

#include "document/XDocument.h"
#include "shell/XApp.h"
#include "shell/XMainFrame.h"

void XAppDialogServices::ReloadRecentFileList(UINT count) { app_.ReloadRecentFileList(count); }

XDocument* XAppDialogServices::GetActiveDocument() {
  XMainFrame* frame = XGetMainFrame();
  CDocument* document = frame ? frame->GetActiveDocument() : nullptr;
  // The 3D Objects window is a child window too, but it shows no scene.
  return document && ISKINDOF(document, XDocument) ? static_cast<XDocument*>(document) : nullptr;
}

void XAppDialogServices::GetStatusBarPrefs(DWORD* blinkDuration, BOOL* blink, BOOL* expand) {
  if (XMainFrame* frame = XGetMainFrame()) frame->GetStatusBar().GetPrefs(blinkDuration, blink, expand);
}

void XAppDialogServices::SetStatusBarPrefs(DWORD blinkDuration, BOOL blink, BOOL expand) {
  if (XMainFrame* frame = XGetMainFrame()) frame->GetStatusBar().SetPrefs(blinkDuration, blink, expand);
}

void XAppDialogServices::UpdateAllSceneExtents() { app_.UpdateAllSceneExtents(); }
void XAppDialogServices::LoadGroundPrefs() { app_.LoadGroundPrefs(); }
void XAppDialogServices::LoadAboutCylinderPrefs() { app_.LoadAboutCylinderPrefs(); }
int XAppDialogServices::CountOpenScenes() { return app_.CountOpenScenes(); }
void XAppDialogServices::ApplyObjectQualityAll() { app_.ApplyObjectQualityAll(); }
