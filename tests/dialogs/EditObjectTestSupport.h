// Test support for the Edit Object sheet: a scene holding objects of two parts ("Body" and
// "Trim") on a generated mesh, each look with part colours of its own, and a run of the sheet
// with a scripted user.
#pragma once

#include <QDialog>
#include <QLocale>
#include <QTabBar>
#include <functional>

#include "dialogs/DialogTestSupport.h"
#include "dialogs/PropertySheetEditObject.h"
#include "document/DocumentTestSupport.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/RunModal.h"
#include "platform/win/QtTestApplication.h"
#include "support/ScriptedMessageBoxes.h"

namespace edit_object_test {

struct QtFirst {
  QtTestApplication qt;
};

struct Look {
  bool textured = false;  // the object has textures and shows them (Photo)
  LONG quality = 0;
  bool flat = false;  // without height
};

inline MeshSO& MeshOf(const GroupSO& group) {
  return *dynamic_cast<MeshSO*>(static_cast<VisualSO*>(group.GetFirstVisual()));
}

inline Material& Part(XList<Material>& list, int index) {
  POSITION pos = list.GetHeadPosition();
  while (index-- > 0) list.GetNext(pos);
  return list.GetAt(pos);
}

// An object named `name` added to the scene of `doc` and selected; its parts are lit, not shiny
// and without pattern.
inline Ptr<GroupSO> NewObject(XDocument& doc, const char* name, Look look = {}) {
  Ptr<GroupSO> group(new GroupSO);
  Ptr<MeshSO> mesh(new MeshSO(8, 0.5, 2.0, 0xFF0000FF));
  if (look.flat) mesh->box.max.y = mesh->box.min.y;
  mesh->SetName(name);
  // Parts of its own instead of the generated mesh's one.
  mesh->texMats.RemoveAll();
  mesh->untexMats.RemoveAll();
  mesh->groupMats.RemoveAll();
  for (const char* part : {"Body", "Trim"}) {
    Material textured;
    textured.name = part;
    textured.diffuse = Color(0.8, 0.6, 0.2, 1.0);
    Material solid = textured;
    solid.diffuse = Color(0.1, 0.3, 0.9, 1.0);
    mesh->texMats.AddTail(textured);
    mesh->untexMats.AddTail(solid);
    GroupIndexList groups;
    groups.AddTail(DWORD{0});
    mesh->groupMats.AddTail(groups);
  }
  mesh->texturesLoaded = look.textured;
  mesh->texturesOn = look.textured;
  mesh->quality = look.quality;
  group->AddVisual(mesh);
  doc.AddGroup(group, TRUE, FALSE, 0);
  return group;
}

class EditObjectFixture : public QtFirst, public document_test::SceneFixture {
 protected:
  EditObjectFixture() {
    InstallInputFilter();
    QLocale::setDefault(QLocale::c());
  }

  Ptr<GroupSO> AddObject(const char* name, Look look = {}) { return NewObject(doc, name, look); }

  static void ClickTab(QDialog* window, int index) {
    auto* tabs = window->findChild<QTabBar*>();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
  }

  // Runs the sheet on `group` opened at `page`; `user` acts and ends it.
  int Run(GroupSO& group, UINT page, const std::function<void(PropertySheetEditObject&, QDialog*)>& user) {
    PropertySheetEditObject sheet(&doc, &group, page);
    return RunModal([&] { return sheet.DoModal(); }, [&](QDialog* window) { user(sheet, window); });
  }

  int Records() { return doc.GetHistory().GetCount(); }

  ScriptedMessageBoxes boxes;
};

inline std::string TextOf(CWnd& page, int id) {
  CString text;
  page.GetDlgItem(id)->GetWindowText(text);
  return text.str();
}

}  // namespace edit_object_test
