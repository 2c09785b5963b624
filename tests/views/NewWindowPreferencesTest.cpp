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

// A front clipping distance that some camera window could not render with is read as the default
// (and the file repaired); one that every window can render with is kept. The new scene's Camera
// window and its Front, Top and Left windows then render, on the screen and off it.
TEST_F(SceneWindows, AFrontClippingDistanceEditedByHandIsReadIntoTheRangeEveryWindowRendersWith) {
  const struct {
    const char* stored;
    const char* orthographic;
    double front;  // read as single precision
  } cases[] = {
      {"0.1", "no", 0.1f},
      {"2e-9", "no", 2e-9f},
      {"1e-10", "no", 0.1f},
      {"1e-45", "no", 0.1f},  // the perspective field rounds to zero
      {"1e9", "yes", 1e9f},
      {"1e9", "no", 1e9f},
      {"1.1e9", "yes", 0.1f},
      {"2.2e9", "yes", 0.1f},  // the orthographic back plane rounds to the front
      {"1e30", "no", 0.1f},
      {"6.9e34", "no", 0.1f},  // the perspective back plane overflows
      {"1e38", "yes", 0.1f},
      {"1e38", "no", 0.1f},
      {"inf", "no", 0.1f},
      {"nan", "yes", 0.1f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + (*c.orthographic == 'y' ? " orthographic" : " perspective"));
    WritePreferences(std::string("[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n"
                                 "[NewNonClonedCameraWindows]\nCameraOrthographicProjectionMode(yes/no)=") +
                     c.orthographic + "\nCameraFrontClippingPlaneDistance(meters>0)=" + c.stored + "\n");
    Key(Qt::Key_N);
    Key(Qt::Key_R);  // Front, Top and Left
    const std::vector<X3DView*> views = Views(Scene());
    ASSERT_EQ(views.size(), 4u);
    for (X3DView* view : views) {
      EXPECT_EQ(view->settings.front, c.front);
      view->Invalidate();
      QApplication::processEvents();
      EXPECT_EQ(view->RenderBitmapFile(64, 48, false).size(), 54u + 64 * 48 * 3);
    }
    EXPECT_EQ(XGetPrefString(XPref::FRONT.section, XPref::FRONT.key, "").str(),
              c.front == 0.1f ? std::string("0.1") : c.stored);
    Scene().OnCloseDocument();
  }
}

}  // namespace
