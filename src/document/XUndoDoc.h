// The document base that keeps an edit history. What a record does to the document is left to
// ApplyUndoData, which the scene document overrides: applying a record returns the data of the
// record that reverses it, so undo and redo are the same operation.
#pragma once

#include "document/EditHistory.h"
#include "document/HistoryList.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/Document.h"

class XUndoDoc : public CDocument {
  DECLARE_DYNAMIC(XUndoDoc)
 public:
  XUndoDoc() = default;
  ~XUndoDoc() override;

  // Marks the document modified; the scene document restores the record's state and returns
  // its inverse.
  virtual Ptr<UndoDataHolder> ApplyUndoData(const Ptr<ModRec>& record);

  // Appends an edit and marks the document modified: the redo records go, the history keeps at
  // most its maximum. An undo or redo marks it modified too, even one back to the state last
  // saved, since a change made outside the history (the Undo page) must still be saved.
  void AddRecord(const Ptr<ModRec>& record);
  // One step back or forward; with `update` under the wait cursor and ending with one view
  // update. A framework
  // exception inside the step reverts the document to its saved file, or closes it when it has
  // none; then FALSE is returned and the document object must not be touched any more (it is
  // deleted when it deletes itself on closing).
  BOOL Undo(BOOL update);
  BOOL Redo(BOOL update);
  // Undoes to just before, or redoes to just after, the record of item `item` of the history
  // list's page `range.current`; one view update follows.
  void UndoRedoTo(const HistoryRange& range, int item);
  // Changes the most records kept (the Undo page of the Preferences sheet).
  void SetMaxUndo(int newMax);

  HistoryRange FillHistoryList(HistoryListBox& list, int page) const;
  BOOL GetHistoryComment(const HistoryListBox& list, CString& comment, const HistoryRange& range, BOOL& isUndo) const;
  void SetHistoryComment(HistoryListBox& list, const CString& comment, const HistoryRange& range, int item);

  EditHistory& GetHistory() { return history; }
  const EditHistory& GetHistory() const { return history; }
  // Whether the scene file carries the records (also set by the Undo page of the Preferences).
  BOOL GetSaveEditHistory() const { return history.GetSaveEditHistory(); }
  void SetSaveEditHistory(BOOL save) { history.SetSaveEditHistory(save); }

  // Empties the history and takes the "NewScenes" preferences.
  void DeleteContents() override;
  // The history block of the scene file.
  void Serialize(CArchive& ar) override;

  // Edit/Undo, Edit/Redo and their menu texts.
  void OnEditUndo();
  void OnEditRedo();
  void OnUpdateEditUndo(CCmdUI* cmdUI);
  void OnUpdateEditRedo(CCmdUI* cmdUI);
  // Edit/History: the Edit History dialog, owned by the document's first view.
  void OnEditHistory();
  void OnUpdateEditHistory(CCmdUI* cmdUI);

 protected:
  // Which undo data a record read from a file may hold; the scene document checks the classes.
  virtual EditHistory::DataFits GetUndoDataCheck() const { return nullptr; }

 private:
  enum class Step { undo, redo };
  BOOL ApplyStep(Step step, BOOL update);
  // The unrecoverable-error path: revert to the saved file or close.
  void RevertAfterFailure();

  EditHistory history;

  DECLARE_MESSAGE_MAP()
};

// Runs the Edit History dialog over `document`, owned by `parent`. The dialogs live above the
// documents, so the application installs it at start-up.
using EditHistoryRunner = void (*)(XUndoDoc& document, CWnd* parent);
EditHistoryRunner SetEditHistoryRunner(EditHistoryRunner runner);
