// Screenshots of the sheets' pages, run under an X server by scripts/<sheet>-screenshot.sh. Built
// once per sheet, SHEET naming it:
//   edit_camera_screenshot <folder>: <folder>/edit-camera-<page>.png of each page
//   edit_object_screenshot <folder>: <folder>/edit-object-<page>.png of its pages and looks
//   preferences_screenshot <start page> <file.png>: the sheet at one page, after a fresh start
#include <QApplication>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "core/Globals.h"
#include "dialogs/PropertySheetEditCamera.h"
#include "dialogs/PropertySheetEditObject.h"
#include "dialogs/PropertySheetPreferences.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/View.h"
#include "resources/ProgramResources.h"
#include "scene/GroupSO.h"
#include "scene/MeshSO.h"
#include "shell/XApp.h"

namespace {

const std::string kSheet = SHEET;

struct SheetShots {
  // Brings up page `index` as a click on its tab does.
  void ShowPage(int index) {
    auto* tabs = window->findChild<QTabBar*>();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
  }
  // Saves the window as <prefix><name>.png once it has painted.
  void Shoot(const char* name) {
    QTest::qWait(200);
    const QPixmap shot = window->screen()->grabWindow(window->winId());
    saved = shot.save(QString::fromStdString(prefix + name + ".png")) && saved;
  }

  QWidget* window;
  std::string prefix;
  bool saved;
};

// Runs `sheet`; `script` acts on its shown window, then the sheet is cancelled. Returns 0 when every
// picture was saved.
int ShootSheet(CPropertySheet& sheet, const std::string& prefix, const std::function<void(SheetShots&)>& script) {
  SheetShots shots{nullptr, prefix, false};
  QTimer::singleShot(0, [&] {
    shots.window = QApplication::activeModalWidget();
    shots.saved = shots.window && QTest::qWaitForWindowExposed(shots.window);
    if (shots.saved) script(shots);
    sheet.EndDialog(IDCANCEL);
  });
  sheet.DoModal();
  return shots.saved ? 0 : 1;
}

// A camera window's camera with everything the pages show set.
class ShownCamera : public CView, public CameraView, public Myself {
 public:
  ShownCamera() {
    camera.focal = 0.035;
    camera.focus = 2.5;
    camera.fstop = 8.0;
    camera.autoFocusSelected = TRUE;
    camera.linearModel = TRUE;
    camera.linearSensitivity = 6;
    camera.background = RGB(90, 120, 200);
    camera.windowKind = 3;
    camera.backgroundImagePath = "/home/user/pictures/sky.bmp";
  }
  void OnDraw(CDC*) override {}
  CameraFields& GetCameraFields() override { return camera; }
  Ptr<PtrMyself>& GetViewMyself() override { return GetMyself(); }
  void ShowEntireScene(BoundingBox) override {}
  void UpdateTitle() override {}
  void OnUpdateAfterFit() override {}

  CameraFields camera;
};

int ShootEditCamera(const std::string& folder) {
  Ptr<ShownCamera> view(new ShownCamera);
  PropertySheetEditCamera sheet(view, kEditCameraGeneralPage);
  return ShootSheet(sheet, folder + "/edit-camera-", [](SheetShots& shots) {
    int page = 0;
    for (const char* name : {"general", "lens", "focus", "new-scene"}) {
      shots.ShowPage(page++);
      shots.Shoot(name);
    }
  });
}

// A painted crate of two textured parts.
int ShootEditObject(const std::string& folder) {
  XApp app;
  Direct3DRMCreate(&app.lpD3DRM);
  Ptr<MeshSO> mesh(new MeshSO(8, 0.5, 2.0, 0xFF0000FF));
  mesh->SetName("Crate");
  mesh->texMats.RemoveAll();  // parts of its own instead of the generated mesh's one
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
    mesh->groupMats.AddTail(GroupIndexList());
    mesh->groupMats.GetTail().AddTail(DWORD{0});
  }
  mesh->texturesLoaded = mesh->texturesOn = 1;
  mesh->quality = 2;
  mesh->style = 1;  // painted
  Ptr<GroupSO> group(new GroupSO);
  group->AddVisual(mesh);
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

}  // namespace

int main(int argc, char** argv) {
  const bool preferences = kSheet == "preferences";
  if (argc != (preferences ? 3 : 2)) {
    std::fprintf(stderr, "usage: %s %s\n", argv[0], preferences ? "<start page> <file.png>" : "<folder>");
    return 2;
  }
  QApplication qt(argc, argv);
  RegisterProgramResources();
  if (kSheet == "edit_camera") return ShootEditCamera(argv[1]);
  if (kSheet == "edit_object") return ShootEditObject(argv[1]);
  InstallInputFilter();
  InitGlobals();  // the program reads them at start-up; some pages show them
  PropertySheetPreferences sheet(static_cast<UINT>(std::atoi(argv[1])));
  const std::string file = argv[2];
  return ShootSheet(sheet, file.substr(0, file.rfind(".png")), [](SheetShots& shots) { shots.Shoot(""); });
}
