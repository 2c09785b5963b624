#include "dialogs/PropertySheetEditObject.h"
#include "document/XDocument.h"
#include "platform/framework/CmdUI.h"
#include "views/X3DView.h"

namespace {

// The one selected group, or null.
GroupSO* SelectedObject(XDocument& doc) {
  return doc.GetSelectedCount() == 1 ? static_cast<GroupSO*>(doc.GetSelected(0)) : nullptr;
}

}  // namespace

bool X3DView::EditObject(GroupSO* group, UINT startPage) {
  if (!IsEditableObject(group)) return false;
  PropertySheetEditObject sheet(GetDocument(), group, startPage);
  sheet.DoModal();
  return true;
}

void X3DView::OnEditObject() { EditObject(SelectedObject(*GetDocument()), kEditObjectGeneralPage); }

void X3DView::OnEditObjectArtistic() { EditObject(SelectedObject(*GetDocument()), kEditObjectArtisticPage); }

void X3DView::OnUpdateEditObject(CCmdUI* cmdUI) { cmdUI->Enable(IsEditableObject(SelectedObject(*GetDocument()))); }
