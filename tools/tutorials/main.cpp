// Writes the tutorial scenes: runs the program's own start-up off screen with settings of its own,
// makes each scene in a new scene's camera window and saves it.
//   make_tutorials <objects folder> <output folder>
// Writes <output folder>/Tutorial1.tvr and Tutorial2.tvr. The scenes name their object files by the
// objects folder's path as given (relative to the output folder keeps the files the same wherever
// they are built); a scene opened elsewhere finds them by name in the program's objects folder.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "TutorialScenes.h"
#include "document/XDocument.h"
#include "platform/framework/DocTemplate.h"
#include "platform/win/RuntimeFolder.h"
#include "resources/ProgramResources.h"
#include "shell/DocTemplates.h"
#include "shell/XApp.h"
#include "views/X3DView.h"

namespace {

using Builder = bool (*)(XDocument&, X3DView&, const std::string&);

// A fresh settings folder past the first run, so that nothing asks and the user's own settings
// are neither read nor changed.
std::filesystem::path OwnSettings() {
  const std::filesystem::path home = std::filesystem::temp_directory_path() / ("make_tutorials-" + std::to_string(::getpid()));
  std::filesystem::create_directories(home / "Ulmric");
  std::ofstream(home / "Ulmric" / "Tavrolin.ini") << "[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n";
  ::setenv("HOME", home.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
  return home;
}

// The off-screen platform cannot hand a window's size limits on and says so for every dialog
// and bar it sizes; here nothing is on a screen, so that notice is dropped and nothing else.
void QuietOffscreenNotices() {
  static const QtMessageHandler previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.startsWith(QLatin1String("This plugin does not support propagateSizeHints()"))) return;
        if (previous) previous(type, context, message);
      });
}

bool Write(XApp& app, Builder build, const std::string& objects, const std::filesystem::path& file) {
  CDocTemplate* scenes = app.GetDocTemplate(0)->docTemplate;
  auto* doc = static_cast<XDocument*>(scenes->OpenDocumentFile(nullptr));
  if (!doc) return false;
  POSITION pos = doc->GetFirstViewPosition();
  auto* view = pos ? dynamic_cast<X3DView*>(doc->GetNextView(pos)) : nullptr;
  const bool built = view && build(*doc, *view, objects);
  const bool saved = built && doc->OnSaveDocument(file.c_str());
  doc->OnCloseDocument();
  if (!saved) std::fprintf(stderr, "make_tutorials: cannot make %s\n", file.c_str());
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_tutorials <objects folder> <output folder>\n");
    return 2;
  }
  const std::string objects = argv[1];
  const std::filesystem::path output = std::filesystem::absolute(argv[2]);
  std::filesystem::create_directories(output);
  // Object paths are read relative to the output folder.
  std::filesystem::current_path(output);
  const std::filesystem::path home = OwnSettings();
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  EnsureRuntimeFolder();
  QuietOffscreenNotices();
  int qtArgc = 1;
  QApplication qt(qtArgc, argv);
  RegisterProgramResources();
  RegisterCameraViewClass(RUNTIME_CLASS(X3DView));
  bool made = false;
  {
    XApp app;
    if (app.InitInstance()) {
      made = Write(app, &tutorials::BuildTutorial1, objects, output / "Tutorial1.tvr") &&
             Write(app, &tutorials::BuildTutorial2, objects, output / "Tutorial2.tvr");
    }
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    app.ExitInstance();
  }
  std::filesystem::remove_all(home);
  return made ? 0 : 1;
}
