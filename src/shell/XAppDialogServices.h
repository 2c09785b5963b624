// What the preference pages ask of the application, answered by the application object and its
// main frame's status bar.
#pragma once

#include "dialogs/DialogServices.h"

class XApp;

class XAppDialogServices final : public DialogServices {
 public:
  explicit XAppDialogServices(XApp& app) : app_(app) {}
  void ReloadRecentFileList(UINT count) override;
  XDocument* GetActiveDocument() override;
  // Without a main frame there is no status bar: nothing is read or stored.
  void GetStatusBarPrefs(DWORD* blinkDuration, BOOL* blink, BOOL* expand) override;
  void SetStatusBarPrefs(DWORD blinkDuration, BOOL blink, BOOL expand) override;
  void UpdateAllSceneExtents() override;
  void LoadGroundPrefs() override;
  void LoadAboutCylinderPrefs() override;
  int CountOpenScenes() override;
  void ApplyObjectQualityAll() override;

 private:
  XApp& app_;
};
