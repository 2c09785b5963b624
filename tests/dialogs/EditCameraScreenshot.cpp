// Saves <folder>/edit-camera-<page>.png of each Edit Camera page (scripts/edit-camera-screenshot.sh).
#include "SheetScreenshot.h"
#include "dialogs/PropertySheetEditCamera.h"
#include "platform/framework/View.h"
#include "resources/ProgramResources.h"

namespace {

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

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = ScreenshotFolder(argc, argv);
  if (folder.empty()) return 2;
  QApplication app(argc, argv);
  RegisterProgramResources();
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
