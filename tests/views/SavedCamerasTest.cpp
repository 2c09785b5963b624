// Cameras the program itself wrote come back from the scene's file, its Undo and its Redo as they
// were; the Focus page refuses what a window cannot take.
#include <gtest/gtest.h>

#include <utility>

#include "dialogs/DialogTestSupport.h"
#include "dialogs/PropertySheetEditCamera.h"
#include "dialogs/PropertySheetEditObject.h"
#include "platform/framework/RunModal.h"
#include "views/CameraLengths.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::DarkPixels;

struct SavedCameras : views_test::SceneWindows {
  // Saved under `name` (Ctrl+S answered in its file dialog), closed with File/Close and opened
  // again from the recent scenes of the File menu.
  void SaveCloseAndReopen(const std::string& name) {
    files.Answer({folder / name});
    Key(Qt::Key_S);
    ChooseMenuItem("&File", "&Close");
    ASSERT_EQ(app.CountOpenScenes(), 0);
    ChooseMenuItem("&File", "&1 ");
    ASSERT_EQ(app.CountOpenScenes(), 1);
  }
  // `user` acts on the active window's Edit Camera sheet (Ctrl+M) shown at its Focus tab; then OK.
  void EditFocus(const std::function<void(PropertySheetEditCamera&)>& user) {
    RunModal(
        [&] {
          Key(Qt::Key_M);
          return 0;
        },
        [&](QDialog* window) {
          auto& sheet = dynamic_cast<PropertySheetEditCamera&>(*CWnd::FromWidget(window));
          ClickTab(window, kEditCameraFocusPage);
          user(sheet);
          Click(sheet, IDOK);
        });
  }

  ScriptedFileDialogs files;
};

// The Front, Top and Left windows follow the scene's extent: an object made as wide as Edit Object
// takes puts their cameras farther off than their perspective reaches, where the reopened scene
// keeps them, showing the background, and Undo refits them.
TEST_F(SavedCameras, WindowsFittedToAnObjectMadeHugeShowTheSamePicturesAfterAReopenAndItsUndo) {
  Key(Qt::Key_N);
  const auto groups = Scene().GetScene()->GetGroups().GetCount();
  for (const char* name : {"Cube", "Dog"}) DropObject(name, *Views(Scene()).at(0));
  ASSERT_EQ(Scene().GetScene()->GetGroups().GetCount(), groups + 2);
  Key(Qt::Key_R);  // Front, Top and Left windows
  const std::vector<std::vector<BYTE>> small = FixedWindowPictures(Scene());
  ASSERT_EQ(small.size(), 3u);
  for (const std::vector<BYTE>& picture : small) EXPECT_GT(DarkPixels(picture), 20);
  RunModal(
      [&] {
        Key(Qt::Key_B);  // Edit Object on the Dog, selected as it landed
        return 0;
      },
      [](QDialog* window) {
        auto& sheet = dynamic_cast<PropertySheetEditObject&>(*CWnd::FromWidget(window));
        Type(*sheet.general, 32775, "100000000000");
        Click(sheet, IDOK);
      });
  for (X3DView* view : Views(Scene()))
    EXPECT_TRUE(view->settings.windowKind == 0 || view->settings.height > kLargestCameraLength);
  const std::vector<std::vector<BYTE>> huge = FixedWindowPictures(Scene());
  ASSERT_TRUE(huge != small);

  SaveCloseAndReopen("huge.tvr");
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(FixedWindowPictures(Scene()) == huge);
  Key(Qt::Key_Z);
  EXPECT_TRUE(FixedWindowPictures(Scene()) == small);
}

// The edges of the Focus page's distance and sensitivity, through Undo, Redo, a save and the
// saved history; a sensitivity of 0, which the depth cue cannot divide by, is refused.
TEST_F(SavedCameras, TheFocusPagesEdgeValuesComeBackThroughUndoRedoAndAReopen) {
  struct Case {
    const char* focus;
    const char* refused;  // typed first as the sensitivity, or none
    const char* sensitivity;
    double focusAfter;
    BYTE sensitivityAfter;
  } cases[] = {
      {"0", "0", "8", 0.0, 8},
      {"10000000000", nullptr, "1", 1e10, 1},
  };
  const auto lens = [](XDocument& doc) {
    const CameraFields& camera = Views(doc).at(0)->settings;
    return std::pair(camera.focus, camera.linearSensitivity);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.focus);
    Key(Qt::Key_N);
    const auto before = lens(Scene());
    boxes.boxes.clear();
    EditFocus([&](PropertySheetEditCamera& sheet) {
      PageEditCameraFocus& page = *sheet.focus;
      Type(page, 32832, "8");  // off "Perfect Clarity", which has no distance
      Type(page, 32833, c.focus);
      Click(page, 32834);  // Auto Focus Object, with "Depth cue enhanced" on: its sensitivity
      if (c.refused) {
        Type(page, 32837, c.refused);
        Click(sheet, IDOK);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, "Please enter an integer between 1 and 8.");
      }
      Type(page, 32837, c.sensitivity);
    });
    EXPECT_EQ(boxes.boxes.size(), c.refused ? 1u : 0u);
    const std::pair edited(c.focusAfter, c.sensitivityAfter);
    EXPECT_EQ(lens(Scene()), edited);
    Key(Qt::Key_Z);
    EXPECT_EQ(lens(Scene()), before);
    Key(Qt::Key_Y);
    EXPECT_EQ(lens(Scene()), edited);

    SaveCloseAndReopen(std::string("focus") + c.focus + ".tvr");
    EXPECT_EQ(lens(Scene()), edited);
    Key(Qt::Key_Z);
    EXPECT_EQ(lens(Scene()), before);
    Key(Qt::Key_Y);
    EXPECT_EQ(lens(Scene()), edited);
    Scene().OnCloseDocument();
  }
}

}  // namespace
