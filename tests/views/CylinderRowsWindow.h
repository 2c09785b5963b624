// Rows of cylinders (AddCylinderRows) in a camera window inside a top-level window.
#pragma once

#include "views/StandAloneApp.h"
#include "views/X3DView.h"

struct CylinderRowsWindow {
  // A camera window owned by this object rather than by its window.
  class View : public X3DView {
   public:
    void PostNcDestroy() override {}
  };

  CylinderRowsWindow(int segments, RECT frameRect, DWORD frameStyle, int width, int height) {
    doc.m_bAutoDelete = FALSE;
    doc.OnNewDocument();
    AddCylinderRows(doc, segments);
    frame.Create("Camera", frameStyle, frameRect, nullptr);
    doc.AddView(&view);
    view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {0, 0, width, height}, &frame, AFX_IDW_PANE_FIRST);
  }
  ~CylinderRowsWindow() {
    doc.RemoveView(&view);
    view.DestroyWindow();
    frame.DestroyWindow();
  }
  // The camera at the origin looking along the rows, blurred by depth, focused on the first row.
  void LookAlongTheRowsBlurred() {
    view.settings.transform = Transform();
    view.settings.fstop = 2.8;
    view.settings.focus = 1.2;
  }
  CylinderRowsWindow(const CylinderRowsWindow&) = delete;
  CylinderRowsWindow& operator=(const CylinderRowsWindow&) = delete;

  XDocument doc;
  CWnd frame;
  View view;
};
