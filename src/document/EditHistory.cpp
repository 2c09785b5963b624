#include "document/EditHistory.h"

#include "core/Preferences.h"
#include "core/XMessageBox.h"

namespace {

constexpr UINT kNewScenesSection = 700;
constexpr UINT kSaveEditHistoryKey = 701;
constexpr UINT kSaveEditHistoryDefault = 702;
constexpr UINT kMaxUndoKey = 703;
constexpr UINT kMaxUndoDefault = 704;
constexpr UINT kLoseRedoQuestion = 40048;
constexpr UINT kTurnOffUndoQuestion = 40209;
constexpr UINT kNewerVersionMessage = 40243;
constexpr DWORD kHistorySchema = VERSIONABLE_SCHEMA;  // version 0

bool AnswersYes(UINT question) {
  return XInfoBox(question, CMMButtons::YESNO, CMMDefault::BUTTON2) == CMMReturn::YES;
}

}  // namespace

const Ptr<ModRec>& EditHistory::GetRecord(int i) const {
  XASSERT(i >= 0 && i < records.GetCount(), "Record index out of range");
  POSITION p = records.GetHeadPosition();
  while (i-- > 0) records.GetNext(p);
  return records.GetAt(p);
}

const Ptr<ModRec>& EditHistory::GetUndoRecord() const {
  XASSERT_TEXT(pos, "!records.IsEmpty() && pos", "No current undo record");
  return records.GetAt(pos);
}

const Ptr<ModRec>& EditHistory::GetRedoRecord() const {
  XASSERT_TEXT(CanRedo(), "!records.IsEmpty() && (pos ? index : -1) < records.GetCount()-1",
               "No current redo record");
  POSITION next = pos;
  if (!next) return records.GetAt(records.GetHeadPosition());
  records.GetNext(next);
  return records.GetAt(next);
}

void EditHistory::RemoveAfterCurrent() {
  if (!pos) index = -1;
  while (records.GetCount() > index + 1) RemoveNewest();
}

void EditHistory::RemoveOldest() { records.RemoveHead(); }

void EditHistory::RemoveNewest() { records.RemoveTail(); }

void EditHistory::AddRecord(const Ptr<ModRec>& record) {
  XASSERT_TEXT(maxUndo >= records.GetCount(), "maxUndo >= records.GetCount()", "Too many modification records kept");
  if (maxUndo == 0) return;
  RemoveAfterCurrent();
  pos = records.AddTail(record);
  if (++index == maxUndo) {
    RemoveOldest();
    --index;
  }
}

void EditHistory::Undo(const Apply& apply) {
  XASSERT_TEXT(!records.IsEmpty() && pos, "!records.IsEmpty() && pos", "No current undo record");
  POSITION node = pos;
  records.GetPrev(pos);
  --index;
  Ptr<ModRec> rec = records.GetAt(node);
  Ptr<UndoDataHolder> inverse = apply(rec);
  XASSERT(inverse, "Applying a record must give its inverse");
  records.GetAt(node) = new ModRec(*rec, *inverse);
}

void EditHistory::Redo(const Apply& apply) {
  XASSERT_TEXT(CanRedo(), "!records.IsEmpty() && (pos ? index : -1) < records.GetCount()-1",
               "No current redo record");
  if (!pos) {
    pos = records.GetHeadPosition();
    index = 0;
  } else {
    records.GetNext(pos);
    ++index;
  }
  Ptr<ModRec> rec = records.GetAt(pos);
  Ptr<UndoDataHolder> inverse = apply(rec);
  XASSERT(inverse, "Applying a record must give its inverse");
  records.GetAt(pos) = new ModRec(*rec, *inverse);
}

void EditHistory::SetMaxUndo(int newMax) {
  if (!pos) index = -1;
  if (newMax < 0) newMax = 0;
  if (newMax == maxUndo) return;
  const int count = records.GetCount();
  if (newMax == 0) {
    if (CanRedo() && !AnswersYes(kLoseRedoQuestion)) return;
    if (!AnswersYes(kTurnOffUndoQuestion)) return;
    records.RemoveAll();
    pos = nullptr;
    index = -1;
  } else if (newMax < count) {
    XASSERT_TEXT(maxUndo > newMax, "maxUndo > _maxUndo", "");
    const int excess = count - newMax;
    if (index + 1 < excess) {
      // Fewer undo records than must go: every undo record goes, then the newest redo records.
      if (!AnswersYes(kLoseRedoQuestion)) return;
      for (int n = index + 1; n > 0; --n) RemoveOldest();
      pos = nullptr;
      index = -1;
      while (records.GetCount() > newMax) RemoveNewest();
    } else {
      for (int n = excess; n > 0; --n) RemoveOldest();
      index -= excess;
      if (index < 0) pos = nullptr;
    }
  }
  maxUndo = newMax;
}

void EditHistory::Reset() {
  records.RemoveAll();
  pos = nullptr;
  index = -1;
  saveEditHistory = XGetPrefBool(kNewScenesSection, kSaveEditHistoryKey, kSaveEditHistoryDefault);
  long max;
  XGetPref(kNewScenesSection, kMaxUndoKey, kMaxUndoDefault, &max);
  if (max < 0) {
    XWritePrefStringRes(kNewScenesSection, kMaxUndoKey, kMaxUndoDefault);
    XGetPref(kNewScenesSection, kMaxUndoKey, kMaxUndoDefault, &max);
  }
  maxUndo = static_cast<int>(max);
  XASSERT(maxUndo >= 0, "Invalid default preference resource string IDS_PREF_DEF_MAXUNDOTOKEEP");
}

void EditHistory::SetCurrent(int i) {
  pos = nullptr;
  index = i;
  if (i < 0 || i >= records.GetCount()) return;
  pos = records.GetHeadPosition();
  while (i-- > 0) records.GetNext(pos);
}

void EditHistory::Serialize(CArchive& ar, DataFits dataFits) {
  if (ar.IsStoring()) {
    ar << kHistorySchema;
    ar << static_cast<BYTE>(saveEditHistory ? 1 : 0);
    if (saveEditHistory) {
      records.Serialize(ar);
      ar << static_cast<LONG>(GetModIndex());
    }
    ar << static_cast<LONG>(maxUndo);
    return;
  }
  DWORD schema;
  ar >> schema;
  if ((schema & ~VERSIONABLE_SCHEMA) > (kHistorySchema & ~VERSIONABLE_SCHEMA)) {
    XErrorBox(kNewerVersionMessage);
    AfxThrowArchiveException(CArchiveException::badSchema);
  }
  BYTE save;
  ar >> save;
  XList<Ptr<ModRec>> read;
  LONG storedIndex = -1;
  if (save) {
    read.Serialize(ar);
    ar >> storedIndex;
  }
  LONG storedMax;
  ar >> storedMax;
  if (storedMax < 0 || storedMax < read.GetCount())
    AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  for (POSITION p = read.GetHeadPosition(); p;) {
    const Ptr<ModRec>& rec = read.GetNext(p);
    if (!rec || (dataFits && !dataFits(*rec))) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  }
  records.RemoveAll();
  records.AddTail(&read);
  saveEditHistory = save != 0;
  maxUndo = storedMax;
  SetCurrent(storedIndex);
}
