#include "ShellTestSupport.h"


#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/DocumentServices.h"
#include "platform/framework/ScrollView.h"
#include "platform/win/StringResources.h"
#include "shell/DocTemplates.h"

namespace shell_test {

std::string PreferenceFile() { return std::string(std::getenv("XDG_CONFIG_HOME")) + "/Ulmric/Tavrolin.ini"; }

std::string ReadPreferences() {
  std::ostringstream text;
  text << std::ifstream(PreferenceFile()).rdbuf();
  return text.str();
}

std::vector<UINT> BoxIds(const ScriptedMessageBoxes& boxes) {
  std::vector<UINT> ids;
  for (const auto& box : boxes.boxes) {
    UINT found = 0;
    for (UINT id : {40037u, 40200u, 40219u, 40220u, 40221u, 40231u, 40232u, 40235u, 40242u, 40247u, 40250u, 40251u, 61697u})
      if (const char* text = FindStringResource(id); text && box.text == text) found = id;
    ids.push_back(found);
  }
  return ids;
}

namespace {

// Stands in for the camera window, which lives above the shell: new scenes get one.
class StandInCameraView : public CScrollView, public CameraView {
  DECLARE_DYNCREATE(StandInCameraView)
 public:
  StandInCameraView() { SetScrollSizes(MM_TEXT, CSize(1, 1)); }
  void OnDraw(CDC*) override {}
  CameraFields& GetCameraFields() override { return camera; }
  Ptr<PtrMyself>& GetViewMyself() override { return handle; }
  void ShowEntireScene(BoundingBox) override {}
  void UpdateTitle() override {}
  void OnUpdateAfterFit() override {}

  CameraFields camera;
  Ptr<PtrMyself> handle{new PtrMyself};
};
IMPLEMENT_DYNCREATE(StandInCameraView, CScrollView)

}  // namespace

StartedApp::StartedApp() {
  RegisterCameraViewClass(RUNTIME_CLASS(StandInCameraView));
  // Windows need the GUI application, made once for the whole test program.
  static int argc = 1;
  static char name[] = "shell_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* gui = QApplication::instance() ? nullptr : new QApplication(argc, argv);
  (void)gui;
}

BOOL StartedApp::Start(const std::string& preferences) {
  std::filesystem::create_directories(std::filesystem::path(PreferenceFile()).parent_path());
  std::ofstream(PreferenceFile(), std::ios::trunc) << preferences;
  started = true;
  return app.InitInstance();
}

StartedApp::~StartedApp() {
  if (started && app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
  if (started) app.ExitInstance();
  std::filesystem::remove(PreferenceFile());  // later tests start from the defaults
}

}  // namespace shell_test
