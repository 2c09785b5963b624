// Smart help of the dialog and sheet bases: prompts, help topics, hit tests and the modal callbacks.
#include <QCursor>
#include <iterator>

#include "dialogs/DialogExportImage.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/XPropertyPage.h"
#include "dialogs/XPropertySheet.h"
#include "resources/ProgramResources.h"

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
  RecordingDesktop help;  // records the help pages asked for
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
             help.urls.clear();
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

}  // namespace
