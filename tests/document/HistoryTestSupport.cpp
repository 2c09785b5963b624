#include "document/HistoryTestSupport.h"

namespace history_test {

IMPLEMENT_SERIAL(NumberUndoData, RefCount, VERSIONABLE_SCHEMA)

void NumberUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << expected << restore;
  else
    ar >> expected >> restore;
}

int InverseKind(int kind) {
  if (kind == kUndoAddGroups) return kUndoDeleteGroups;
  if (kind == kUndoDeleteGroups) return kUndoAddGroups;
  return kind;
}

NumberDocument::NumberDocument() { history.SetMaxUndo(100); }

void NumberDocument::Edit(LONG to, int kind, UINT descId, const char* descArg) {
  history.AddRecord(new ModRec(kind, new NumberUndoData(to, value), descId, TRUE, descArg));
  value = to;
}

EditHistory::Apply NumberDocument::Applier() {
  return [this](const Ptr<ModRec>& rec) {
    auto* data = dynamic_cast<NumberUndoData*>(static_cast<RefCount*>(rec->GetData()));
    EXPECT_TRUE(data);
    EXPECT_EQ(value, data->expected) << "a record was applied out of order";
    LONG before = value;
    value = data->restore;
    return Ptr<UndoDataHolder>(new UndoDataHolder(InverseKind(rec->GetKind()), new NumberUndoData(value, before)));
  };
}

void NumberDocument::Undo() { history.Undo(Applier()); }
void NumberDocument::Redo() { history.Redo(Applier()); }

void ExpectHistory(const NumberDocument& doc, const HistoryState& expected) {
  EXPECT_EQ(doc.history.GetCount(), expected.count);
  EXPECT_EQ(doc.history.GetModIndex(), expected.modIndex);
  EXPECT_EQ(doc.history.GetMaxUndo(), expected.maxUndo);
  EXPECT_EQ(doc.value, expected.value);
}

}  // namespace history_test
