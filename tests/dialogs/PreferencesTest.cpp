// The Preferences sheet: repairs, only shown pages write, and each page's values, checks and refreshers.
#include <QCursor>
#include <optional>

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "dialogs/DialogServices.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/PropertySheetPreferences.h"
#include "platform/win/ProfileStore.h"

namespace {

// A preference store of the test's own, before anything reads preferences; the globals follow it.
// Once `section` is set it lists that section's writes, "key=value", in their order.
struct OwnStore : DialogApp, ProfileStore {
  OwnStore() : previous(SetProfileStore(this)) { InitGlobals(); }
  ~OwnStore() override { SetProfileStore(previous); }
  std::optional<std::string> Read(std::string_view section, std::string_view key) override {
    const std::string none = "\x01";
    std::string value = memory.GetProfileString(section, key, none);
    return value == none ? std::nullopt : std::optional(value);
  }
  bool Write(std::string_view in, std::string_view key, std::string_view value) override {
    if (in == section) written.push_back(std::string(key) + "=" + std::string(value));
    return memory.WriteProfileString(in, key, value);
  }

  MemoryProfileStore memory;
  ProfileStore* previous;
  std::string section;
  std::vector<std::string> written;
};

// The application's refreshers are recorded in the order they run.
class PreferencesTest : public OwnStore, public document_test::SceneFixture, public DialogServices {
 protected:
  PreferencesTest() : previous_(SetDialogServices(this)) {}
  ~PreferencesTest() override {
    SetDialogServices(previous_);
    QCoreApplication::processEvents();  // the cursor's moves, before the application goes
  }

  void ReloadRecentFileList(UINT count) override { calls.push_back("recent " + std::to_string(count)); }
  XDocument* GetActiveDocument() override { return &doc; }
  void GetStatusBarPrefs(DWORD* duration, BOOL* blink, BOOL* expand) override {
    *duration = 250;  // below the slider's range
    *blink = TRUE;
    *expand = FALSE;
  }
  void SetStatusBarPrefs(DWORD duration, BOOL blink, BOOL expand) override {
    calls.push_back("status bar " + std::to_string(duration) + (blink ? " blink" : "") + (expand ? " expand" : ""));
  }
  void UpdateAllSceneExtents() override { calls.emplace_back("scene extents"); }
  void LoadGroundPrefs() override { calls.push_back("ground, tracking " + Stored(XPref::GROUND_TRACK_SCENE_EXTENTS)); }
  void LoadAboutCylinderPrefs() override { calls.emplace_back("cylinder"); }
  int CountOpenScenes() override { return openScenes; }
  void ApplyObjectQualityAll() override { calls.emplace_back("quality"); }

  static void Store(const XPrefKey& key, const char* text) {
    XWritePrefString(key.section, key.key, text);
    InitGlobals();
  }
  static std::string Stored(const XPrefKey& key) { return XGetPrefString(key.section, key.key, "").str(); }

  std::vector<std::string> calls;
  int openScenes = 0;
  ScriptedMessageBoxes boxes;

 private:
  DialogServices* previous_;
};

// Only the shown page applies: the recent scenes are reloaded and no other refresher runs.
TEST_F(PreferencesTest, BuildingTheSheetRepairsStoredValuesAndRecentScenesStopAt16) {
  Store(XPref::NUM_MRU, "20");
  PropertySheetPreferences sheet(kPrefsGeneralPage);
  EXPECT_EQ(Stored(XPref::NUM_MRU), "8");
  RunThenPress(sheet, [&](QDialog*) {
    Type(*sheet.m_general_page, 32798, "17");
    Click(sheet, IDOK);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Please enter an integer between 0 and 16.");
    Type(*sheet.m_general_page, 32798, "16");
  });
  EXPECT_EQ(Stored(XPref::NUM_MRU), "16");
  EXPECT_EQ(calls, std::vector<std::string>{"recent 16"});
  EXPECT_FALSE(doc.IsModified());
}

// The active scene takes its own limit; turning undo off for new scenes asks first.
TEST_F(PreferencesTest, TurningUndoOffForNewScenesAsksFirst) {
  Store(XPref::MAXUNDOTOKEEP, "50");
  for (const int answer : {IDNO, IDYES}) {
    boxes.Answer({answer});
    PropertySheetPreferences sheet(kPrefsUndoPage);
    RunThenPress(sheet, [&](QDialog*) {
      Type(*sheet.m_undo_page, 32800, "0");
      Type(*sheet.m_undo_page, 32801, "7");
    });
    ASSERT_EQ(boxes.boxes.size(), answer == IDNO ? 1u : 2u);
    EXPECT_EQ(boxes.boxes.back().text, "Are you sure you want to turn off undo and redo?");
    EXPECT_EQ(Stored(XPref::MAXUNDOTOKEEP), answer == IDYES ? "0" : "50");
  }
  EXPECT_EQ(doc.GetHistory().GetMaxUndo(), 7);
  EXPECT_TRUE(doc.IsModified());
}

// Both limits take 0..2147483647; 0 for the active scene turns its undo off after the question.
TEST_F(PreferencesTest, UndoLimitsAreCheckedAtTheirBounds) {
  PropertySheetPreferences sheet(kPrefsUndoPage);
  boxes.Answer({IDOK, IDOK, IDYES});
  RunThenPress(sheet, [&](QDialog*) {
    for (const int id : {32800, 32801}) {
      Type(*sheet.m_undo_page, id, "2147483648");
      Click(sheet, IDOK);
      Type(*sheet.m_undo_page, id, "2147483647");
    }
    Type(*sheet.m_undo_page, 32801, "0");
  });
  ASSERT_EQ(boxes.boxes.size(), 3u);
  EXPECT_EQ(boxes.boxes[0].text, boxes.boxes[1].text);
  EXPECT_EQ(boxes.boxes[0].text.find("Please enter an integer"), 0u);
  EXPECT_EQ(boxes.boxes[2].text, "Are you sure you want to turn off undo and redo?");
  EXPECT_EQ(Stored(XPref::MAXUNDOTOKEEP), "2147483647");
  EXPECT_EQ(doc.GetHistory().GetMaxUndo(), 0);
}

TEST_F(PreferencesTest, CopyImageKeepsAStoredDpiUntilOKAndTheWidthIsCheckedInTheUnitShown) {
  Store(XPref::COPY_IMAGE_DPI, "5000");
  {
    PropertySheetPreferences cancelled(kPrefsCopyImagePage);
    RunThenPress(
        cancelled, [&](QDialog*) { EXPECT_EQ(TextOf(*cancelled.m_copy_image_page, 32848), "5000"); }, IDCANCEL);
  }
  EXPECT_EQ(Stored(XPref::COPY_IMAGE_DPI), "5000");
  EXPECT_TRUE(boxes.boxes.empty());
  Store(XPref::COPY_IMAGE_DPI, "75");

  PropertySheetPreferences sheet(kPrefsCopyImagePage);
  PageCopyImagePrefs& page = *sheet.m_copy_image_page;
  RunThenPress(sheet, [&](QDialog*) {
    EXPECT_EQ(TextOf(page, 32849), "10.5");
    Press(page, 32850, Qt::Key_Down);
    EXPECT_EQ(TextOf(page, 32849), "26.67");
    Press(page, 32850, Qt::Key_Up);
    EXPECT_EQ(TextOf(page, 32849), "10.5");
    Press(page, 32850, Qt::Key_Down);
    Type(page, 32849, "2");  // in centimetres: below the range
    Click(sheet, IDOK);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Please enter a number between 2.54 and 3048.");
    EXPECT_EQ(Stored(XPref::DISPLAY_WIDTH), "10.5");
    Type(page, 32849, "30.48");
  });
  EXPECT_EQ(Stored(XPref::DISPLAY_WIDTH), "12");
}

TEST_F(PreferencesTest, NewSceneCameraStartsFromTheDefaultsAndWritesItsKeysInOrder) {
  PropertySheetPreferences sheet(kPrefsNewSceneCameraPage);
  PageNewSceneCameraPrefs& page = *sheet.m_new_scene_camera_page;
  RunThenPress(sheet, [&](QDialog*) {
    EXPECT_EQ(TextOf(page, 32829), "50");  // not the stored float's 50.0000007
    Type(page, 32829, "35");
    Click(page, 32834);  // auto focus, with depth cue on by default
    Type(page, 32837, "200");
    Click(page, 32830);  // perspective off
    section = XString(XPref::FOCAL.section).str();
  });
  const auto key = [](const XPrefKey& k, const char* value) { return XString(k.key).str() + "=" + value; };
  EXPECT_EQ(written,
            (std::vector<std::string>{key(XPref::FOCAL, "0.035"), key(XPref::ORTHOGRAPHIC, "yes"),
                                      key(XPref::BACKGROUND_COLOR, "192192192"),
                                      key(XPref::AUTO_FOCUS_SELECTED, "yes"), key(XPref::AUTO_APERTURE, "no"),
                                      key(XPref::LINEAR_MODEL, "yes"), key(XPref::LINEAR_MODEL_SENSITIVITY, "200"),
                                      key(XPref::FOCUS, "1"), key(XPref::FSTOP, "0")}));
}

// Slider values are clamped and stored as shown; the ground is rebuilt before its track setting changes.
TEST_F(PreferencesTest, FrontTopLeftGroundAndStatusBarRunTheirRefreshersInPageOrder) {
  Store(XPref::GROUND_NUM_GRID_LINES, "80");
  Store(XPref::GROUND_TRACK_SCENE_EXTENTS, "yes");
  PropertySheetPreferences sheet(kPrefsFrontTopLeftPage);
  RunThenPress(sheet, [&](QDialog* window) {
    Click(*sheet.m_front_top_left_page, 32813);
    ClickTab(window, kPrefsGroundPage);
    EXPECT_EQ(SliderPos(*sheet.m_ground_page, 32822), 50);
    EXPECT_EQ(sheet.m_ground_page->m_ground_color.m_color.GetCOLORREF(), RGB(255, 128, 0));
    Click(*sheet.m_ground_page, 32825);
    ClickTab(window, kPrefsStatusBarPage);
    EXPECT_EQ(SliderPos(*sheet.m_status_bar_page, 32814), 500);
    Click(*sheet.m_status_bar_page, 32816);
  });
  EXPECT_EQ(Stored(XPref::TRACK_SCENE_EXTENTS), "no");
  EXPECT_EQ(Stored(XPref::GROUND_NUM_GRID_LINES), "50");
  EXPECT_EQ(Stored(XPref::GROUND_COLOR), "255128000");
  EXPECT_EQ(Stored(XPref::GROUND_TRACK_SCENE_EXTENTS), "no");
  EXPECT_EQ(calls, (std::vector<std::string>{"scene extents", "ground, tracking yes", "status bar 500 blink expand"}));
}

// The radius keeps its stored tenths; one out of range is repaired once the page shows, also on Cancel.
TEST_F(PreferencesTest, InteractiveKeepsRadiusTenthsAsksForQualityOnlyWhenChangedAndF1FollowsTheMouse) {
  const auto runInteractive = [&](const std::function<void(PageInteractivePrefs&)>& user, int button = IDOK) {
    calls.clear();
    boxes.boxes.clear();
    PropertySheetPreferences sheet(kPrefsInteractivePage);
    RunThenPress(sheet, [&](QDialog*) { user(*sheet.m_interactive_page); }, button);
  };
  Store(XPref::ABOUT_CYL_RADIUS, "0.7");
  runInteractive([](PageInteractivePrefs& page) { EXPECT_EQ(SliderPos(page, 32795), 7); });
  EXPECT_EQ(Stored(XPref::ABOUT_CYL_RADIUS), "0.7");
  // F1 opens the help of the control under the cursor, else of the page.
  RecordingHelp help;
  Store(XPref::ABOUT_CYL_RADIUS, "12");
  runInteractive(
      [](PageInteractivePrefs& page) {
        for (const int y : {3, -20}) {  // over the control, then over its group box
          QCursor::setPos(Control(page, 32797)->mapToGlobal(QPoint(3, y)));
          QTest::keyClick(Control(page, 32794), Qt::Key_F1);
        }
      },
      IDCANCEL);
  EXPECT_EQ(Stored(XPref::ABOUT_CYL_RADIUS), "2.0");
  EXPECT_EQ(help.pages.size(), 2u);
  EXPECT_TRUE(help.Opened(32797 + 0x10000) && help.Opened(10203 + 0x10000));

  const char* const kQuestion =
      "Changing the Interactive Object Quality can take a long time because all objects in all open scenes may be "
      "reloaded from disk.\n\nAre you sure you want to change it?";
  Store(XPref::OBJECT_QUALITY_BIAS, "-4");
  openScenes = 1;
  runInteractive([](PageInteractivePrefs& page) { EXPECT_EQ(SliderPos(page, 32817), -3); });
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(Stored(XPref::OBJECT_QUALITY_BIAS), "-4");
  EXPECT_EQ(calls, std::vector<std::string>{"cylinder"});

  boxes.Answer({IDNO});
  runInteractive([](PageInteractivePrefs& page) {
    Press(page, 32817, Qt::Key_Right);
  });
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kQuestion);
  EXPECT_EQ(Stored(XPref::OBJECT_QUALITY_BIAS), "-4");

  openScenes = 0;
  runInteractive([](PageInteractivePrefs& page) { Click(page, 32818); });
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(Stored(XPref::OBJECT_QUALITY_256_COLORS), "no");
  EXPECT_EQ(Stored(XPref::OBJECT_QUALITY_BIAS), "-3");
  EXPECT_FALSE(Globals::GetObjectQuality256Colors());
  EXPECT_EQ(calls, (std::vector<std::string>{"cylinder", "quality"}));
}

}  // namespace
