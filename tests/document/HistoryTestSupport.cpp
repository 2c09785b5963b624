#include "document/HistoryTestSupport.h"

#include <QApplication>
#include <QCursor>

namespace history_test {

IMPLEMENT_SERIAL(NumberUndoData, RefCount, VERSIONABLE_SCHEMA)

void NumberUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << expected << restore;
  else
    ar >> expected >> restore;
}

NumberDocument::NumberDocument(bool* deleted) : deleted(deleted) {
  m_bAutoDelete = deleted != nullptr;
  OnNewDocument();
  GetHistory().SetMaxUndo(100);
}

NumberDocument::~NumberDocument() {
  if (deleted) *deleted = true;
}

void NumberDocument::Edit(LONG to, int kind, UINT descId, const char* descArg) {
  AddRecord(new ModRec(kind, new NumberUndoData(to, value), descId, TRUE, descArg));
  value = to;
}

// Adding and deleting swap kinds when applied; the other kinds stay.
Ptr<UndoDataHolder> NumberDocument::ApplyUndoData(const Ptr<ModRec>& record) {
  XUndoDoc::ApplyUndoData(record);
  applyWaited = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
  if (failNextApply) throw CArchiveException(CArchiveException::generic);
  auto* data = dynamic_cast<NumberUndoData*>(static_cast<RefCount*>(record->GetData()));
  EXPECT_TRUE(data);
  EXPECT_EQ(value, data->expected) << "a record was applied out of order";
  const LONG before = value;
  value = data->restore;
  const int kind = record->GetKind();
  const int inverse = kind == kUndoAddGroups ? kUndoDeleteGroups : kind == kUndoDeleteGroups ? kUndoAddGroups : kind;
  return new UndoDataHolder(inverse, new NumberUndoData(value, before));
}

void ExpectHistory(NumberDocument& doc, const HistoryState& expected) {
  EXPECT_EQ(doc.GetHistory().GetCount(), expected.count);
  EXPECT_EQ(doc.GetHistory().GetModIndex(), expected.modIndex);
  EXPECT_EQ(doc.GetHistory().GetMaxUndo(), expected.maxUndo);
  EXPECT_EQ(doc.value, expected.value);
}

}  // namespace history_test
