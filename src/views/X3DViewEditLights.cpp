#include "dialogs/DialogEditLights.h"
#include "views/X3DView.h"

void X3DView::OnEditLights() {
  DialogEditLights dialog(GetDocument());
  dialog.DoModal();
}
