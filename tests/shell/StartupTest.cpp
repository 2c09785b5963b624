// The started application: start-up and its checks, the first run, the splash and About box,
// and the message boxes and help that belong to the main frame.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>

#include "core/DirectXProbe.h"
#include "core/XMessageBox.h"
#include "dialogs/DialogAbout.h"
#include "platform/framework/RecentFileList.h"
#include "platform/framework/RunModal.h"
#include "platform/win/CurrentDirectory.h"
#include "platform/win/Memory.h"
#include "shell/ShellTestSupport.h"
#include "shell/StartupChecks.h"
#include "shell/XMainFrame.h"
#include "support/RecordingDesktop.h"
#include "support/TemporaryFolder.h"

namespace shell_test {
namespace {

using Startup = StartedApp;

TEST_F(Startup, WithoutArgumentsComesUpWithNoSceneAndASplashThatAKeyAClickOrItsTimeCloses) {
  ASSERT_TRUE(Start());
  EXPECT_NE(XGetMainFrame(), nullptr);
  EXPECT_TRUE(app.m_pMainWnd->GetWidget()->isVisible());
  EXPECT_EQ(app.CountOpenScenes(), 0);
  EXPECT_NE(app.m_applTimerId, 0u);
  EXPECT_TRUE(app.lpDD && app.lpDD2 && app.screen && app.lpD3DRM && app.device);
  EXPECT_TRUE(app.GetCylinderMesh() && app.GetGroundMesh());
  EXPECT_EQ(app.palette, nullptr);  // a true-colour display
  EXPECT_TRUE(boxes.boxes.empty());

  QCoreApplication::processEvents();  // the main frame posted its request at creation
  const auto splash = [&] { return app.m_dialogAbout ? app.m_dialogAbout->GetWidget() : nullptr; };
  ASSERT_NE(splash(), nullptr);
  EXPECT_TRUE(splash()->isVisible());
  EXPECT_FALSE(splash()->findChild<QLabel*>()->pixmap().isNull());
  QTest::mouseClick(splash()->findChild<QLabel*>(), Qt::LeftButton);
  EXPECT_EQ(app.m_dialogAbout, nullptr);
  for (Qt::Key key : {Qt::Key_A, Qt::Key_Escape}) {
    XGetMainFrame()->SendMessage(WM_COMMAND, 2105);
    ASSERT_NE(splash(), nullptr);
    QTest::keyClick(splash(), key);
    EXPECT_EQ(app.m_dialogAbout, nullptr);
  }
  XGetMainFrame()->SendMessage(WM_COMMAND, 2105);
  app.m_dialogAbout->SendMessage(WM_TIMER, 1);
  EXPECT_EQ(app.m_dialogAbout, nullptr);
}

TEST_F(Startup, OutOfRangePreferencesAreReplacedAndExitStoresTheSwitches) {
  TemporaryFolder gone;
  char before[4096];
  ASSERT_NE(GetCurrentDirectory(sizeof before, before), 0u);
  ASSERT_TRUE(Start(std::string(kSetUpBefore) +
                    "[General]\nNumberRecentScenes(0-16)=17\nInteractiveMode(0-20)=-1\nShowGround(yes/no)=yes\n"
                    "CurrentDirectory=" + (gone / "gone") + "\n"));
  EXPECT_EQ(app.GetInteractiveMode(), 1);
  EXPECT_TRUE(app.GetShowGround());
  EXPECT_EQ(app.GetRecentFileList()->GetSize(), 8);
  app.SetInteractiveMode(5);
  app.m_pMainWnd->DestroyWindow();
  app.ExitInstance();
  started = false;
  const std::string stored = ReadPreferences();
  EXPECT_NE(stored.find("NumberRecentScenes(0-16)=8"), std::string::npos);
  EXPECT_NE(stored.find("InteractiveMode(0-20)=5"), std::string::npos);
  EXPECT_NE(stored.find(std::string("CurrentDirectory=") + before + "\n"), std::string::npos);
}

TEST_F(Startup, ADisplayOfFewerThan8BitsEndsStartUp) {
  display->bitsPerPixel = 4;
  EXPECT_FALSE(Start());
  EXPECT_EQ(BoxIds(boxes), std::vector<UINT>{40200});
}

TEST_F(Startup, An8BitDisplayGetsTheFixedPaletteAndTheReminderUntilDeclined) {
  display->bitsPerPixel = 8;
  boxes.Answer({IDNO});
  ASSERT_TRUE(Start());
  EXPECT_EQ(BoxIds(boxes), std::vector<UINT>{40250});
  ASSERT_NE(app.palette, nullptr);
  PALETTEENTRY p[256];
  ASSERT_EQ(app.palette->GetPaletteEntries(0, 256, p), 256u);
  EXPECT_EQ(p[10].peRed + p[10].peGreen + p[10].peBlue, 0);
  EXPECT_EQ((p[225].peRed & p[225].peGreen & p[225].peBlue), 255);
  EXPECT_EQ(p[190].peRed, 255);
  EXPECT_EQ(p[190].peGreen + p[190].peBlue, 0);
  EXPECT_EQ(p[16].peGreen, 38);
  EXPECT_EQ(p[16].peRed + p[16].peBlue, 0);
  EXPECT_EQ(p[3].peRed, 3);
  EXPECT_EQ(p[3].peFlags, 2);
  EXPECT_EQ(p[250].peRed, 250);
  EXPECT_EQ(p[230].peFlags, 0);
  EXPECT_NE(ReadPreferences().find("Warn256ColorDisplay(yes/no)=no"), std::string::npos);
}

// A system whose DirectDraw cannot be created has no DirectX 5.
class NoDirectDraw final : public SystemDirectXProbe {
 public:
  HRESULT DirectDrawCreate(GUID*, LPDIRECTDRAW*, IUnknown*) override { return E_FAIL; }
};

TEST_F(Startup, WithoutDirectX5StartUpEndsAfterOfferingTheDownloadPage) {
  NoDirectDraw probe;
  DirectXProbe* previous = SetDirectXProbe(&probe);
  RecordingDesktop noBrowser(false);
  EXPECT_FALSE(Start());
  SetDirectXProbe(previous);
  EXPECT_EQ(BoxIds(boxes), (std::vector<UINT>{40242, 40247}));
  ASSERT_EQ(noBrowser.urls.size(), 1u);
  EXPECT_NE(boxes.boxes[0].text.find("\n\n" + noBrowser.urls[0] + "\n\n"), std::string::npos);
  EXPECT_NE(boxes.boxes[1].text.find(noBrowser.urls[0]), std::string::npos);
}

TEST_F(Startup, TheFirstRunListsTheTutorialsAndSetsTheObjectQualityFromMemory) {
  display->bitsPerPixel = 8;
  SetPhysicalMemory(64u << 20);
  // The Preferences sheet comes up on its Copy Image page after the message that announces it.
  QString pageShown;
  std::size_t boxesBefore = 0;
  BOOL ok = FALSE;
  const auto firstStart = [&] {
    ok = Start("");
    return IDOK;
  };
  RunModal(firstStart, [&](QDialog* sheet) {
    boxesBefore = boxes.boxes.size();
    auto* tabs = sheet->findChild<QTabBar*>();
    pageShown = tabs ? tabs->tabText(tabs->currentIndex()) : QString();
    QTest::keyClick(sheet, Qt::Key_Escape);
  });
  SetPhysicalMemory(0);
  ASSERT_TRUE(ok);
  EXPECT_EQ(pageShown, "Copy Image");
  EXPECT_EQ(boxesBefore, 3u);
  EXPECT_EQ(BoxIds(boxes), (std::vector<UINT>{40251, 40231, 40235, 40221, 40232}));
  const std::string stored = ReadPreferences();
  EXPECT_NE(stored.find("ObjectQualityBias=-1"), std::string::npos);
  EXPECT_NE(stored.find("ObjectQuality256Colors(yes/no)=yes"), std::string::npos);
  EXPECT_NE(stored.find("ObjectQualityAlreadySetup(yes/no)=yes"), std::string::npos);
  const CRecentFileList& recent = *app.GetRecentFileList();
  const std::string folder = app.programPath.GetDirectory().AddTrailingSeparator().str();
  EXPECT_EQ(recent[0], folder + "Tutorial1.tvr");
  EXPECT_EQ(recent[1], folder + "Tutorial2.tvr");
}

TEST(StartupChecks, ObjectQualityStepsAtTheMemoryThresholds) {
  EXPECT_EQ(ObjectQualityForMemory(8912896).bias, -4);
  EXPECT_EQ(ObjectQualityForMemory(8912897).bias, -3);
  EXPECT_EQ(ObjectQualityForMemory(17301504).messageId, 40219u);
  EXPECT_EQ(ObjectQualityForMemory(34078720).bias, -2);
  EXPECT_EQ(ObjectQualityForMemory(34078720).messageId, 40220u);
  EXPECT_EQ(ObjectQualityForMemory(34078721).bias, -1);
}

// A user who presses Help in each box that has it, then OK.
struct HelpPressingBoxes final : MessageBoxBackend {
  HelpPressingBoxes() : previous(SetMessageBoxBackend(this)) {}
  ~HelpPressingBoxes() override { SetMessageBoxBackend(previous); }
  int Show(HWND owner, const char*, const char*, UINT style) override {
    shown.push_back({owner, style});
    if (style & MB_HELP) RequestMessageBoxHelp(owner);
    return IDOK;
  }
  MessageBoxBackend* previous;
  std::vector<std::pair<HWND, UINT>> shown;
};

TEST_F(Startup, TheHelpMenuAndBoxesWithATopicOpenTheirHelpAndAboutShowsTheVersion) {
  ASSERT_TRUE(Start());
  RecordingDesktop desktop;
  {
    HelpPressingBoxes user;
    XInfoBox(40231);
    XInfoBox("a plain text has no topic");
    ASSERT_EQ(user.shown.size(), 2u);
    EXPECT_EQ(user.shown[0].first, XGetMainFrame()->GetSafeHwnd());
    EXPECT_TRUE(user.shown[0].second & MB_HELP);
    EXPECT_EQ(user.shown[1].first, nullptr);
    EXPECT_FALSE(user.shown[1].second & MB_HELP);
  }
  EXPECT_EQ(desktop.urls.size(), 1u);
  EXPECT_TRUE(desktop.Opened(40231 + 0x10000));
  XGetMainFrame()->SendMessage(WM_COMMAND, 33017);  // Help/More 3D Objects
  EXPECT_TRUE(desktop.Opened(33017 + 0x10000));

  QString version;
  const auto helpAbout = [] {
    XGetMainFrame()->SendMessage(WM_COMMAND, 10008);
    return IDOK;
  };
  RunModal(helpAbout, [&](QDialog* box) {
    const QList<QLabel*> labels = box->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 2);
    version = labels[1]->text();
    QTest::mouseClick(labels[1], Qt::LeftButton);
  });
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(QRegularExpression("^version 1\\.3, [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4}$").match(version).hasMatch())
      << version.toStdString();
}

}  // namespace
}  // namespace shell_test
