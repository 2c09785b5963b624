// The edit history of a document: its modification records, oldest first, the current record
// (the last edit in effect), the most records kept and whether scene files carry the records.
//
// The records up to and including the current one hold undo data; those after it hold redo data.
// Applying a record gives back the data that reverses it, which takes the record's place, so undo
// and redo are one operation. The history owns its records; undone ones are dropped when a new
// edit is recorded.
#pragma once

#include <functional>

#include "core/XList.h"
#include "document/ModRec.h"

class EditHistory {
 public:
  // Applies a record to the document and returns the data of its inverse.
  using Apply = std::function<Ptr<UndoDataHolder>(const Ptr<ModRec>&)>;

  EditHistory() = default;
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  int GetCount() const { return records.GetCount(); }
  // 0-based position of the current record, -1 when none is current.
  int GetModIndex() const { return pos ? index : -1; }
  int GetMaxUndo() const { return maxUndo; }
  BOOL GetSaveEditHistory() const { return saveEditHistory; }
  void SetSaveEditHistory(BOOL save) { saveEditHistory = save; }
  bool CanUndo() const { return pos != nullptr; }
  bool CanRedo() const { return !records.IsEmpty() && GetModIndex() < records.GetCount() - 1; }
  // The record at a 0-based position, which must exist.
  const Ptr<ModRec>& GetRecord(int i) const;
  // The record Undo would apply, and the one Redo would apply.
  const Ptr<ModRec>& GetUndoRecord() const;
  const Ptr<ModRec>& GetRedoRecord() const;

  // Appends a new edit after the current record, dropping the records after it and the oldest
  // record when more than the maximum would be kept.
  void AddRecord(const Ptr<ModRec>& record);
  // One step back or forward: the record is applied and replaced by its inverse.
  void Undo(const Apply& apply);
  void Redo(const Apply& apply);

  // Changes the most records kept. Dropping redo records, or every record, is asked first; a No
  // leaves everything as it was.
  void SetMaxUndo(int newMax);

  // Empties the history and takes the "NewScenes" settings of new documents.
  void Reset();

  // The history part of a scene file: schema, the save flag, then only with the flag the records
  // and the current index, and the maximum. Reading validates what a damaged file could carry:
  // a maximum below 0 or below the record count, and records whose undo data `dataFits` refuses,
  // fail the load with an archive exception.
  using DataFits = bool (*)(const ModRec& record);
  void Serialize(CArchive& ar, DataFits dataFits = nullptr);

 private:
  void RemoveAfterCurrent();
  void RemoveOldest();
  void RemoveNewest();
  void SetCurrent(int i);

  XList<Ptr<ModRec>> records;
  POSITION pos = nullptr;
  int index = -1;
  int maxUndo = 0;
  BOOL saveEditHistory = FALSE;
};
