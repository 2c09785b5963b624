// The commands that open the Edit Camera sheet for this window. The toolbars post the Focus and
// Lens ones from a right click or a double click on their camera buttons.
#include "dialogs/PropertySheetEditCamera.h"
#include "views/X3DView.h"

namespace {

void RunEditCamera(X3DView& view, UINT startPage) {
  PropertySheetEditCamera sheet(&view, startPage);
  sheet.DoModal();
}

}  // namespace

void X3DView::OnEditCamera() { RunEditCamera(*this, kEditCameraGeneralPage); }

void X3DView::OnEditCameraFocus() { RunEditCamera(*this, kEditCameraFocusPage); }

void X3DView::OnEditCameraLens() { RunEditCamera(*this, kEditCameraLensPage); }
