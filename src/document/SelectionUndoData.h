// Undo data of a selection change (kind 6) and of moving, turning or sizing groups (kind 7).
#pragma once

#include "document/UndoData.h"

// The selected groups, in selection order.
class ChangeSelectedUndoData : public RefCount {
  DECLARE_SERIAL(ChangeSelectedUndoData)
 public:
  void Serialize(CArchive& ar) override;

  HandleList selected;
};

// The local transform and the three scale factors of each group, side by side.
class TransformGroupsUndoData : public RefCount {
  DECLARE_SERIAL(TransformGroupsUndoData)
 public:
  // Reading fails when the three lists are empty or differ in length.
  void Serialize(CArchive& ar) override;

  XList<Transform> transforms;
  XList<Vector> scales;
  HandleList groups;
};
