// The list view of the 3D Objects window: the object files of the objects folder as 48 x 48
// thumbnails with their names, filled once when the window is first made.
#pragma once

#include <memory>
#include <vector>

#include "core/XString.h"
#include "platform/framework/ListView.h"

class XMainFrame;

class Objects3DView : public CListView {
  DECLARE_DYNCREATE(Objects3DView)
 public:
  Objects3DView();
  ~Objects3DView() override;

  // The main frame's field that points at this view; cleared when the view goes.
  void SetOwnerPointer(Objects3DView** owner) { ownerPointer = owner; }
  void OnInitialUpdate() override;
  // The objects folder: "Objects" beside the program's folder, with a trailing separator.
  static XString ObjectsFolder();
  static void StatusCallback(void* argument);
  void UpdateStatusPrompt();

  // The item data of every list item.
  struct ObjectRecord {
    XString label;
    XString path;
  };

 protected:
  void OnDestroy();
  void OnBeginDrag(NMHDR* note, LRESULT* result);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void AddObjectFile(const XString& folder, const std::string& name);

  Objects3DView** ownerPointer = nullptr;
  XMainFrame* mainFrame = nullptr;  // whose status bar has the prompt
  CImageList largeIcons;
  std::vector<std::unique_ptr<ObjectRecord>> records;
  BOOL dragging = FALSE;
  int draggedItem = -1;
};
