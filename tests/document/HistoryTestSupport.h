// Test support for the edit history: a document that is one number, edited through records whose
// undo data checks, when applied, that the number is what the edit left.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "document/EditHistory.h"
#include "document/UndoKind.h"

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

// The kind an applied record turns into: adding and deleting swap, the others stay.
int InverseKind(int kind);

struct NumberDocument {
  NumberDocument();
  // Sets the number and records the edit (description 377 "Edit Lights" unless given).
  void Edit(LONG to, int kind = kUndoEditLights, UINT descId = 377, const char* descArg = "");
  void Undo();
  void Redo();
  EditHistory::Apply Applier();

  LONG value = 0;
  EditHistory history;
};

// The state of a history as one value.
struct HistoryState {
  int count = 0;
  int modIndex = -1;
  int maxUndo = 0;
  LONG value = 0;
};
void ExpectHistory(const NumberDocument& doc, const HistoryState& expected);

}  // namespace history_test
