// What the preference pages need of the running application: the refreshers that make it follow
// a changed preference, the status bar's own settings and the open scenes. The application
// installs its own at start-up; without one the pages only read and write the preferences.
#pragma once

#include "platform/win/WinTypes.h"

class XDocument;

class DialogServices {
 public:
  virtual ~DialogServices() = default;
  // Saves the recent-scene list and reloads it with `count` entries.
  virtual void ReloadRecentFileList(UINT count) = 0;
  // The scene document of the main frame's active child window, or null.
  virtual XDocument* GetActiveDocument() = 0;
  // The status bar's blink period (ms) and its blink and expand switches; setting stores them.
  virtual void GetStatusBarPrefs(DWORD* blinkDuration, BOOL* blink, BOOL* expand) = 0;
  virtual void SetStatusBarPrefs(DWORD blinkDuration, BOOL blink, BOOL expand) = 0;
  // Every open scene recomputes its extent and re-fits what tracks it.
  virtual void UpdateAllSceneExtents() = 0;
  // Rebuild the shared ground and rotate-about cylinder from their preferences.
  virtual void LoadGroundPrefs() = 0;
  virtual void LoadAboutCylinderPrefs() = 0;
  virtual int CountOpenScenes() = 0;
  // Every open scene re-applies the object quality, reloading objects as needed.
  virtual void ApplyObjectQualityAll() = 0;
};

// Installs `services` (null: none) and returns the previous ones.
DialogServices* SetDialogServices(DialogServices* services);
DialogServices* GetDialogServices();
