// One entry of a document's edit history: an undoable edit, its name for the user, a comment,
// and the undo data that undoes it (or, once undone, redoes it). The record never looks inside
// its undo data; the document that applies it does.
#pragma once

#include "core/Pointers.h"
#include "core/XString.h"

// What applying a record returns: the kind and undo data of the record that reverses it.
class UndoDataHolder : public RefCount {
 public:
  UndoDataHolder(int kind, Ptr<RefCount> data) : kind(kind), data(data) {}

  int GetKind() const { return kind; }
  const Ptr<RefCount>& GetData() const { return data; }

 private:
  int kind;
  Ptr<RefCount> data;
};

class ModRec : public RefCount {
  DECLARE_SERIAL(ModRec)
 public:
  // The factory's record, filled by Serialize.
  ModRec();
  // A new edit; its comment is the local date and time.
  ModRec(int kind, Ptr<RefCount> data, UINT descId, BOOL flag, const CString& descArg);
  // The record that takes `rec`'s place once it has been applied: `rec`'s texts and flag with
  // the kind and undo data of the inverse.
  ModRec(const ModRec& rec, const UndoDataHolder& inverse);

  int GetKind() const { return kind; }
  const Ptr<RefCount>& GetData() const { return data; }
  BOOL GetFlag() const { return flag; }
  const XString& GetDescription() const { return description; }
  UINT GetDescId() const { return descId; }
  const XString& GetDescArg() const { return descArg; }
  const XString& GetComment() const { return comment; }
  void SetComment(const CString& text) { comment = text; }

  // Reading fails with an archive exception for a kind the program does not know or a
  // description id without a text, so that a damaged file cannot reach the checks of undo.
  void Serialize(CArchive& ar) override;

 private:
  void ComposeDescription();

  int kind = -1;
  Ptr<RefCount> data;
  BOOL flag = FALSE;
  XString description;
  UINT descId = 0;
  XString descArg;
  XString comment;
};
