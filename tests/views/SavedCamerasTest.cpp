// Cameras the program itself wrote come back from the scene's file, its Undo and its Redo as they
// were; the Focus page refuses what a window cannot take, and a damaged file's lens gives way to a
// new window's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "dialogs/DialogTestSupport.h"
#include "dialogs/PropertySheetEditCamera.h"
#include "dialogs/PropertySheetEditObject.h"
#include "platform/framework/RunModal.h"
#include "support/FatalCheck.h"
#include "views/CameraLengths.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::Bytes;
using views_test::DarkPixels;

// A camera's lens as a scene file holds it: focal length, height, orthographic flag, front clipping
// distance.
Bytes LensBytes(double focal, double height, BOOL orthographic, double front) {
  Bytes bytes(25);
  std::memcpy(&bytes[0], &focal, 8);
  std::memcpy(&bytes[8], &height, 8);
  bytes[16] = orthographic ? 1 : 0;
  std::memcpy(&bytes[17], &front, 8);
  return bytes;
}

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
  // `user` acts on the active window's Edit Camera sheet (Ctrl+M) shown at tab `page`; then OK.
  void EditCamera(int page, const std::function<void(PropertySheetEditCamera&)>& user) {
    RunModal(
        [&] {
          Key(Qt::Key_M);
          return 0;
        },
        [&](QDialog* window) {
          auto& sheet = dynamic_cast<PropertySheetEditCamera&>(*CWnd::FromWidget(window));
          ClickTab(window, page);
          user(sheet);
          Click(sheet, IDOK);
        });
  }
  void EditFocus(const std::function<void(PropertySheetEditCamera&)>& user) { EditCamera(kEditCameraFocusPage, user); }

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

// The Camera window turned orthographic (Perspective off, fitting the scene first) over an object
// as wide as Edit Object takes: its height, far past the lens lengths, comes back from Undo and
// Redo, and from the reopened scene with its history.
TEST_F(SavedCameras, AnOrthographicWindowFittedToAHugeSceneKeepsItsHeightThroughAReopenUndoAndRedo) {
  Key(Qt::Key_N);
  DropObject("Cube", *Views(Scene()).at(0));
  RunModal(
      [&] {
        Key(Qt::Key_B);  // Edit Object on the cube, selected as it landed
        return 0;
      },
      [](QDialog* window) {
        auto& sheet = dynamic_cast<PropertySheetEditObject&>(*CWnd::FromWidget(window));
        Type(*sheet.general, 32775, "100000000000");
        Click(sheet, IDOK);
      });
  const auto camera = [&] { return Views(Scene()).at(0)->settings; };
  const CameraFields perspective = camera();
  ASSERT_FALSE(perspective.orthographic);
  boxes.Answer({IDYES});  // fit the scene first
  EditCamera(kEditCameraLensPage, [](PropertySheetEditCamera& sheet) { Click(*sheet.lens, 32830); });
  ASSERT_EQ(boxes.boxes.size(), 1u);
  const CameraFields fitted = camera();
  ASSERT_TRUE(fitted.orthographic);
  ASSERT_GT(fitted.height, 100 * kLargestCameraLength);

  const auto expect = [&](const CameraFields& wanted, const char* after) {
    SCOPED_TRACE(after);
    EXPECT_EQ(camera().orthographic, wanted.orthographic);
    EXPECT_EQ(camera().height, wanted.height);
  };
  Key(Qt::Key_Z);
  expect(perspective, "Undo");
  Key(Qt::Key_Y);
  expect(fitted, "Redo");
  SaveCloseAndReopen("wide.tvr");
  expect(fitted, "the reopen");
  Key(Qt::Key_Z);
  expect(perspective, "Undo after the reopen");
  Key(Qt::Key_Y);
  expect(fitted, "Redo after the reopen");
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

// Lens lengths just past the longest a window keeps, which only a damaged scene file holds, take a
// new window's as File/Open reads them, and the window paints: beyond, the 3D layer's single
// precision cannot hold the projection.
TEST_F(SavedCameras, AFilesLensLengthsPastTheLongestTakeANewWindowsAndTheWindowPaints) {
  Key(Qt::Key_N);
  const CameraFields saved = Views(Scene()).at(0)->settings;
  const CameraFields fresh = X3DView::NewWindowSettings();
  ASSERT_EQ(saved.focal, fresh.focal);
  ASSERT_EQ(saved.front, fresh.front);
  files.Answer({folder / "good.tvr"});
  Key(Qt::Key_S);
  ChooseMenuItem("&File", "&Close");
  const Bytes good = views_test::FileBytes(folder / "good.tvr");
  const Bytes lens = LensBytes(saved.focal, saved.height, saved.orthographic, saved.front);
  const auto at = std::search(good.begin(), good.end(), lens.begin(), lens.end());
  ASSERT_NE(at, good.end());
  ASSERT_EQ(std::search(at + 1, good.end(), lens.begin(), lens.end()), good.end());  // the window's alone

  const struct {
    const char* name;
    BOOL orthographic;
    double focal;
    double front;
  } cases[] = {
      {"orthographic, front 5e9", TRUE, saved.focal, 5e9},
      {"front 1e35", FALSE, saved.focal, 1e35},
      {"focal length 5e9", FALSE, 5e9, saved.front},
      {"focal length 1e35", FALSE, 1e35, saved.front},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes damaged = good;
    const Bytes patch = LensBytes(c.focal, saved.height, c.orthographic, c.front);
    std::copy(patch.begin(), patch.end(), damaged.begin() + (at - good.begin()));
    const std::string path = folder / "damaged.tvr";
    views_test::WriteBytes(path, damaged);
    boxes.boxes.clear();
    std::string fatal;
    try {
      files.Answer({path});
      Key(Qt::Key_O);
      ASSERT_EQ(app.CountOpenScenes(), 1);
      for (X3DView* view : Views(Scene())) view->GetWidget()->repaint();
    } catch (const FatalCheckFailed& failure) {
      fatal = failure.report.expression;
    }
    EXPECT_EQ(fatal, "");
    EXPECT_TRUE(boxes.boxes.empty());
    ASSERT_EQ(app.CountOpenScenes(), 1);
    const CameraFields& read = Views(Scene()).at(0)->settings;
    EXPECT_EQ(read.orthographic, c.orthographic);
    EXPECT_EQ(read.focal, fresh.focal);
    EXPECT_EQ(read.front, fresh.front);
    ChooseMenuItem("&File", "&Close");
  }
}

}  // namespace
