// The Preferences sheet with its General and Undo pages: repairs when it is built, the start page,
// only the pages brought up write on OK, and the pages' own checks and questions.
#include <optional>
#include <string>
#include <vector>

#include "dialogs/PreferencesFixture.h"
#include "platform/win/ProfileStore.h"

namespace {

using PreferencesTest = PreferencesFixture;

TEST_F(PreferencesTest, BuildingTheSheetRepairsStoredValuesEvenWhenCancelled) {
  Store(XPref::NUM_MRU, "20");
  Store(XPref::MAXUNDOTOKEEP, "-3");
  PropertySheetPreferences sheet(kPrefsGeneralPage);
  Run(sheet, [&] {
    CString shown;
    sheet.m_general_page->GetDlgItem(32798)->GetWindowText(shown);
    EXPECT_EQ(shown.str(), "8");
    Click(sheet, IDCANCEL);
  });
  EXPECT_EQ(Stored(XPref::NUM_MRU), "8");
  EXPECT_EQ(Stored(XPref::MAXUNDOTOKEEP), "2147483647");
  EXPECT_TRUE(reloaded.empty());
}

TEST_F(PreferencesTest, OKAppliesOnlyThePagesThatWereShown) {
  Store(XPref::NUM_MRU, "4");
  {
    PropertySheetPreferences sheet(kPrefsGeneralPage);
    Run(sheet, [&] {
      EXPECT_EQ(sheet.GetActivePage(), sheet.m_general_page.get());
      Type(*sheet.m_general_page, 32798, "0");
      Click(sheet, IDOK);
    });
  }
  EXPECT_EQ(Stored(XPref::NUM_MRU), "0");
  EXPECT_EQ(reloaded, std::vector<UINT>{0});
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(doc.IsModified());

  PropertySheetPreferences sheet(kPrefsUndoPage);
  Run(sheet, [&] {
    EXPECT_EQ(sheet.GetActivePage(), sheet.m_undo_page.get());
    Type(*sheet.m_undo_page, 32801, "7");
    Click(sheet, IDOK);
  });
  EXPECT_EQ(reloaded.size(), 1u);
  EXPECT_EQ(doc.GetHistory().GetMaxUndo(), 7);
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(PreferencesTest, RecentScenesAbove16AreRefusedAndTheSheetStaysOpen) {
  PropertySheetPreferences sheet(kPrefsGeneralPage);
  Run(sheet, [&] {
    Type(*sheet.m_general_page, 32798, "17");
    Click(sheet, IDOK);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Please enter an integer between 0 and 16.");
    Click(sheet, IDCANCEL);
  });
  EXPECT_TRUE(reloaded.empty());
}

TEST_F(PreferencesTest, TurningUndoOffForNewScenesAsksFirst) {
  Store(XPref::MAXUNDOTOKEEP, "50");
  boxes.Answer({IDNO});
  PropertySheetPreferences declined(kPrefsUndoPage);
  Run(declined, [&] {
    Type(*declined.m_undo_page, 32800, "0");
    Click(declined, IDOK);
  });
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Are you sure you want to turn off undo and redo?");
  EXPECT_EQ(Stored(XPref::MAXUNDOTOKEEP), "50");

  boxes.Answer({IDYES});
  PropertySheetPreferences accepted(kPrefsUndoPage);
  Run(accepted, [&] {
    Type(*accepted.m_undo_page, 32800, "0");
    Click(accepted, IDOK);
  });
  EXPECT_EQ(Stored(XPref::MAXUNDOTOKEEP), "0");
}

TEST_F(PreferencesTest, CopyImageWidthSurvivesUnitSwitchesAndIsCheckedInTheUnitShown) {
  Store(XPref::DISPLAY_WIDTH, "1500");
  PropertySheetPreferences sheet(kPrefsCopyImagePage);
  EXPECT_EQ(Stored(XPref::DISPLAY_WIDTH), "10.5");
  PageCopyImagePrefs& page = *sheet.m_copy_image_page;
  Run(sheet, [&] {
    EXPECT_EQ(Text(page, 32848), "75");
    EXPECT_FALSE(page.GetDlgItem(32848)->IsWindowEnabled());
    Click(page, 32851);
    EXPECT_TRUE(page.GetDlgItem(32848)->IsWindowEnabled());
    EXPECT_EQ(Text(page, 32849), "10.5");
    Press(page, 32850, Qt::Key_Down);
    EXPECT_EQ(Text(page, 32849), "26.67");
    Press(page, 32850, Qt::Key_Up);
    EXPECT_EQ(Text(page, 32849), "10.5");
    Type(page, 32849, "1");
    Press(page, 32850, Qt::Key_Down);
    EXPECT_EQ(Text(page, 32849), "2.54");
    Press(page, 32850, Qt::Key_Up);
    EXPECT_EQ(Text(page, 32849), "1");
    Press(page, 32850, Qt::Key_Down);
    Type(page, 32849, "30.48");
    Click(sheet, IDOK);
  });
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(Stored(XPref::DISPLAY_WIDTH), "12");
  EXPECT_EQ(Stored(XPref::USE_DPI), "yes");
}

TEST_F(PreferencesTest, CopyImageWidthInCentimetresKeepsTheCentimetreRange) {
  Store(XPref::DISPLAY_WIDTH, "10.5");
  PropertySheetPreferences sheet(kPrefsCopyImagePage);
  PageCopyImagePrefs& page = *sheet.m_copy_image_page;
  Run(sheet, [&] {
    Press(page, 32850, Qt::Key_Down);
    Type(page, 32849, "2");
    Click(sheet, IDOK);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Please enter a number between 2.54 and 3048.");
    Click(sheet, IDCANCEL);
  });
  EXPECT_EQ(Stored(XPref::DISPLAY_WIDTH), "10.5");
}

// Passes everything on to the store it replaces and records the keys written in one section.
class RecordingProfile final : public ProfileStore {
 public:
  explicit RecordingProfile(std::string section)
      : section_(std::move(section)), inner_(CurrentProfileStore()), previous_(SetProfileStore(this)) {}
  ~RecordingProfile() override { SetProfileStore(previous_); }
  RecordingProfile(const RecordingProfile&) = delete;
  RecordingProfile& operator=(const RecordingProfile&) = delete;

  std::vector<std::string> written;  // "key=value"

 protected:
  std::optional<std::string> Read(std::string_view section, std::string_view key) override {
    const std::string none = "\x01";
    std::string value = inner_.GetProfileString(section, key, none);
    return value == none ? std::nullopt : std::optional(value);
  }
  bool Write(std::string_view section, std::string_view key, std::string_view value) override {
    if (section == section_) written.push_back(std::string(key) + "=" + std::string(value));
    return inner_.WriteProfileString(section, key, value);
  }

 private:
  std::string section_;
  ProfileStore& inner_;
  ProfileStore* previous_;
};

TEST_F(PreferencesTest, NewSceneCameraStartsFromTheDefaultsAndWritesItsKeysInOrder) {
  Store(XPref::FOCAL, "-1");
  PropertySheetPreferences sheet(kPrefsNewSceneCameraPage);
  EXPECT_EQ(Stored(XPref::FOCAL), "0.050");
  PageNewSceneCameraPrefs& page = *sheet.m_new_scene_camera_page;
  std::optional<RecordingProfile> recorder;
  Run(sheet, [&] {
    EXPECT_EQ(page.m_focalSlider.GetPos(), 50);
    EXPECT_EQ(Text(page, 32829), "50");  // not the stored float's 50.0000007
    EXPECT_EQ(page.m_fstopSlider.GetPos(), FocusControls::kPerfectClarity);
    EXPECT_FALSE(page.GetDlgItem(32833)->IsWindowEnabled());
    EXPECT_EQ(page.m_colorButton.m_color.GetCOLORREF(), RGB(192, 192, 192));
    Type(page, 32829, "35");
    Click(page, 32834);  // auto focus, with depth cue on by default
    Type(page, 32837, "200");
    Click(page, 32830);  // perspective off: only the colour stays
    for (const int id : {32828, 32829, 32831, 32832, 32833, 32834, 32837, 1132})
      EXPECT_FALSE(page.GetDlgItem(id)->IsWindowEnabled());
    EXPECT_TRUE(page.GetDlgItem(32827)->IsWindowEnabled());
    recorder.emplace(XString(XPref::FOCAL.section).str());
    Click(sheet, IDOK);
  });
  EXPECT_TRUE(boxes.boxes.empty());
  const auto key = [](const XPrefKey& k, const char* value) { return XString(k.key).str() + "=" + value; };
  EXPECT_EQ(recorder->written,
            (std::vector<std::string>{key(XPref::FOCAL, "0.035"), key(XPref::ORTHOGRAPHIC, "yes"),
                                      key(XPref::BACKGROUND_COLOR, "192192192"),
                                      key(XPref::AUTO_FOCUS_SELECTED, "yes"), key(XPref::AUTO_APERTURE, "no"),
                                      key(XPref::LINEAR_MODEL, "yes"), key(XPref::LINEAR_MODEL_SENSITIVITY, "200"),
                                      key(XPref::FOCUS, "1"), key(XPref::FSTOP, "0")}));
}
}  // namespace
