// The Edit Lights dialog: the sun's time of day read and written, and one "Edit Lights" record per OK.
#include <numbers>

#include "dialogs/DialogEditLights.h"
#include "dialogs/DialogTestSupport.h"

namespace {

using document_test::UndoText;

const Vector kX(1, 0, 0);

class EditLightsTest : public SceneDialogTest {
 protected:
  Color SunColor() {
    const XList<Ptr<LightSO>>& lights = doc.GetSunlight()->GetLights();
    return lights.GetAt(lights.GetHeadPosition())->GetColor();
  }
  // Opens the dialog, lets `user` act, then presses OK.
  void Run(const std::function<void(DialogEditLights&)>& user) {
    DialogEditLights dialog(&doc);
    RunThenPress(dialog, [&](QDialog*) { user(dialog); });
  }
};

TEST_F(EditLightsTest, EveryMinuteReadsBackAsWrittenAndAVerticalSunIsNoon) {
  EXPECT_EQ(SunMinutes(doc.GetSunlight()->GetWorldTransform()), 180);  // a new scene's sun: 09:00
  const Transform afternoon(std::numbers::pi * 0.75, kX);
  for (int minutes = 0; minutes <= 720; ++minutes)
    ASSERT_EQ(SunMinutes(SunTransformAt(minutes, Transform())), minutes);
  EXPECT_EQ(SunMinutes(afternoon), 540);
  const Transform vertical(std::numbers::pi / 2, kX);
  EXPECT_EQ(SunMinutes(vertical), 360);
  EXPECT_EQ(SunMinutes(SunTransformAt(400, vertical)), 400);
  // A heading off the x = 0 plane is kept.
  const Transform turned = Transform(0.5, Vector(0, 1, 0)) * Transform(0.3, kX);
  const Transform written = SunTransformAt(100, turned);
  const Vector before = turned.TransformPoint(Vector(0, 0, 1));
  const Vector after = written.TransformPoint(Vector(0, 0, 1));
  EXPECT_NEAR(before.x / before.z, after.x / after.z, 1e-5);
  // The time texts follow the user's format without seconds.
  EXPECT_EQ(TimeOfDayText(59).str(), "06:59");
  EXPECT_EQ(TimeOfDayText(720).str(), "18:00");
}

TEST_F(EditLightsTest, OKMakesOneRecordOfTheChangesWhoseUndoRestoresThem) {
  const int records = Records();
  const Color sun = SunColor();
  const Color ambient = doc.GetAmbient()->GetColor();
  const Transform sunTransform = doc.GetSunlight()->GetTransform();
  Run([](DialogEditLights& dialog) {
    Press(dialog, 32770, Qt::Key_Up);  // away and back: the sun is not rewritten
    EXPECT_NE(dialog.m_time_of_day.GetPos(), dialog.m_initial_time);
    Press(dialog, 32770, Qt::Key_Down);
  });
  EXPECT_EQ(Records(), records);
  EXPECT_FALSE(doc.GetSunlight()->GetTransform() != sunTransform);
  EXPECT_TRUE(View().updates.empty());

  colours.Answer({RGB(255, 0, 0), RGB(0, 0, 255)});
  Run([](DialogEditLights& dialog) {
    Click(dialog, 32844);
    Click(dialog, 32843);
    Press(dialog, 32770, Qt::Key_Up);
    EXPECT_EQ(TextOf(dialog, 32771), TimeOfDayText(dialog.m_time_of_day.GetPos()).str());
  });
  ASSERT_EQ(Records(), records + 1);
  EXPECT_EQ(UndoText(doc), "Edit Lights");
  EXPECT_EQ(SunColor().GetCOLORREF(), RGB(255, 0, 0));
  EXPECT_EQ(doc.GetAmbient()->GetColor().GetCOLORREF(), RGB(0, 0, 255));
  EXPECT_NE(SunMinutes(doc.GetSunlight()->GetWorldTransform()), 180);
  EXPECT_FALSE(View().updates.empty());

  doc.OnEditUndo();
  EXPECT_FALSE(SunColor() != sun);
  EXPECT_FALSE(doc.GetAmbient()->GetColor() != ambient);
  EXPECT_FALSE(doc.GetSunlight()->GetTransform() != sunTransform);
}

}  // namespace
