// The Edit Camera sheet and the Edit Lights dialog: one record of what OK changed, and their rules;
// the sun's time of day read and written.
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "dialogs/DialogEditLights.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/PropertySheetEditCamera.h"
#include "platform/framework/QtColorDialog.h"
#include "platform/framework/QtFileDialog.h"
#include "support/TemporaryFolder.h"

namespace {

using document_test::UndoText;

class EditCameraTest : public SceneDialogTest {
 protected:
  CameraFields& Camera() { return View().camera; }

  // Runs the sheet opened at `start`; `user` acts on it, then OK is pressed.
  void Run(UINT start, const std::function<void(PropertySheetEditCamera&, QDialog*)>& user) {
    PropertySheetEditCamera sheet(&View(), start);
    RunThenPress(sheet, [&](QDialog* window) { user(sheet, window); });
  }
};

TEST_F(EditCameraTest, OKMakesOneRecordOfWhatChangedAndNoneForValuesThatOnlyPassedThroughThePages) {
  // Values a mouse drag leaves, which fifteen digits do not show exactly.
  Camera().focal = 0.0123456789012345678;
  Camera().focus = 1.0 / 3.0;
  Camera().fstop = 20.0 / 3.0;
  Camera().background = RGB(12, 34, 56);
  const CameraFields before = Camera();
  const int records = Records();
  Run(kEditCameraGeneralPage, [](PropertySheetEditCamera& sheet, QDialog* window) {
    for (int page = 1; page < 4; ++page) ClickTab(window, page);
    EXPECT_TRUE(sheet.newScene->m_initialized);
  });
  EXPECT_EQ(Records(), records);
  EXPECT_EQ(Camera().focal, before.focal);
  EXPECT_EQ(Camera().focus, before.focus);
  EXPECT_EQ(Camera().fstop, before.fstop);

  colours.Answer({RGB(255, 0, 0)});
  Run(kEditCameraGeneralPage, [](PropertySheetEditCamera& sheet, QDialog* window) {
    Click(*sheet.general, 32827);
    ClickTab(window, kEditCameraLensPage);
    Type(*sheet.lens, 32829, "85");
  });
  ASSERT_EQ(Records(), records + 1);
  EXPECT_EQ(UndoText(doc), "Edit Camera");
  EXPECT_EQ(View().updates, std::vector<std::string>{"0"});
  EXPECT_EQ(Camera().background, RGB(255, 0, 0));
  EXPECT_EQ(Camera().focal, 0.085);
  doc.OnEditUndo();
  EXPECT_EQ(Camera().background, before.background);
  EXPECT_EQ(Camera().focal, before.focal);
}

// Numbers read from their first digit and in their shortest form; a focal length below 1 mm is
// typed as the user types it, and a field left holding a refused value is checked then.
TEST_F(EditCameraTest, NumbersShowFromTheirStartAndAValueBelowOneIsCheckedWhenTheFieldIsLeft) {
  Camera().focal = 0.05;
  Camera().focus = 12.3411360129605;
  Camera().fstop = static_cast<double>(0.9f);
  Run(kEditCameraFocusPage, [&](PropertySheetEditCamera& sheet, QDialog* window) {
    EXPECT_EQ(TextOf(*sheet.focus, 32832), "0.9");
    EXPECT_EQ(TextOf(*sheet.focus, 32833), "12.3411360129605");
    EXPECT_EQ(qobject_cast<QLineEdit*>(Control(*sheet.focus, 32833))->cursorPosition(), 0);
    ClickTab(window, kEditCameraLensPage);
    PageEditCameraLens& lens = *sheet.lens;
    Type(lens, 32829, "0");
    QTest::keyClick(Control(lens, 32829), Qt::Key_Tab, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Please enter a number between 1e-05 and 10000.");
    EXPECT_TRUE(Control(lens, 32829)->hasFocus());
    Type(lens, 32829, "0.5");
  });
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(Camera().focal, 0.0005);
  EXPECT_EQ(Camera().fstop, static_cast<double>(0.9f));
}

TEST_F(EditCameraTest, AFixedTypeTurnsAndFitsTheCameraAndCameraKeepsIt) {
  Run(kEditCameraGeneralPage, [](PropertySheetEditCamera& sheet, QDialog*) {
    for (int i = 0; i < 3; ++i) Press(*sheet.general, 32826, Qt::Key_Down);  // Camera -> Top
  });
  EXPECT_EQ(Camera().windowKind, 3);
  EXPECT_FALSE(Camera().transform != Transform(std::numbers::pi / 2, Vector(1, 0, 0)));
  EXPECT_EQ(View().fits, 1);

  const Transform turned(0.4, Vector(0, 1, 0));
  Camera().transform = turned;
  Run(kEditCameraGeneralPage, [](PropertySheetEditCamera& sheet, QDialog*) {
    for (int i = 0; i < 3; ++i) Press(*sheet.general, 32826, Qt::Key_Up);  // Top -> Camera
  });
  EXPECT_EQ(Camera().windowKind, 0);
  EXPECT_FALSE(Camera().transform != turned);
  EXPECT_EQ(View().fits, 1);
}

// Perspective set on the Focus page alone reaches the camera, after the question whether to fit first.
TEST_F(EditCameraTest, FocusControlsFollowEachOtherAndPerspectiveOffOnTheFocusPageAloneIsApplied) {
  Camera().fstop = 8.0;
  boxes.Answer({IDYES});
  Run(kEditCameraFocusPage, [](PropertySheetEditCamera& sheet, QDialog*) {
    PageEditCameraFocus& page = *sheet.focus;
    EXPECT_EQ(page.m_slider.GetPos(), 8);
    Type(page, 32832, "0");
    EXPECT_FALSE(page.GetDlgItem(32833)->IsWindowEnabled());  // no distance at "Perfect Clarity"
    Press(page, 32831, Qt::Key_Left);
    EXPECT_EQ(page.m_fstop, 64.0);
    EXPECT_TRUE(page.GetDlgItem(32833)->IsWindowEnabled());

    Click(page, 32834);  // auto focus, then auto f-stop
    Click(page, 32835);
    Click(page, 32836);  // depth cue clears it
    EXPECT_FALSE(page.m_autoFstop);

    Click(page, 32830);  // perspective off
    EXPECT_FALSE(sheet.lens->m_perspective);
    EXPECT_FALSE(page.GetDlgItem(32834)->IsWindowEnabled());
  });
  EXPECT_EQ(Camera().fstop, 64.0);
  EXPECT_TRUE(Camera().linearModel);
  EXPECT_FALSE(Camera().autoAperture);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_NE(boxes.boxes[0].text.find("entire scene is visible"), std::string::npos);
  EXPECT_TRUE(Camera().orthographic);
  EXPECT_EQ(View().fits, 1);
}

// Browse shows the program's file dialog: a name typed without its extension under "Bitmap images"
// is the bitmap of that name, as in the program's other file dialogs.
TEST_F(EditCameraTest, BrowseTakesTheBitmapOfANameTypedWithoutItsExtension) {
  TemporaryFolder folder;
  std::ofstream(folder / "sky.bmp") << "BM";
  Camera().backgroundImagePath = (folder / "old.bmp").c_str();
  const std::filesystem::path startFolder = std::filesystem::current_path();
  QtFileDialogBackend files;
  FileDialogBackend* const previous = SetFileDialogBackend(&files);
  Run(kEditCameraGeneralPage, [](PropertySheetEditCamera& sheet, QDialog*) {
    Click(*sheet.general, 32838);  // "Use image", with a file already named
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      QWidget* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      name->setFocus();
      QTest::keyClicks(name, "sky");
      // A refused name is told in a box of the dialog's own; the user then gives up.
      QTimer::singleShot(0, [] {
        if (auto* refusal = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) refusal->reject();
      });
      QTest::keyClick(name, Qt::Key_Return);
      if (dialog->isVisible()) dialog->reject();
    });
    Click(*sheet.general, 32840);  // "Browse..."
    EXPECT_EQ(TextOf(*sheet.general, 32839), "sky.bmp");
  });
  SetFileDialogBackend(previous);
  std::filesystem::current_path(startFolder);
  EXPECT_EQ(Camera().backgroundImagePath.str(), folder / "sky.bmp");
  EXPECT_TRUE(Camera().backgroundImage);
}

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

Vector Direction(const Transform& sun) {
  const Vector tip = sun.TransformPoint(Vector(0, 0, 1));
  const Vector origin = sun.TransformPoint(Vector(0, 0, 0));
  return Vector(tip.x - origin.x, tip.y - origin.y, tip.z - origin.z);
}

double Angle(const Vector& a, const Vector& b) {
  const double dot = a.x * b.x + a.y * b.y + a.z * b.z;
  return std::acos(std::clamp(dot / std::sqrt((a.x * a.x + a.y * a.y + a.z * a.z) * (b.x * b.x + b.y * b.y + b.z * b.z)), -1.0, 1.0));
}

TEST_F(EditLightsTest, TimeAndDirectionAreInverseOnEveryHeadingAndAVerticalSunIsNoon) {
  EXPECT_EQ(SunMinutes(doc.GetSunlight()->GetWorldTransform()), 180);  // a new scene's sun: 09:00
  const double minute = std::numbers::pi / 720;
  // Suns as Point Sun Light leaves them: a camera looking 40 degrees down on any heading.
  for (int degrees = 0; degrees < 360; degrees += 15) {
    SCOPED_TRACE(degrees);
    const Transform pointed = Transform(degrees * std::numbers::pi / 180, Vector(0, 1, 0)) * Transform(0.7, kX);
    const Vector start = Direction(pointed);
    EXPECT_LE(Angle(Direction(SunTransformAt(SunMinutes(pointed), pointed)), start), minute);
    const auto onHeading = [&](const Vector& d) { return std::fabs(d.x * start.z - d.z * start.x) < 1e-5; };
    for (int minutes : {0, 1, 240, 359, 360, 361, 600, 719, 720}) {
      const Transform sun = SunTransformAt(minutes, pointed);
      ASSERT_EQ(SunMinutes(sun), minutes);
      const int step = minutes == 720 ? 719 : minutes + 1;
      const Vector d = Direction(sun), next = Direction(SunTransformAt(step, sun));
      EXPECT_NEAR(Angle(next, d), minute, 1e-5) << minutes << ": one step turns the sun by a minute";
      EXPECT_TRUE(onHeading(minutes == 360 ? next : d)) << minutes;
    }
  }
  const Transform afternoon(std::numbers::pi * 0.75, kX);
  EXPECT_EQ(SunMinutes(afternoon), 540);
  const Transform vertical(std::numbers::pi / 2, kX);
  EXPECT_EQ(SunMinutes(vertical), 360);
  EXPECT_EQ(SunMinutes(SunTransformAt(400, vertical)), 400);
  // The time texts follow the user's format without seconds.
  EXPECT_EQ(TimeOfDayText(59).str(), "06:59");
  EXPECT_EQ(TimeOfDayText(720).str(), "18:00");
}

// (0.1, 0.3, 0.9) keeps its hue at both ends of the brightness slider: darkest with red at 0,
// brightest with blue at 1.
TEST_F(EditLightsTest, TheBrightnessSlidersEndsKeepTheHueShowing) {
  struct End {
    Qt::Key key;
    COLORREF shown;
  };
  for (const End end : {End{Qt::Key_Home, RGB(0, 51, 204)}, End{Qt::Key_End, RGB(51, 102, 255)}}) {
    colours.Answer({RGB(26, 77, 230)});
    Run([&](DialogEditLights& dialog) {
      Click(dialog, 32844);
      Press(dialog, 32769, end.key);
    });
    EXPECT_EQ(SunColor().GetCOLORREF(), end.shown);
  }
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

  colours.Answer({RGB(255, 0, 0), RGB(0, 0, 255)});
  Run([](DialogEditLights& dialog) {
    Click(dialog, 32844);
    Click(dialog, 32843);
    Press(dialog, 32770, Qt::Key_Up);
    EXPECT_EQ(TextOf(dialog, 32771), TimeOfDayText(dialog.m_time_of_day.GetPos()).str());
  });
  ASSERT_EQ(Records(), records + 1);
  EXPECT_EQ(SunColor().GetCOLORREF(), RGB(255, 0, 0));
  EXPECT_EQ(doc.GetAmbient()->GetColor().GetCOLORREF(), RGB(0, 0, 255));
  EXPECT_NE(SunMinutes(doc.GetSunlight()->GetWorldTransform()), 180);
  EXPECT_FALSE(View().updates.empty());

  doc.OnEditUndo();
  EXPECT_FALSE(SunColor() != sun);
  EXPECT_FALSE(doc.GetAmbient()->GetColor() != ambient);
  EXPECT_FALSE(doc.GetSunlight()->GetTransform() != sunTransform);
}


// The control of the colour dialog that its label `text` (without the '&') names.
QWidget* Labelled(QColorDialog& shown, const QString& text) {
  for (QLabel* label : shown.findChildren<QLabel*>())
    if (QString(label->text()).remove('&') == text) return label->buddy();
  return nullptr;
}

// What the colour dialog shows in its 16 custom colour cells, row by row.
std::vector<QRgb> CustomCells(QColorDialog& shown) {
  QWidget* well = Labelled(shown, "Custom colors");
  if (!well) return {};
  const QImage image = well->grab().toImage();
  const double width = well->width() / 8.0, height = well->height() / 2.0;
  std::vector<QRgb> cells;
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 8; ++column)
      cells.push_back(image.pixel(QPointF((column + 0.5) * width, (row + 0.5) * height).toPoint()) & 0xFFFFFF);
  return cells;
}

// The colour dialogs of the swatches show the program's 16 custom colours, white when it starts;
// one added in a dialog is offered by the next, whichever swatch opens it.
TEST_F(EditLightsTest, TheColourDialogsShareTheCustomColoursWhiteAtFirst) {
  QtColorDialogBackend desktop;
  ColorDialogBackend* scripted = SetColorDialogBackend(&desktop);
  std::vector<QRgb> expected(16, 0xFFFFFF);
  const struct {
    const char* swatch;
    int id;
    bool addOne;  // types #123456 into the dialog and adds it to the custom colours
  } steps[] = {{"sun", 32844, true}, {"shadows", 32843, false}, {"sun again", 32844, false}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.swatch);
    std::vector<QRgb> shown;
    Run([&](DialogEditLights& dialog) {
      QTimer::singleShot(0, [&] {
        auto* colours = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(colours, nullptr);
        shown = CustomCells(*colours);
        if (step.addOne) {
          auto* html = qobject_cast<QLineEdit*>(Labelled(*colours, "HTML:"));
          ASSERT_NE(html, nullptr);
          html->selectAll();
          QTest::keyClicks(html, "#123456");
          for (QPushButton* button : colours->findChildren<QPushButton*>())
            if (button->text().remove('&') == "Add to Custom Colors") QTest::mouseClick(button, Qt::LeftButton);
        }
        QTest::keyClick(colours, Qt::Key_Escape);
      });
      Click(dialog, step.id);
    });
    EXPECT_EQ(shown, expected);
    if (step.addOne) expected[0] = 0x123456;
  }
  SetColorDialogBackend(scripted);
}

}  // namespace
