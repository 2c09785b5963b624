// The Edit Object sheet: the General and Artistic pages of one object, a group whose own first
// visual is a mesh object. The pages edit copies; OK applies what differs from the object, for
// the pages the user brought up, as one "Edit Object" record, and redraws the document's views.
#pragma once

#include <memory>

#include "dialogs/PageEditObjectArtistic.h"
#include "dialogs/PageEditObjectGeneral.h"
#include "dialogs/XPropertySheet.h"

class GroupSO;
class MeshSO;
class XDocument;

constexpr UINT kEditObjectCaption = 10300;

enum EditObjectPage : UINT { kEditObjectGeneralPage = 0, kEditObjectArtisticPage = 1 };

// Whether the sheet can edit `group`: an object of the scene of `doc` whose own first visual is
// a mesh object.
bool IsEditableObject(const XDocument& doc, GroupSO* group);

class PropertySheetEditObject : public XPropertySheet {
 public:
  PropertySheetEditObject(XDocument* doc, GroupSO* editedGroup, UINT startPage);
  ~PropertySheetEditObject() override;

  int DoModal() override;
  // The group's own first visual, the mesh object being edited.
  MeshSO& Mesh() const;

  XDocument* document;
  GroupSO* group;
  std::unique_ptr<PageEditObjectGeneral> general;
  std::unique_ptr<PageEditObjectArtistic> artistic;

 private:
  // Opens the one record of this OK before its first change.
  void Record();
  void ApplySize();
  void ApplyQuality();
  void ApplyArtistic();
  void ApplyName();
  void ApplyEditAllCopies(bool turnOn);

  bool recorded = false;
};
