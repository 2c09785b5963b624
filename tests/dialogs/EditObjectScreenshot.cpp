// Saves <folder>/edit-object-<page>.png of each Edit Object page (scripts/edit-object-screenshot.sh).
#include "SheetScreenshot.h"
#include "dialogs/PropertySheetEditObject.h"
#include "resources/ProgramResources.h"
#include "scene/GroupSO.h"
#include "scene/MeshSO.h"
#include "shell/XApp.h"

namespace {

class ShotApp : public XApp {
 public:
  ShotApp() { Direct3DRMCreate(&lpD3DRM); }
};

Ptr<GroupSO> TexturedObject() {
  Ptr<MeshSO> mesh(new MeshSO(8, 0.5, 2.0, 0xFF0000FF));
  mesh->SetName("Crate");
  // Parts of its own instead of the generated mesh's one.
  mesh->texMats.RemoveAll();
  mesh->untexMats.RemoveAll();
  mesh->groupMats.RemoveAll();
  for (const char* part : {"Boards", "Frame"}) {
    Material look;
    look.name = part;
    look.diffuse = Color(0.7, 0.5, 0.3, 0.8);
    look.specular = Color(0.9, 0.9, 0.9, 1.0);
    look.shininess = 40.0;
    mesh->texMats.AddTail(look);
    mesh->untexMats.AddTail(look);
    GroupIndexList groups;
    groups.AddTail(DWORD{0});
    mesh->groupMats.AddTail(groups);
  }
  mesh->texturesLoaded = mesh->texturesOn = 1;
  mesh->quality = 2;
  mesh->style = 1;  // painted
  Ptr<GroupSO> group(new GroupSO);
  group->AddVisual(mesh);
  return group;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = ScreenshotFolder(argc, argv);
  if (folder.empty()) return 2;
  QApplication qt(argc, argv);
  ShotApp app;
  RegisterProgramResources();
  Ptr<GroupSO> group = TexturedObject();
  PropertySheetEditObject sheet(nullptr, group, kEditObjectGeneralPage);
  return ShootSheet(sheet, folder + "/edit-object-", [&](SheetShots& shots) {
    shots.Shoot("general");
    shots.ShowPage(kEditObjectArtisticPage);
    shots.Shoot("artistic-painted");
    QWidget* cartoon = sheet.artistic->GetDlgItem(32856)->GetWidget();
    QTest::mouseClick(cartoon, Qt::LeftButton, {}, cartoon->rect().center());
    shots.Shoot("artistic-cartoon");
  });
}
