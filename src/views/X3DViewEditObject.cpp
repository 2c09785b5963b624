#include "dialogs/PropertySheetEditObject.h"
#include "document/XDocument.h"
#include "platform/framework/CmdUI.h"
#include "views/CountedClientDC.h"
#include "views/X3DView.h"

namespace {

// The one selected group, or null.
GroupSO* SelectedObject(XDocument& doc) {
  return doc.GetSelectedCount() == 1 ? static_cast<GroupSO*>(doc.GetSelected(0)) : nullptr;
}

}  // namespace

bool X3DView::EditObject(GroupSO* group, UINT startPage) {
  if (!IsEditableObject(*GetDocument(), group)) return false;
  PropertySheetEditObject sheet(GetDocument(), group, startPage);
  sheet.DoModal();
  return true;
}

void X3DView::OnEditObject() { EditObject(SelectedObject(*GetDocument()), kEditObjectGeneralPage); }

void X3DView::OnEditObjectArtistic() { EditObject(SelectedObject(*GetDocument()), kEditObjectArtisticPage); }

void X3DView::OnUpdateEditObject(CCmdUI* cmdUI) {
  XDocument& doc = *GetDocument();
  cmdUI->Enable(IsEditableObject(doc, SelectedObject(doc)));
}

void X3DView::OnRButtonDown(UINT flags, CPoint point) {
  if (PressDeciding()) {
    HoldInput(WM_RBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
    return;
  }
  if (PassesPressOn()) return;
  const Ptr<CountedClientDC> dc(new CountedClientDC(this));
  POINT logical{point.x, point.y};
  dc->DPtoLP(&logical);
  const PickRecord pick = Pick(XDPoint(logical.x, logical.y));
  // The object under the cursor is edited; the selection stays as it is. A press on empty space
  // or the ground ends here.
  if (pick.picked) EditObject(pick.group, kEditObjectGeneralPage);
}
