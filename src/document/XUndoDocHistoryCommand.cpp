// The Edit/History command of the undoable document.
#include <utility>

#include "core/FatalReport.h"
#include "document/XUndoDoc.h"
#include "platform/framework/View.h"

namespace {

EditHistoryRunner historyRunner = nullptr;

}  // namespace

EditHistoryRunner SetEditHistoryRunner(EditHistoryRunner runner) { return std::exchange(historyRunner, runner); }

void XUndoDoc::OnEditHistory() {
  XASSERT(historyRunner, "No Edit History dialog installed");
  POSITION pos = GetFirstViewPosition();
  CView* parent = pos ? GetNextView(pos) : nullptr;
  historyRunner(*this, parent);
}

void XUndoDoc::OnUpdateEditHistory(CCmdUI* cmdUI) { cmdUI->Enable(GetHistory().GetCount() > 0); }
