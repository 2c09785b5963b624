// The Status Bar, Front Top Left, Ground and Interactive pages of the Preferences sheet: what they
// show of stored values, what OK writes and which refreshers it runs in which order.
#include <QCursor>
#include <QHelpEvent>
#include <QToolTip>

#include "dialogs/PreferencesFixture.h"
#include "platform/framework/ToolTips.h"

namespace {

using PreferencePagesTest = PreferencesFixture;

int SliderPos(CWnd& page, int id) { return static_cast<CSliderCtrl*>(page.GetDlgItem(id))->GetPos(); }
bool Checked(CWnd& page, int id) { return static_cast<CButton*>(page.GetDlgItem(id))->GetCheck() != 0; }

// The tip shown when the mouse rests over control `id` of `owner`.
std::string TipOver(CWnd& owner, int id) {
  QWidget* control = Control(owner, id);
  const QPoint centre = control->rect().center();
  QHelpEvent rest(QEvent::ToolTip, centre, control->mapToGlobal(centre));
  QApplication::sendEvent(control, &rest);
  return QToolTip::text().toStdString();  // the label is shown a moment later
}

// The openers' start pages are checked through the main frame's commands.
TEST_F(PreferencePagesTest, FrontTopLeftOKRefitsEveryScene) {
  PropertySheetPreferences sheet(kPrefsFrontTopLeftPage);
  Run(sheet, [&] {
    Click(*sheet.m_front_top_left_page, 32813);
    Click(sheet, IDOK);
  });
  EXPECT_EQ(Stored(XPref::TRACK_SCENE_EXTENTS), "no");
  EXPECT_FALSE(Globals::GetTrackSceneExtents());
  EXPECT_EQ(calls, std::vector<std::string>{"scene extents"});
}

TEST_F(PreferencePagesTest, TipsAndF1FollowTheControlUnderTheMouse) {
  PropertySheetPreferences sheet(kPrefsInteractivePage);
  Run(sheet, [&] {
    PageInteractivePrefs& page = *sheet.m_interactive_page;
    EXPECT_EQ(TipOver(page, 32797), "Cylinder color");
    EXPECT_EQ(TipOver(sheet, IDOK), "Close and save any changes");
    page.GetDlgItem(32795)->EnableWindow(FALSE);
    EXPECT_EQ(TipOver(page, 32795), "Cylinder radius as % of cylinder length");
    // The group box around a control names no tool; an inactive sheet shows no tips.
    TOOLINFO info;
    EXPECT_EQ(sheet.OnToolHitTest(CPoint(CentreOf(sheet, page, 32797)) + CPoint(0, -20), &info), -1);
    EXPECT_EQ(info.lpszText, nullptr);
    // F1 opens the help of the control under the cursor, else of the page.
    RecordingHelp help;
    QCursor::setPos(Control(page, 32797)->mapToGlobal(QPoint(3, 3)));
    QTest::keyClick(Control(page, 32794), Qt::Key_F1);
    QCursor::setPos(Control(page, 32797)->mapToGlobal(QPoint(3, -20)));
    QTest::keyClick(Control(page, 32794), Qt::Key_F1);
    EXPECT_EQ(help.urls.size(), 2u);
    EXPECT_TRUE(help.Opened(32797 + 0x10000) && help.Opened(10203 + 0x10000));
    sheet.SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(sheet.OnToolHitTest(CentreOf(sheet, page, 32797), &info), -1);
    Click(sheet, IDCANCEL);
  });
}

TEST_F(PreferencePagesTest, StatusBarRateIsClampedForTheSliderAndStoredAsShown) {
  blinkDuration = 250;
  PropertySheetPreferences sheet(kPrefsStatusBarPage);
  Run(sheet, [&] {
    PageStatusBarPrefs& page = *sheet.m_status_bar_page;
    EXPECT_EQ(SliderPos(page, 32814), 500);
    EXPECT_TRUE(Checked(page, 32815));
    EXPECT_FALSE(Checked(page, 32816));
    Click(page, 32816);
    Click(sheet, IDOK);
  });
  EXPECT_EQ(calls, std::vector<std::string>{"status bar 500 blink expand"});
}

TEST_F(PreferencePagesTest, GroundShowsItsDefaultsAndRebuildsBeforeTheTrackSettingChanges) {
  PropertySheetPreferences defaults(kPrefsGroundPage);
  Run(defaults, [&] {
    PageGroundPrefs& page = *defaults.m_ground_page;
    EXPECT_EQ(SliderPos(page, 32822), 5);
    EXPECT_EQ(page.m_ground_color.m_color.GetCOLORREF(), RGB(255, 128, 0));
    EXPECT_FALSE(Checked(page, 32824));
    EXPECT_TRUE(Checked(page, 32825));
    Click(defaults, IDCANCEL);
  });

  Store(XPref::GROUND_NUM_GRID_LINES, "80");
  Store(XPref::GROUND_TRACK_SCENE_EXTENTS, "yes");
  PropertySheetPreferences sheet(kPrefsGroundPage);
  Run(sheet, [&] {
    EXPECT_EQ(SliderPos(*sheet.m_ground_page, 32822), 50);
    Click(*sheet.m_ground_page, 32825);
    Click(sheet, IDOK);
  });
  EXPECT_EQ(Stored(XPref::GROUND_NUM_GRID_LINES), "50");
  EXPECT_EQ(Stored(XPref::GROUND_COLOR), "255128000");
  EXPECT_EQ(calls, std::vector<std::string>{"ground, tracking yes"});
  EXPECT_EQ(Stored(XPref::GROUND_TRACK_SCENE_EXTENTS), "no");
  EXPECT_FALSE(Globals::GetGroundTrackSceneExtents());
}

TEST_F(PreferencePagesTest, CylinderRadiusKeepsItsStoredTenths) {
  const struct {
    const char* stored;
    int shown;
    const char* written;
  } cases[] = {{"0.7", 7, "0.7"}, {"0.15", 1, "0.1"}, {"2.0", 20, "2"}};
  for (const auto& c : cases) {
    Store(XPref::ABOUT_CYL_RADIUS, c.stored);
    PropertySheetPreferences sheet(kPrefsInteractivePage);
    Run(sheet, [&] {
      EXPECT_EQ(SliderPos(*sheet.m_interactive_page, 32795), c.shown) << c.stored;
      Click(sheet, IDOK);
    });
    EXPECT_EQ(Stored(XPref::ABOUT_CYL_RADIUS), c.written) << c.stored;
  }
}

TEST_F(PreferencePagesTest, ARepairedRadiusStaysRepairedWhenCancelled) {
  Store(XPref::ABOUT_CYL_RADIUS, "12");
  PropertySheetPreferences sheet(kPrefsInteractivePage);
  EXPECT_EQ(Stored(XPref::ABOUT_CYL_RADIUS), "12");  // repaired when the page is first shown
  Run(sheet, [&] { Click(sheet, IDCANCEL); });
  EXPECT_EQ(Stored(XPref::ABOUT_CYL_RADIUS), "2.0");
  EXPECT_TRUE(calls.empty());
}

TEST_F(PreferencePagesTest, QualityIsAskedForOnlyWhenTheUserChangedIt) {
  const char* const kQuestion =
      "Changing the Interactive Object Quality can take a long time because all objects in all open scenes may be "
      "reloaded from disk.\n\nAre you sure you want to change it?";
  Store(XPref::OBJECT_QUALITY_BIAS, "-4");
  Store(XPref::MAX_FPS, "12");
  openScenes = 1;
  const auto runInteractive = [&](const std::function<void(PageInteractivePrefs&)>& user) {
    calls.clear();
    boxes.boxes.clear();
    PropertySheetPreferences sheet(kPrefsInteractivePage);
    Run(sheet, [&] {
      user(*sheet.m_interactive_page);
      Click(sheet, IDOK);
    });
  };

  runInteractive([](PageInteractivePrefs& page) { EXPECT_EQ(SliderPos(page, 32817), -3); });
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(Stored(XPref::OBJECT_QUALITY_BIAS), "-4");
  EXPECT_EQ(calls, std::vector<std::string>{"cylinder"});

  boxes.Answer({IDNO});
  runInteractive([](PageInteractivePrefs& page) {
    Press(page, 32817, Qt::Key_Right);
    Press(page, 32805, Qt::Key_Right);
  });
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kQuestion);
  EXPECT_EQ(Stored(XPref::OBJECT_QUALITY_BIAS), "-4");
  EXPECT_EQ(Stored(XPref::MAX_FPS), "13");
  EXPECT_EQ(calls, std::vector<std::string>{"cylinder"});

  openScenes = 0;
  runInteractive([](PageInteractivePrefs& page) { Click(page, 32818); });
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(Stored(XPref::OBJECT_QUALITY_256_COLORS), "no");
  EXPECT_EQ(Stored(XPref::OBJECT_QUALITY_BIAS), "-3");
  EXPECT_FALSE(Globals::GetObjectQuality256Colors());
  EXPECT_EQ(calls, (std::vector<std::string>{"cylinder", "quality"}));
}

}  // namespace
