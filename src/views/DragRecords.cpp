#include "views/DragRecords.h"

#include "document/UndoKind.h"
#include "document/XDocument.h"
#include "views/InteractiveModes.h"

void SwitchInteractiveModification(XDocument& doc, CObject* window, int mode, int previous, GroupSO* picked) {
  if (!OpensDragRecord(mode, previous)) return;
  const bool isCylinder = picked && picked == static_cast<GroupSO*>(doc.GetRotObjAboutCylPtr());
  const DragRecord record = ChooseDragRecord(mode, picked != nullptr, isCylinder, doc.GetSelectedCount());
  if (record.kind == kUndoEditCamera) {
    doc.RecordUndo(record.kind, window, record.description);
    return;
  }
  // The record captures the transforms of the groups it is handed, so a copy of the list will do.
  XList<Ptr<GroupSO>> subjects(10);
  if (record.pickedAlone) {
    subjects.AddTail(Ptr<GroupSO>(picked));
  } else {
    subjects.AddTail(&doc.GetSelection());
  }
  doc.RecordUndo(record.kind, &subjects, record.description);
}
