// The tutorial scenes the build makes beside the program: each opens in the started program with
// its objects found in the objects folder, renders them with their cartoon lines, and undoes and
// redoes through its whole history, every record carrying a guiding comment.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <fstream>

#include "document/DocumentTestSupport.h"
#include "platform/win/QtTestApplication.h"
#include "shell/DocTemplates.h"
#include "shell/XApp.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedMessageBoxes.h"
#include "views/X3DView.h"

namespace {

// The pixels of a rendered 24-bit bitmap file that are near black: the cartoon lines.
int DarkPixels(const std::vector<BYTE>& bmp) {
  constexpr std::size_t kHeader = 54;
  int dark = 0;
  for (std::size_t i = kHeader; i + 2 < bmp.size(); i += 3)
    if (bmp[i] < 40 && bmp[i + 1] < 40 && bmp[i + 2] < 40) ++dark;
  return dark;
}

struct TutorialScenes : ::testing::Test {
  TutorialScenes() {
    RegisterCameraViewClass(RUNTIME_CLASS(X3DView));
    const std::filesystem::path config = std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "Ulmric";
    std::filesystem::create_directories(config);
    std::ofstream(config / "Tavrolin.ini") << "[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n";
    EXPECT_TRUE(app.InitInstance());
    // The scenes name their objects as the program finds them: in the objects folder beside its own.
    app.programPath = (std::string(TAVROLIN_BINARY_DIR) + "/bin/tavrolin").c_str();
  }
  ~TutorialScenes() override {
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    app.ExitInstance();
  }

  QtTestApplication qt;
  ScriptedMessageBoxes boxes;
  ScopedSystemInfo display;
  XApp app;
};

TEST_F(TutorialScenes, BothOpenRenderAndUndoThroughTheirHistories) {
  for (const char* name : {"Tutorial1.tvr", "Tutorial2.tvr"}) {
    SCOPED_TRACE(name);
    const std::string path = std::string(TAVROLIN_BINARY_DIR) + "/bin/" + name;
    auto* doc = static_cast<XDocument*>(app.OpenDocumentFile(path.c_str()));
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(boxes.boxes.empty());  // no object file was missing
    POSITION pos = doc->GetFirstViewPosition();
    auto* view = pos ? dynamic_cast<X3DView*>(doc->GetNextView(pos)) : nullptr;
    ASSERT_NE(view, nullptr);
    EXPECT_GT(DarkPixels(view->RenderBitmapFile(200, 150, false)), 30);

    const EditHistory& history = doc->GetHistory();
    ASSERT_GE(history.GetCount(), 5);
    EXPECT_EQ(history.GetModIndex(), history.GetCount() - 1);
    for (int i = 0; i < history.GetCount(); ++i) EXPECT_GT(history.GetRecord(i)->GetComment().GetLength(), 30);
    const std::vector<BYTE> edited = document_test::Snapshot(*doc);
    while (history.CanUndo()) ASSERT_TRUE(doc->Undo(TRUE));
    EXPECT_EQ(DarkPixels(view->RenderBitmapFile(200, 150, false)), 0);  // every object undone
    while (history.CanRedo()) ASSERT_TRUE(doc->Redo(TRUE));
    EXPECT_EQ(document_test::Snapshot(*doc), edited);
    doc->OnCloseDocument();
  }
}

}  // namespace
