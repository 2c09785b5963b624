#include "views/StartedProgram.h"

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "shell/DocTemplates.h"

StartedProgram::StartedProgram() {
  RegisterCameraViewClass(RUNTIME_CLASS(X3DView));
  const std::filesystem::path config = std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "Ulmric";
  std::filesystem::create_directories(config);
  std::ofstream(config / "Tavrolin.ini") << "[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n";
  // The objects folder lies beside the built program's folder.
  app.programPath = TAVROLIN_BINARY_DIR "/bin/tavrolin";
  EXPECT_TRUE(app.InitInstance());
  main = dynamic_cast<CMDIFrameWnd*>(app.m_pMainWnd);
  QApplication::processEvents();  // the 3D Objects window opens
  objectsWindow = static_cast<int>(main->GetMDIClient()->Children().size());
}

StartedProgram::~StartedProgram() {
  if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
  app.ExitInstance();
}

void StartedProgram::Key(int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(main->GetWidget(), static_cast<Qt::Key>(key), modifiers);  // not the char overload
  QApplication::processEvents();
}

XDocument& StartedProgram::Scene() {
  CDocTemplate* scenes = app.GetDocTemplate(0)->docTemplate;
  POSITION pos = scenes->GetFirstDocPosition();
  EXPECT_NE(pos, nullptr);
  return *static_cast<XDocument*>(scenes->GetNextDoc(pos));
}

std::vector<X3DView*> StartedProgram::Views(XDocument& doc) {
  std::vector<X3DView*> views;
  for (POSITION pos = doc.GetFirstViewPosition(); pos;) views.push_back(dynamic_cast<X3DView*>(doc.GetNextView(pos)));
  return views;
}

std::string StartedProgram::Save(XDocument& doc) {
  const std::string path = folder / "scene.tvr";
  EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
  return path;
}

XDocument* StartedProgram::Reopen(XDocument& doc, const std::string& path) {
  doc.OnCloseDocument();
  return static_cast<XDocument*>(app.OpenDocumentFile(path.c_str()));
}

int StartedProgram::OpenFrames() const {
  return static_cast<int>(main->GetMDIClient()->Children().size()) - objectsWindow;
}
