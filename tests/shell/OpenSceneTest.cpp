#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <fstream>

#include "document/XDocument.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/View.h"
#include "shell/DocTemplates.h"
#include "shell/ShellTestSupport.h"
#include "shell/XMainFrame.h"
#include "support/FatalCheck.h"
#include "support/TemporaryFolder.h"

namespace shell_test {
namespace {

// A view that counts its destruction.
int viewsGone = 0;
class CountedView : public CView {
  DECLARE_DYNCREATE(CountedView)
 public:
  ~CountedView() override { ++viewsGone; }
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CountedView, CView)

class PlainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(PlainFrame)
};
IMPLEMENT_DYNCREATE(PlainFrame, CFrameWnd)

int framesMade = 0;
// A document whose reading makes a window and then fails.
class WindowThenFailDocument : public CDocument {
  DECLARE_DYNCREATE(WindowThenFailDocument)
 public:
  BOOL OnOpenDocument(const char*) override {
    framesMade += GetDocTemplate()->CreateNewFrame(this, nullptr) != nullptr;
    return FALSE;
  }
};
IMPLEMENT_DYNCREATE(WindowThenFailDocument, CDocument)

std::string FileOf(const TemporaryFolder& folder, const char* name, const std::string& bytes) {
  const std::string path = folder / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

struct OpenScene : StartedApp {
  OpenScene() {
    WritePreferences(kSetUpBefore);
    EXPECT_TRUE(Start());
  }
  TemporaryFolder folder;
};

TEST_F(OpenScene, AMissingFileIsReportedAndLeavesNoDocument) {
  EXPECT_EQ(app.OpenDocumentFile((folder / "missing.tvr").c_str()), nullptr);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_NE(boxes.boxes[0].text.find("Failed to open document."), std::string::npos);
  EXPECT_EQ(app.CountOpenScenes(), 0);
}

TEST_F(OpenScene, AnEmptyFileIsANewSceneBearingItsPathAndADamagedOneOpensNothing) {
  const std::string empty = FileOf(folder, "Empty.tvr", "");
  CDocument* document = app.OpenDocumentFile(empty.c_str());
  ASSERT_NE(document, nullptr);
  EXPECT_TRUE(ISKINDOF( document, XDocument ));
  EXPECT_EQ(document->GetPathName().str(), empty);
  EXPECT_EQ(document->GetTitle().str(), "Empty.tvr");
  EXPECT_EQ(app.FindTemplateOfDocument(document), app.GetDocTemplate(0));

  EXPECT_EQ(app.OpenDocumentFile(FileOf(folder, "Damaged.tvr", "not a scene at all").c_str()), nullptr);
  EXPECT_EQ(app.CountOpenScenes(), 1);
  EXPECT_FALSE(boxes.boxes.empty());
}

TEST_F(OpenScene, AFailedReadClosesTheWindowsItMadeBeforeTheDocumentGoes) {
  auto* windowed = new XMultiDocTemplate(14, RUNTIME_CLASS(WindowThenFailDocument), RUNTIME_CLASS(PlainFrame),
                                         RUNTIME_CLASS(CountedView));
  app.AddDocTemplate(windowed);
  viewsGone = 0;
  framesMade = 0;
  EXPECT_EQ(windowed->OpenDocumentFile(FileOf(folder, "Any.tvr", "bytes").c_str()), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(framesMade, 1);
  EXPECT_EQ(viewsGone, 1);
  EXPECT_EQ(windowed->GetFirstDocPosition(), nullptr);
}

TEST_F(OpenScene, ASceneFileDroppedOnTheMainWindowOpens) {
  const std::string empty = FileOf(folder, "Dropped.tvr", "");
  QWidget* window = app.m_pMainWnd->GetWidget();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(empty))});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &drop);
  EXPECT_EQ(app.CountOpenScenes(), 1);
}

TEST(DocTemplateEntry, AViewsOnlyTemplateWithAFileTypeIsAFaultyBuild) {
  XApp app;
  EXPECT_FATAL(DocTemplateEntry(14, RUNTIME_CLASS(XDocument), RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CView), TRUE),
               "DocStringEmpty",
               "View only, document templates must have an empty CDocTemplate::fileNewName");
}

}  // namespace
}  // namespace shell_test
