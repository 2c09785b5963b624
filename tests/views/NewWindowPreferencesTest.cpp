// The settings of new camera windows as a preferences file edited by hand gives them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/PreferenceKeys.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

// The user's preferences file replaced by `text`, as an editor saves it.
void WritePreferences(const std::string& text) {
  const std::filesystem::path file = std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "Ulmric/Tavrolin.ini";
  const std::filesystem::path edited = file.string() + ".edited";
  std::ofstream(edited) << text;
  std::filesystem::rename(edited, file);
}

// A focal length, orthographic height or front clipping distance that some camera window could
// not render with is read as the default (and the file repaired); one that every window can render
// with is kept. The new scene's Camera window and its Front, Top and Left windows then render, on
// the screen and off it.
TEST_F(SceneWindows, CameraLengthsEditedByHandAreReadIntoTheRangeEveryWindowRendersWith) {
  const struct {
    const XPrefKey& key;
    double CameraFields::*member;
    const char* stored;
    const char* orthographic;
    bool kept;
  } cases[] = {
      {XPref::FRONT, &CameraFields::front, "0.1", "no", true},
      {XPref::FRONT, &CameraFields::front, "2e-9", "no", true},
      {XPref::FRONT, &CameraFields::front, "1e-10", "no", false},
      {XPref::FRONT, &CameraFields::front, "1e-45", "no", false},  // the perspective field rounds to zero
      {XPref::FRONT, &CameraFields::front, "1e9", "yes", true},
      {XPref::FRONT, &CameraFields::front, "1e9", "no", true},
      {XPref::FRONT, &CameraFields::front, "1.1e9", "yes", false},
      {XPref::FRONT, &CameraFields::front, "2.2e9", "yes", false},  // the orthographic back plane is the front
      {XPref::FRONT, &CameraFields::front, "1e30", "no", false},
      {XPref::FRONT, &CameraFields::front, "6.9e34", "no", false},  // the perspective back plane overflows
      {XPref::FRONT, &CameraFields::front, "1e38", "yes", false},
      {XPref::FRONT, &CameraFields::front, "1e38", "no", false},
      {XPref::FRONT, &CameraFields::front, "inf", "no", false},
      {XPref::FRONT, &CameraFields::front, "nan", "yes", false},
      {XPref::FOCAL, &CameraFields::focal, "2e-9", "no", true},
      {XPref::FOCAL, &CameraFields::focal, "1e-10", "no", false},
      {XPref::FOCAL, &CameraFields::focal, "1e-44", "no", false},  // the perspective field overflows
      {XPref::FOCAL, &CameraFields::focal, "1e9", "no", true},
      {XPref::FOCAL, &CameraFields::focal, "1e38", "no", false},
      {XPref::HEIGHT, &CameraFields::height, "2e-9", "yes", true},
      {XPref::HEIGHT, &CameraFields::height, "1e-45", "yes", false},  // the orthographic field rounds to zero
      {XPref::HEIGHT, &CameraFields::height, "1e9", "yes", true},
      {XPref::HEIGHT, &CameraFields::height, "3e38", "yes", false},
  };
  for (const auto& c : cases) {
    const std::string key = XString(c.key.key).str(), defaultText = XString(c.key.defaultId).str();
    SCOPED_TRACE(key + "=" + c.stored + (*c.orthographic == 'y' ? " orthographic" : " perspective"));
    WritePreferences(std::string("[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n"
                                 "[NewNonClonedCameraWindows]\nCameraOrthographicProjectionMode(yes/no)=") +
                     c.orthographic + "\n" + key + "=" + c.stored + "\n");
    Key(Qt::Key_N);
    Key(Qt::Key_R);  // Front, Top and Left
    const std::vector<X3DView*> views = Views(Scene());
    ASSERT_EQ(views.size(), 4u);
    for (X3DView* view : views) {
      EXPECT_EQ(view->settings.*c.member, static_cast<float>(std::stod(c.kept ? c.stored : defaultText)));
      view->Invalidate();
      QApplication::processEvents();
      EXPECT_EQ(view->RenderBitmapFile(64, 48, false).size(), 54u + 64 * 48 * 3);
    }
    EXPECT_EQ(XGetPrefString(c.key.section, c.key.key, "").str(), c.kept ? c.stored : defaultText);
    Scene().OnCloseDocument();
  }
}

// A focus or f-stop written by hand past what a scene file keeps is read as the default (and the
// file repaired), as is a focus of 0; one a scene keeps reaches every window of a new scene, its
// file, and the windows of that file reopened where new windows get other values.
TEST_F(SceneWindows, FocusAndFStopEditedByHandAreReadIntoTheRangeASceneKeeps) {
  const struct {
    const XPrefKey& key;
    double CameraFields::*member;
    const char* stored;
    bool kept;
  } cases[] = {
      {XPref::FOCUS, &CameraFields::focus, "1e10", true},
      {XPref::FOCUS, &CameraFields::focus, "1.1e10", false},
      {XPref::FOCUS, &CameraFields::focus, "1e11", false},
      {XPref::FOCUS, &CameraFields::focus, "inf", false},
      {XPref::FOCUS, &CameraFields::focus, "0", false},
      {XPref::FSTOP, &CameraFields::fstop, "0", true},
      {XPref::FSTOP, &CameraFields::fstop, "1e9", true},
      {XPref::FSTOP, &CameraFields::fstop, "2e9", false},
      {XPref::FSTOP, &CameraFields::fstop, "1e38", false},
      {XPref::FSTOP, &CameraFields::fstop, "-1", false},
  };
  const std::string header = "[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n[NewNonClonedCameraWindows]\n";
  const std::string otherHome = header + XString(XPref::FOCUS.key).str() + "=3\n" + XString(XPref::FSTOP.key).str() + "=4\n";
  for (const auto& c : cases) {
    const std::string key = XString(c.key.key).str(), defaultText = XString(c.key.defaultId).str();
    const std::string expectedText = c.kept ? c.stored : defaultText;
    const double expected = std::stod(expectedText);
    SCOPED_TRACE(key + "=" + c.stored);
    WritePreferences(header + key + "=" + c.stored + "\n");
    Key(Qt::Key_N);
    Key(Qt::Key_R);  // Front, Top and Left
    ASSERT_EQ(Views(Scene()).size(), 4u);
    for (X3DView* view : Views(Scene())) EXPECT_EQ(view->settings.*c.member, expected);
    EXPECT_EQ(XGetPrefString(c.key.section, c.key.key, "").str(), expectedText);

    const std::string path = Save(Scene());
    WritePreferences(otherHome);  // a value the file lost would come back as these
    XDocument* reopened = Reopen(Scene(), path);
    ASSERT_NE(reopened, nullptr);
    ASSERT_EQ(Views(*reopened).size(), 4u);
    for (X3DView* view : Views(*reopened)) EXPECT_EQ(view->settings.*c.member, expected);
    reopened->OnCloseDocument();
  }
}

}  // namespace
