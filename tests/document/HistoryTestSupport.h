// Test support for the edit history: a document that is one number, whose undo data checks order.
#pragma once

#include <gtest/gtest.h>

#include "document/UndoKind.h"
#include "document/XUndoDoc.h"

namespace history_test {

// Undo data: the value the document must hold and the value to restore.
class NumberUndoData : public RefCount {
  DECLARE_SERIAL(NumberUndoData)
 public:
  NumberUndoData() = default;
  NumberUndoData(LONG expected, LONG restore) : expected(expected), restore(restore) {}
  void Serialize(CArchive& ar) override;
  LONG expected = 0;
  LONG restore = 0;
};

// A new document of at most 100 records whose next apply can fail; `deleted` learns of its end.
class NumberDocument : public XUndoDoc {
 public:
  explicit NumberDocument(bool* deleted = nullptr);
  ~NumberDocument() override;
  // Sets the number and records the edit (description 377 "Edit Lights" unless given).
  void Edit(LONG to, int kind = kUndoEditLights, UINT descId = 377, const char* descArg = "");
  Ptr<UndoDataHolder> ApplyUndoData(const Ptr<ModRec>& record) override;

  LONG value = 0;
  bool failNextApply = false;
  bool applyWaited = false;  // the last apply ran under the wait cursor
  bool* deleted;
};

// The state of a history as one value.
struct HistoryState {
  int count = 0;
  int modIndex = -1;
  int maxUndo = 0;
  LONG value = 0;
};
void ExpectHistory(NumberDocument& doc, const HistoryState& expected);

}  // namespace history_test
