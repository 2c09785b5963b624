#include "ShellTestSupport.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
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
    for (UINT id : {40037u, 40200u, 40203u, 40204u, 40219u, 40220u, 40221u, 40231u, 40232u, 40235u, 40242u, 40247u,
                    40249u, 40250u, 40251u})
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

// Qt allows one GUI application per process: every test shares this one, made before the first
// test and deleted after the last.
class GuiApplication : public ::testing::Environment {
  void SetUp() override { gui = std::make_unique<QApplication>(argc, argv); }
  void TearDown() override { gui.reset(); }
  int argc = 1;
  char name[12] = "shell_tests";
  char* argv[2] = {name, nullptr};
  std::unique_ptr<QApplication> gui;
};
[[maybe_unused]] const auto* const kGui = ::testing::AddGlobalTestEnvironment(new GuiApplication);

}  // namespace

StartedApp::StartedApp() { RegisterCameraViewClass(RUNTIME_CLASS(StandInCameraView)); }

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
