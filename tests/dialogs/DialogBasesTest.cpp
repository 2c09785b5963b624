// The dialog bases: smart help (prompts, help topics, hit tests, modal callbacks), colour buttons
// (the swatch on pixels, the owner told only of chosen colours) and the Export Image dialog.
#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QLabel>
#include <QToolTip>
#include <cstdlib>
#include <iterator>

#include "dialogs/ColorButton.h"
#include "dialogs/DialogAbout.h"
#include "dialogs/DialogExportImage.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/XDialog.h"
#include "dialogs/XPropertyPage.h"
#include "dialogs/XPropertySheet.h"
#include "platform/framework/ControlNotifications.h"
#include "platform/framework/MessageMap.h"
#include "resources/ProgramResources.h"
#include "support/FatalCheck.h"

namespace {

constexpr UINT kDialog = 10090;
constexpr UINT kPage = 10091;
constexpr int kInGroup = 10010, kDisabled = 10011, kSmallId = 500, kPageControl = 10012;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;

constexpr DialogControl kControls[] = {
    {-1, ControlClass::Button, "Group", 4, 4, 80, 60, BS_GROUPBOX},
    {kInGroup, ControlClass::Edit, "", 10, 14, 40, 14, WS_BORDER | WS_TABSTOP},
    {kDisabled, ControlClass::Edit, "", 100, 4, 40, 14, WS_BORDER | WS_DISABLED},
    {kSmallId, ControlClass::Button, "Small", 100, 22, 40, 14, kPush},
    {9, ControlClass::Button, "Help", 150, 4, 40, 14, kPush},
    {IDOK, ControlClass::Button, "OK", 4, 80, 40, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {2002, ControlClass::Button, "Help", 100, 80, 40, 14, kPush},
};
constexpr DialogControl kPageControls[] = {
    {IDOK, ControlClass::Button, "Page one", 4, 4, 60, 14, kPush},
    {kPageControl, ControlClass::Edit, "", 4, 24, 60, 14, WS_BORDER | WS_TABSTOP},
};
constexpr DWORD kFrame = WS_POPUP | WS_CAPTION | DS_SETFONT;
constexpr DialogTemplate kTemplate = {kDialog, "Help", 200, 100, "MS Sans Serif", 8, kFrame, 0, kControls, std::size(kControls)};
constexpr DialogTemplate kPageTemplate = {kPage, "Page", 120, 60, "MS Sans Serif", 8, WS_CHILD, 0, kPageControls,
                                          std::size(kPageControls)};

class SmartHelpTest : public ::testing::Test, public DialogApp {
 protected:
  void SetUp() override {
    templates_[0] = &kTemplate;
    templates_[1] = &kPageTemplate;
    templates_[2] = FindDialogTemplate(kExportImageTemplate);
    RegisterDialogTemplates(templates_, std::size(templates_));
  }
  void TearDown() override {
    RegisterDialogTemplates(kDialogTemplates, kDialogTemplateCount);
    QCoreApplication::processEvents();  // the cursor's moves, before the application goes
  }

  RecordingStatusFrame frame_;
  const DialogTemplate* templates_[3] = {};
};

TEST_F(SmartHelpTest, HitTestMapsStandardButtonsSkipsUnpromptedControlsAndHelpOpensTheDialogsTopic) {
  RecordingHelp help;  // records the help pages asked for
  ScriptedMessageBoxes boxes;
  XDialog dialog(kDialog);
  RunModal([&] { return dialog.DoModal(); },
           [&](QDialog* window) {
             const std::pair<int, int> expected[] = {{IDOK, 32806},  {9, 2002},           {2002, 2002},
                                                     {kSmallId, -1}, {kInGroup, kInGroup}, {kDisabled, kDisabled}};
             for (const auto& [control, prompt] : expected)
               EXPECT_EQ(dialog.OnToolHitTest(CentreOf(dialog, dialog, control)), prompt) << control;
             // Inside the group box but over none of its controls: the box ends the search.
             EXPECT_EQ(dialog.OnToolHitTest(POINT{CentreOf(dialog, dialog, kInGroup).x, CentreOf(dialog, dialog, IDOK).y - 12}), -1);

             // The Help button, F1 and the help hit test reach the dialog's topic, a control's its own.
             Click(dialog, 2002);
             EXPECT_TRUE(help.Opened(kDialog + 0x10000));
             help.pages.clear();
             QTest::keyClick(window, Qt::Key_F1);
             EXPECT_TRUE(help.Opened(kDialog + 0x10000));
             const POINT edit = CentreOf(dialog, dialog, kInGroup);
             EXPECT_EQ(dialog.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(edit.x, edit.y)), kInGroup + 0x10000);
             EXPECT_EQ(dialog.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(1, 1)), kDialog + 0x10000);

             dialog.SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
             EXPECT_EQ(dialog.OnToolHitTest(CentreOf(dialog, dialog, kDisabled)), -1);
             dialog.EndDialog(IDCANCEL);
           });
  EXPECT_TRUE(boxes.boxes.empty());
}

// A sheet's prompt is its page's; a dialog and a box opened over it stack their callbacks.
TEST_F(SmartHelpTest, SheetMapsItsOwnButtonsButNotThePagesAndNestedModalsLeaveNoCallback) {
  ScriptedMessageBoxes boxes;
  XPropertySheet sheet(10200);
  XPropertyPage page(kPage);
  XDialog inner(kExportImageTemplate);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  sheet.AddPage(&page);
  RunModal([&] { return sheet.DoModal(); },
           [&](QDialog*) {
             EXPECT_EQ(sheet.OnToolHitTest(CentreOf(sheet, sheet, IDOK)), 32806);
             EXPECT_EQ(sheet.OnToolHitTest(CentreOf(sheet, page, IDOK)), -1);
             EXPECT_EQ(sheet.OnToolHitTest(CentreOf(sheet, page, kPageControl)), kPageControl);
             QCursor::setPos(QPoint(-50, -50));
             frame_.Refresh();
             EXPECT_EQ(frame_.promptId, kPage);
             RunModal([&] { return inner.DoModal(); },
                      [&](QDialog*) {
                        EXPECT_EQ(frame_.stack.size(), 2u);
                        XErrorBox(40223);
                        inner.EndDialog(IDOK);
                      });
             sheet.EndDialog(IDCANCEL);
           });
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(frame_.deepest, 3u);
  EXPECT_TRUE(frame_.stack.empty());
}

// A sheet's prompt comes from its active page, which must be one of the program's own pages.
TEST_F(SmartHelpTest, ASheetWhosePageIsNotTheProgramsOwnReportsThePage) {
  XPropertySheet sheet(10200);
  CPropertyPage page(kPage);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  sheet.AddPage(&page);
  RunModal([&] { return sheet.DoModal(); },
           [&](QDialog*) {
             EXPECT_FATAL(sheet.UpdateStatusPrompt(), "ISKINDOF( p, XPropertyPage )", "");
             sheet.EndDialog(IDCANCEL);
           });
}

// The tip Qt shows, once it is up (null when none comes).
QWidget* ShownTip() {
  QWidget* shown = nullptr;
  (void)QTest::qWaitFor([&] {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == QLatin1String("qtooltip_label") && top->isVisible()) shown = top;
    return shown != nullptr;
  });
  return shown;
}

// The mouse resting over a control shows the control's tip: an edit's centred under the edit, a
// check box's by the mouse.
TEST_F(SmartHelpTest, TipsOfControlsThatAreNoButtonsAreCentredUnderThem) {
  XDialog dialog(kExportImageTemplate);
  RunModal([&] { return dialog.DoModal(); },
           [&](QDialog*) {
             QWidget* width = Control(dialog, 32819);
             QTest::mouseMove(width, QPoint(3, 3));
             QWidget* tip = ShownTip();
             ASSERT_NE(tip, nullptr);
             EXPECT_EQ(qobject_cast<QLabel*>(tip)->text(), "Exported image width");
             const QRect edit(width->mapToGlobal(QPoint(0, 0)), width->size());
             EXPECT_LE(std::abs(tip->frameGeometry().center().x() - edit.center().x()), 1);
             EXPECT_EQ(tip->frameGeometry().top(), edit.bottom() + 1);
             QToolTip::hideText();
             ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));

             QWidget* improve = Control(dialog, 32821);
             QTest::mouseMove(improve, QPoint(4, 4));
             tip = ShownTip();
             ASSERT_NE(tip, nullptr);
             EXPECT_EQ(qobject_cast<QLabel*>(tip)->text(), "Produce higher quality image");
             const QPoint mouse = improve->mapToGlobal(QPoint(4, 4));
             EXPECT_LE((tip->pos() - mouse).manhattanLength(), 40);
             QToolTip::hideText();
             dialog.EndDialog(IDCANCEL);
           });
}

// A modeless window, the start-up splash, answers for its own window while it is up.
struct Splash : ::testing::Test, DialogApp {
  BOOL Close(int) { return TRUE; }
  RecordingStatusFrame frame;
};

TEST_F(Splash, RegistersItsOwnWindowsPromptWhileUp) {
  DialogAbout splash(XMethod(static_cast<Splash*>(this), &Splash::Close));
  ASSERT_EQ(frame.registered.size(), 1u);
  EXPECT_EQ(frame.registered.begin()->first, splash.GetSafeHwnd());
  EXPECT_TRUE(frame.stack.empty());
  splash.DestroyWindow();
  EXPECT_TRUE(frame.registered.empty());
}

// The modal About box: Esc ends it as Cancel, any other key as OK.
TEST_F(Splash, TheModalAboutBoxEndsOnEscAsCancelAndOnOtherKeysAsOK) {
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_A}) {
    DialogAbout about(0);
    EXPECT_EQ(RunModal([&] { return static_cast<int>(about.DoModal()); }, [&](QDialog* box) { QTest::keyClick(box, key); }),
              key == Qt::Key_Escape ? IDCANCEL : IDOK);
  }
}

constexpr int kSize = 40;

// The button face is drawn in the application's style.
class ColorButtonTest : public ::testing::Test, public DialogApp {};

QImage Render(ColorButton& button, UINT state, int width = kSize, int height = kSize) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  CDC dc(&image);
  DRAWITEMSTRUCT item{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, state, nullptr, dc.GetSafeHdc(), RECT{0, 0, width, height}, 0};
  button.DrawItem(&item);
  return image;
}

// The bounding box of the pixels of colour `c`.
QRect Extent(const QImage& image, QRgb c) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == c) box |= QRect(x, y, 1, 1);
  return box;
}

TEST_F(ColorButtonTest, SwatchesKeepTheirSizeAndStripesAndADisabledChooserShowsNone) {
  ColorChooserButton button;
  button.SetColor(Color(1.0, 0.0, 0.0, 1.0));
  button.m_rectSize = SIZE{18, 18};
  const QRect red = Extent(Render(button, 0, 41, 33), qRgb(255, 0, 0));
  EXPECT_EQ(red.size(), QSize(18, 18));
  EXPECT_EQ(red.left(), 11);  // (41 - 8 - 6 - 18) / 2 past the face and the focus inset
  // Larger than the button: filled to its shrunken rectangle.
  button.m_rectSize = SIZE{100, 100};
  EXPECT_EQ(Extent(Render(button, 0), qRgb(255, 0, 0)), QRect(4, 4, 32, 32));

  EXPECT_TRUE(Extent(Render(button, ODS_DISABLED), qRgb(255, 0, 0)).isEmpty());
  EXPECT_NE(Render(button, 0), Render(button, ODS_SELECTED));

  // A plain colour button shows a translucent colour over three backgrounds.
  ColorButton plain;
  plain.SetColor(Color(1.0, 1.0, 1.0, 0.5));
  const QImage striped = Render(plain, 0);
  // (255 - background) * 0.5 + background, truncated.
  EXPECT_EQ(striped.pixel(6, 20), qRgb(191, 159, 127));
  EXPECT_EQ(striped.pixel(34, 20), qRgb(255, 247, 231));
  EXPECT_EQ(Extent(striped, qRgb(191, 159, 127)), QRect(4, 4, 11, 32));  // third = (32 + 1) / 3

  plain.SetColor(Color(1.0, 1.0, 1.0, -0.5));
  const QImage clear = Render(plain, 0);
  EXPECT_EQ(clear.pixel(34, 20), qRgb(255, 240, 208));

  // With a sized swatch the square takes the width for both sides; the backgrounds show around.
  plain.SetColor(Color(1.0, 1.0, 1.0, 0.5));
  plain.m_rectSize = SIZE{10, 2};
  const QImage square = Render(plain, 0);
  EXPECT_EQ(square.pixel(20, 6), qRgb(0, 0, 0));
  EXPECT_EQ(Extent(square, qRgb(127, 127, 127)), QRect(15, 15, 10, 10));
}

std::vector<std::string> heard;

class ChooserDialog : public XDialog {
 public:
  ChooserDialog() : XDialog(10001) {}
  void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, 32843, m_chooser); }
  void OnChooser() { heard.push_back("chosen"); }
  ColorChooserButton m_chooser;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChooserDialog, XDialog)
  ON_BN_CLICKED(32843, OnChooser)
END_MESSAGE_MAP()

TEST_F(ColorButtonTest, OwnerHearsOnlyOfAcceptedColoursWhichKeepTheAlpha) {
  ScriptedColorDialogs colours;
  colours.Answer({std::nullopt, RGB(0, 255, 0)});
  heard.clear();
  ChooserDialog dialog;
  // Before its owner sets one, a button holds white within 0..1, so luminance ranges hold.
  EXPECT_EQ(dialog.m_chooser.m_color, Color(1.0, 1.0, 1.0, 1.0));
  dialog.m_chooser.SetColor(Color(1.0, 0.0, 0.0, 0.25));
  RunModal([&] { return dialog.DoModal(); },
           [&](QDialog*) {
             Click(dialog, 32843);
             EXPECT_TRUE(heard.empty());
             EXPECT_EQ(dialog.m_chooser.m_color.GetCOLORREF(), RGB(255, 0, 0));
             Click(dialog, 32843);
             EXPECT_EQ(heard, std::vector<std::string>{"chosen"});
             dialog.EndDialog(IDCANCEL);
           });
  ASSERT_EQ(colours.requests.size(), 2u);
  EXPECT_EQ(colours.requests[0].rgbResult, RGB(255, 0, 0));
  EXPECT_EQ(dialog.m_chooser.m_color.GetCOLORREF(), RGB(0, 255, 0));
  EXPECT_EQ(dialog.m_chooser.m_color.a, 0.25);
}

class ExportImageTest : public ::testing::Test, public DialogApp {
 protected:
  // Types the sizes, sets the check box and presses OK; `after` looks at a dialog left open.
  int Run(const char* width, const char* height, bool improve, const std::function<void(QDialog*)>& after = {}) {
    return RunModal([&] { return dialog_.DoModal(); },
                    [&](QDialog* window) {
                      Type(dialog_, 32819, width);
                      Type(dialog_, 32820, height);
                      if (Checked(dialog_, 32821) != improve) Click(dialog_, 32821);
                      Click(dialog_, IDOK);
                      if (window->isVisible()) {
                        if (after) after(window);
                        Click(dialog_, IDCANCEL);
                      }
                    });
  }

  ScriptedMessageBoxes boxes_;
  DialogExportImage dialog_;
};

// Of two bad sizes the height is checked first; the framework tests its own messages.
TEST_F(ExportImageTest, OpensWithTheDefaultsImprovedSidesStopAt1017AndOthersAt2034) {
  RunThenPress(dialog_, [&](QDialog*) {
    EXPECT_EQ(TextOf(dialog_, 32819), "640");
    EXPECT_EQ(QApplication::focusWidget(), Control(dialog_, 32819));
  });
  EXPECT_EQ(dialog_.m_width, 640u);
  EXPECT_EQ(dialog_.m_height, 480u);
  EXPECT_TRUE(dialog_.m_improve);

  const auto focusOnHeight = [&](QDialog*) { EXPECT_EQ(QApplication::focusWidget(), Control(dialog_, 32820)); };
  EXPECT_EQ(Run("2035", "0", false, focusOnHeight), IDCANCEL);
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(boxes_.boxes[0].text, "Please enter an integer between 1 and 2034.");
  EXPECT_EQ(Run("1018", "1", true, [&](QDialog*) { EXPECT_EQ(dialog_.m_width, 1018u); }), IDCANCEL);
  ASSERT_EQ(boxes_.boxes.size(), 2u);
  EXPECT_EQ(boxes_.boxes[1].text,
            "With \"Improve image quality\" on, the Width and Height can not be greater than 1017 each.");
  EXPECT_EQ(Run("1", "1018", true), IDCANCEL);
  EXPECT_EQ(Run("1017", "1017", true), IDOK);
  EXPECT_EQ(Run("2034", "2034", false), IDOK);
  EXPECT_FALSE(dialog_.m_improve);
  EXPECT_EQ(dialog_.m_width, 2034u);
  EXPECT_EQ(boxes_.boxes.size(), 3u);
}

}  // namespace
