// Undo data of adding groups (kind 4) and deleting them (kind 5); each is the other's inverse.
#pragma once

#include "document/UndoData.h"

// The added groups and the selection at capture.
class AddGroupsUndoData : public RefCount {
  DECLARE_SERIAL(AddGroupsUndoData)
 public:
  // Reading fails for a record without groups.
  void Serialize(CArchive& ar) override;

  HandleList groups;
  HandleList selected;
};

// The deleted groups as one image (each group with its subtree, in order), the parent of each,
// and the selection at capture.
class DeleteGroupsUndoData : public RefCount {
  DECLARE_SERIAL(DeleteGroupsUndoData)
 public:
  // Reading fails for a record without groups.
  void Serialize(CArchive& ar) override;

  UndoImage image;
  HandleList parents;
  HandleList selected;
};
