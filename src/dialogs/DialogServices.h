// What the preference pages need of the running application: the refreshers that make it follow
// a changed preference, and the active scene. The application installs its own at start-up;
// without one the pages only read and write the preferences.
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
};

// Installs `services` (null: none) and returns the previous ones.
DialogServices* SetDialogServices(DialogServices* services);
DialogServices* GetDialogServices();
