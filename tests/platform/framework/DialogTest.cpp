// Dialogs from templates driven by keys and clicks, data exchange, property sheets, colour and files.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/Controls.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/DialogWidgets.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/PropertySheet.h"
#include "platform/framework/QtColorDialog.h"
#include "platform/framework/QtFileDialog.h"
#include "platform/win/QtTestApplication.h"
#include "platform/win/StringResources.h"
#include "RunModal.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"

namespace {

enum : int { kWidth = 10, kImprove = 13, kSolid = 20, kPhoto = 21 };
enum : int { kParts = 40, kList = 41, kSlider = 42, kSwatch = 43, kApply = 44, kTime = 45 };

constexpr DWORD kTab = WS_TABSTOP;
constexpr DialogControl kControls[] = {
    {-1, ControlClass::Static, "Width:", 4, 6, 28, 8, SS_LEFT},
    {kWidth, ControlClass::Edit, "", 34, 4, 40, 14, WS_BORDER | ES_AUTOHSCROLL | kTab},
    {kImprove, ControlClass::Button, "Improve", 4, 22, 70, 10, BS_AUTOCHECKBOX | kTab},
    {kSolid, ControlClass::Button, "Solid", 4, 36, 60, 10, BS_AUTORADIOBUTTON | WS_GROUP | kTab},
    {kPhoto, ControlClass::Button, "Photo", 4, 48, 60, 10, BS_AUTORADIOBUTTON},
    {kParts, ControlClass::ComboBox, "", 80, 4, 80, 60, CBS_DROPDOWNLIST | WS_GROUP | kTab},
    {kList, ControlClass::ListBox, "", 80, 22, 80, 40, LBS_NOTIFY | WS_BORDER | kTab},
    {kSlider, ControlClass::TrackBar, "", 80, 66, 80, 14, TBS_NOTICKS | kTab},
    {kTime, ControlClass::TrackBar, "", 60, 60, 12, 24, TBS_VERT | TBS_BOTH | TBS_NOTICKS | kTab},
    {kSwatch, ControlClass::Button, "", 4, 62, 16, 14, BS_OWNERDRAW | kTab},
    {kApply, ControlClass::Button, "Apply", 4, 86, 50, 14, BS_PUSHBUTTON | kTab},
    {IDOK, ControlClass::Button, "OK", 60, 86, 50, 14, BS_DEFPUSHBUTTON | kTab},
    {IDCANCEL, ControlClass::Button, "Cancel", 116, 86, 50, 14, BS_PUSHBUTTON | kTab},
};
constexpr DialogTemplate kTemplate = {900, "Test", 170, 104, "MS Sans Serif", 8, WS_POPUP | DS_SETFONT | DS_CENTER,
                                      0, kControls, std::size(kControls)};
// Controls for the program's calls on them, and edits, a check box and radio groups for exchange.
constexpr DWORD kEdit = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DialogControl kExchangeControls[] = {
    {1, ControlClass::ListBox, "", 100, 4, 100, 60, LBS_NOTIFY | LBS_USETABSTOPS | WS_BORDER},
    {2, ControlClass::ComboBox, "", 100, 70, 60, 60, CBS_DROPDOWNLIST},
    {3, ControlClass::TrackBar, "", 210, 4, 12, 100, TBS_VERT | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP},
    {10, ControlClass::Edit, "", 0, 0, 40, 14, kEdit},
    {11, ControlClass::Edit, "", 0, 20, 40, 14, kEdit},
    {12, ControlClass::Edit, "", 0, 40, 40, 14, kEdit},
    {13, ControlClass::Button, "Check", 0, 60, 40, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    {20, ControlClass::Button, "A", 50, 0, 40, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
    {21, ControlClass::Button, "B", 50, 10, 40, 10, BS_AUTORADIOBUTTON},
    {22, ControlClass::Button, "C", 50, 20, 40, 10, BS_AUTORADIOBUTTON},
    {30, ControlClass::Button, "X", 50, 40, 40, 10, BS_AUTORADIOBUTTON | WS_GROUP},
    {31, ControlClass::Button, "Y", 50, 50, 40, 10, BS_AUTORADIOBUTTON},
};
constexpr DialogTemplate kExchangeTemplate = {903, "Exchange", 230, 110, "MS Sans Serif", 8,
                                              WS_POPUP | WS_VISIBLE | DS_SETFONT, 0, kExchangeControls,
                                              std::size(kExchangeControls)};
// Property pages of one edit.
constexpr int kCount = 10;
constexpr DialogControl kPageControls[] = {
    {kCount, ControlClass::Edit, "", 10, 10, 40, 14, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
};
constexpr DialogTemplate kGeneral = {910, "General", 150, 60, "MS Sans Serif", 8, WS_CHILD | DS_SETFONT, 0,
                                     kPageControls, std::size(kPageControls)};
constexpr DialogTemplate kUndo = {911, "Undo", 150, 80, "MS Sans Serif", 8, WS_CHILD | DS_SETFONT, 0,
                                  kPageControls, std::size(kPageControls)};
constexpr DialogTemplate kLens = {912, "Lens", 120, 60, "MS Sans Serif", 8, WS_CHILD | DS_SETFONT, 0,
                                  kPageControls, std::size(kPageControls)};
// A page whose label and check box sit inside a group's frame, as the program's pages have them.
enum : int { kQuality = 50, kLow = 51, kColors = 52 };
constexpr DialogControl kLookControls[] = {
    {kQuality, ControlClass::Button, "Quality", 4, 4, 140, 50, BS_GROUPBOX},
    {kLow, ControlClass::Static, "Low", 10, 18, 60, 8, SS_LEFT},
    {kColors, ControlClass::Button, "256", 10, 34, 80, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
};
constexpr DialogTemplate kLook = {913, "Look", 150, 60, "MS Sans Serif", 8, WS_CHILD | DS_SETFONT, 0,
                                  kLookControls, std::size(kLookControls)};
const DialogTemplate* const kTemplates[] = {&kTemplate, &kExchangeTemplate, &kGeneral, &kUndo, &kLens, &kLook};

// The framework's messages, as the program's string table carries them, and a sheet's caption.
constexpr StringResource kMessages[] = {
    {900, "Preferences"},
    {61712, "Please enter an integer."},
    {61713, "Please enter a number."},
    {61714, "Please enter an integer between %1 and %2."},
    {61715, "Please enter a number between %1 and %2."},
    {61718, "Please enter an integer between 0 and 255."},
    {61719, "Please enter a positive integer."},
};

std::vector<std::string> heard;

// A swatch that records how it was asked to draw and may keep its clicks from the parent.
class Swatch : public CButton {
 public:
  void DrawItem(LPDRAWITEMSTRUCT item) override {
    drawnState = item->itemState;
    drawnRect = item->rcItem;
    CDC::FromHandle(item->hDC)->FillSolidRect(&item->rcItem, RGB(0, 0, 255));
  }
  BOOL OnClicked() {
    heard.push_back("swatch clicked");
    return keepClicks;
  }
  UINT drawnState = 0xFFFF;
  RECT drawnRect{};
  BOOL keepClicks = FALSE;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Swatch, CButton)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class TestDialog : public CDialog {
 public:
  explicit TestDialog(UINT id = 900) : CDialog(id) {}

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    // The program's own changes: none of them notifies but the edit's text.
    m_parts.AddString("Body");
    m_parts.AddString("Wheels");
    m_parts.SetCurSel(0);
    m_list.AddString("one\tfirst");
    m_list.AddString("two\tsecond");
    m_list.SetCurSel(1);
    m_slider.SetRange(0, 10);
    m_slider.SetPos(4);
    static_cast<CButton*>(GetDlgItem(kImprove))->SetCheck(BST_UNCHECKED);
    GetDlgItem(kWidth)->SetWindowText("77");
    return TRUE;
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, kParts, m_parts);
    DDX_Control(dx, kList, m_list);
    DDX_Control(dx, kSlider, m_slider);
    DDX_Control(dx, kSwatch, m_swatch);
    DDX_Check(dx, kImprove, m_improve);
    DDX_Text(dx, kWidth, m_width);
    DDV_MinMaxUInt(dx, m_width, 1, 2034);
    DDX_Radio(dx, kSolid, m_style);
  }
  void OnWidthChanged() {
    heard.push_back("width changed");
    if (checkWhileTyping) UpdateData(TRUE);
  }
  void OnImprove() { heard.push_back("improve clicked"); }
  void OnParts() { heard.push_back("part " + std::to_string(m_parts.GetCurSel())); }
  void OnList() { heard.push_back("line " + std::to_string(m_list.GetCurSel())); }
  void OnListDouble() { heard.push_back("line double-clicked"); }
  void OnSwatch() { heard.push_back("parent saw swatch"); }
  void OnApply() { heard.push_back("apply"); }
  void OnVScroll(UINT code, UINT, CScrollBar*) { heard.push_back("vertical " + std::to_string(code)); }
  void OnHScroll(UINT code, UINT, CScrollBar* bar) {
    heard.push_back("scroll " + std::to_string(code) + " at " + std::to_string(m_slider.GetPos()) +
                    (reinterpret_cast<CWnd*>(bar) == &m_slider ? " from the slider" : ""));
  }

  bool checkWhileTyping = false;  // as the program's dialogs whose fields follow one another
  UINT m_width = 640;
  int m_improve = TRUE;
  int m_style = 1;
  CComboBox m_parts;
  CListBox m_list;
  CSliderCtrl m_slider;
  Swatch m_swatch;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
  ON_EN_CHANGE(kWidth, OnWidthChanged)
  ON_BN_CLICKED(kImprove, OnImprove)
  ON_CBN_SELCHANGE(kParts, OnParts)
  ON_LBN_SELCHANGE(kList, OnList)
  ON_LBN_DBLCLK(kList, OnListDouble)
  ON_BN_CLICKED(kSwatch, OnSwatch)
  ON_BN_CLICKED(kApply, OnApply)
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

class CountPage : public CPropertyPage {
 public:
  CountPage(UINT id, const char* name) : CPropertyPage(id), name_(name) {}
  BOOL OnInitDialog() override {
    heard.push_back(name_ + " made");
    return CPropertyPage::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, kCount, count);
    DDV_MinMaxInt(dx, count, 0, 16);
  }
  void OnOK() override { heard.push_back(name_ + " applied " + std::to_string(count)); }

  int count = 8;

 private:
  std::string name_;
};

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() {
    RegisterDialogTemplates(kTemplates, std::size(kTemplates));
    RegisterStringResources(kMessages, std::size(kMessages));
    heard.clear();
  }
  ~DialogTest() override { RegisterDialogTemplates(nullptr, 0); }

  // Runs the dialog modally; `user` acts on it once it is up. Returns DoModal's result.
  int Run(TestDialog& dialog, const std::function<void(QDialog*)>& user) {
    return RunModal([&] { return dialog.DoModal(); }, user);
  }
  template <class W>
  static W* Control(QDialog* window, int id) {
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (ControlIdOf(child) == id) return qobject_cast<W*>(child);
    return nullptr;
  }

  QtTestApplication qt_;
  ScriptedMessageBoxes boxes_;
};

// A refused value shows the range message and keeps the dialog open; Enter then accepts.
TEST_F(DialogTest, EnterAcceptsWhatTheUserTypedAndEscapeKeepsTheMembers) {
  TestDialog dialog;
  EXPECT_EQ(Run(dialog, [](QDialog* window) {
              auto* width = Control<QLineEdit>(window, kWidth);
              EXPECT_EQ(window->focusWidget(), width);  // the first tab stop
              EXPECT_EQ(width->selectedText(), "77");   // so typing replaces it
              QTest::keyClicks(width, "2035");
              QTest::mouseClick(Control<QPushButton>(window, IDOK), Qt::LeftButton);
              EXPECT_TRUE(window->isVisible());
              EXPECT_EQ(width->selectedText(), "2035");
              QTest::keyClicks(width, "2034");
              QTest::mouseClick(Control<QCheckBox>(window, kImprove), Qt::LeftButton);
              QTest::mouseClick(Control<QWidget>(window, kSolid), Qt::LeftButton);
              QTest::keyClick(width, Qt::Key_Enter);
            }),
            IDOK);
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(boxes_.boxes[0].text, "Please enter an integer between 1 and 2034.");
  EXPECT_EQ(dialog.m_width, 2034u);
  EXPECT_EQ(dialog.m_improve, 1);
  EXPECT_EQ(dialog.m_style, 0);
  EXPECT_EQ(dialog.m_parts.GetSafeHwnd(), nullptr);  // the windows are gone, the members stay

  TestDialog other;
  EXPECT_EQ(Run(other, [](QDialog* window) {
              QTest::keyClicks(Control<QLineEdit>(window, kWidth), "9");
              QTest::keyClick(window->focusWidget(), Qt::Key_Escape);
            }),
            IDCANCEL);
  EXPECT_EQ(other.m_width, 640u);
  TestDialog closed;
  EXPECT_EQ(Run(closed, [](QDialog* window) { window->close(); }), IDCANCEL);
  EXPECT_EQ(boxes_.boxes.size(), 1u);
}

// A number refused while typed is checked again when the field is left, but not for Cancel.
TEST_F(DialogTest, CancelOverAFieldThatHoldsNoNumberEndsTheDialogWithoutAMessage) {
  TestDialog dialog;
  dialog.checkWhileTyping = true;
  EXPECT_EQ(Run(dialog, [&](QDialog* window) {
              QTest::keyClicks(Control<QLineEdit>(window, kWidth), "12x");
              auto* cancel = Control<QPushButton>(window, IDCANCEL);
              // The press takes the focus from the field; what that queues runs before the release.
              QTest::mousePress(cancel, Qt::LeftButton);
              QApplication::processEvents();
              EXPECT_TRUE(boxes_.boxes.empty());
              QTest::mouseRelease(cancel, Qt::LeftButton);
              if (window->isVisible()) QTest::keyClick(window, Qt::Key_Escape);  // a refused Cancel ends all the same
            }),
            IDCANCEL);
  EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(DialogTest, OnlyTheUsersActionsNotifyButAnEditsTextAlwaysDoes) {
  TestDialog dialog;
  Run(dialog, [&](QDialog* window) {
    // Loading the controls in OnInitDialog told nobody; the program's SetWindowText did.
    EXPECT_EQ(heard, std::vector<std::string>{"width changed"});
    heard.clear();
    QTest::mouseClick(Control<QCheckBox>(window, kImprove), Qt::LeftButton);
    auto* parts = Control<QComboBox>(window, kParts);
    parts->setFocus();
    QTest::keyClick(parts, Qt::Key_Down);
    auto* list = Control<QListWidget>(window, kList);
    const QRect first = list->visualItemRect(list->item(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
    auto* slider = Control<QSlider>(window, kSlider);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    auto* time = Control<QSlider>(window, kTime);
    time->setFocus();
    QTest::keyClick(time, Qt::Key_Down);  // the minimum is at the top: down moves up the range
    QTest::keyClick(time, Qt::Key_End);
    QApplication::processEvents();
    QTest::mouseClick(Control<QPushButton>(window, kApply), Qt::LeftButton);
    dialog.m_swatch.keepClicks = TRUE;
    QTest::mouseClick(Control<QPushButton>(window, kSwatch), Qt::LeftButton);
    dialog.m_swatch.keepClicks = FALSE;
    QTest::mouseClick(Control<QPushButton>(window, kSwatch), Qt::LeftButton);
    dialog.EndDialog(IDCANCEL);
  });
  EXPECT_EQ(heard, (std::vector<std::string>{"improve clicked", "part 1", "line 0", "line double-clicked",
                                             "scroll 1 at 5 from the slider", "scroll 8 at 5 from the slider",
                                             "vertical 1", "vertical 8", "vertical 7", "vertical 8", "apply",
                                             "swatch clicked", "swatch clicked", "parent saw swatch"}));
}

TEST_F(DialogTest, DefaultButtonFollowsTheFocusAndTheDefaultIdAndOwnerDrawnButtonsDraw) {
  TestDialog dialog;
  EXPECT_EQ(Run(dialog, [&](QDialog* window) {
              // An owner-drawn button draws through its wrapper.
              auto* swatch = Control<QPushButton>(window, kSwatch);
              const QImage image = swatch->grab().toImage();
              EXPECT_EQ(image.pixel(swatch->width() / 2, swatch->height() / 2), qRgb(0, 0, 255));
              EXPECT_EQ(dialog.m_swatch.drawnRect.right, swatch->width());
              EXPECT_EQ(dialog.m_swatch.drawnState & (ODS_SELECTED | ODS_DISABLED), 0u);
              swatch->setEnabled(false);
              swatch->grab();
              EXPECT_EQ(dialog.m_swatch.drawnState & ODS_DISABLED, ODS_DISABLED);

              EXPECT_EQ(LOWORD(dialog.GetDefID()), static_cast<WORD>(IDOK));
              auto* apply = Control<QPushButton>(window, kApply);
              apply->setFocus();
              QTest::keyClick(apply, Qt::Key_Return);  // a focused push button is pressed
              EXPECT_EQ(heard.back(), "apply");
              dialog.SetDefID(kApply);
              Control<QLineEdit>(window, kWidth)->setFocus();
              QTest::keyClick(window->focusWidget(), Qt::Key_Return);
              EXPECT_EQ(heard.size(), 3u);  // width changed, apply, apply
              EXPECT_TRUE(window->isVisible());
              dialog.EndDialog(IDOK);
            }),
            IDOK);
}

// A DS_CENTER dialog stands in the middle of the screen's work area, wherever its owner is.
TEST_F(DialogTest, ACentredDialogStandsInTheMiddleOfTheWorkAreaNotOverItsOwner) {
  auto* owner = new CFrameWnd;
  ASSERT_TRUE(owner->Create("Owner", WS_VISIBLE, {0, 0, 200, 150}, nullptr));
  QApplication::processEvents();
  CDialog dialog(900, owner);
  RunModal([&] { return dialog.DoModal(); },
           [&](QDialog* window) {
             const QRect area = window->screen()->availableGeometry();
             const QPoint centre = window->frameGeometry().center();
             EXPECT_LE(std::abs(centre.x() - area.center().x()), 1);
             EXPECT_LE(std::abs(centre.y() - area.center().y()), 1);
             dialog.EndDialog(IDCANCEL);
           });
  owner->DestroyWindow();
}

// A sheet of three pages whose second page is shown first.
class PropertySheetTest : public DialogTest {
 protected:
  PropertySheetTest() {
    sheet_.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet_.AddPage(&general_);
    sheet_.AddPage(&undo_);
    sheet_.AddPage(&lens_);
  }
  int Run(const std::function<void(QDialog*)>& user) {
    return RunModal([&] { return sheet_.DoModal(); }, user);
  }
  static void ClickTab(QDialog* window, int index) {
    auto* tabs = window->findChild<QTabBar*>();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
  }
  static QLineEdit* Count(CPropertyPage* page) { return qobject_cast<QLineEdit*>(FindDialogControl(page, kCount)); }

  CountPage general_{910, "general"}, undo_{911, "undo"}, lens_{912, "lens"};
  CPropertySheet sheet_{900, nullptr, 1};
};

TEST_F(PropertySheetTest, PagesAreMadeWhenFirstShownAndOnlyThoseAreAppliedOnOK) {
  EXPECT_EQ(Run([&](QDialog* window) {
              EXPECT_EQ(window->windowTitle(), "Preferences");
              EXPECT_EQ(sheet_.GetActivePage(), &undo_);
              EXPECT_EQ(heard, std::vector<std::string>{"undo made"});
              QTest::keyClicks(Count(&undo_), "3");  // the text was selected: now "3"
              ClickTab(window, 0);
              EXPECT_EQ(sheet_.GetActivePage(), &general_);
              EXPECT_FALSE(Count(&undo_)->isVisible());
              EXPECT_EQ(general_.GetWidget()->pos(), QPoint(0, 0));  // in the corner of the taller area
              undo_.count = 5;  // shown again, the page loads its members
              ClickTab(window, 1);
              EXPECT_EQ(Count(&undo_)->text(), "5");
              QTest::keyClick(Count(&undo_), Qt::Key_Return);
            }),
            IDOK);
  EXPECT_EQ(heard, (std::vector<std::string>{"undo made", "general made", "general applied 8", "undo applied 5"}));
  EXPECT_EQ(undo_.GetSafeHwnd(), nullptr);  // windows gone, pages kept
  EXPECT_EQ(sheet_.GetSafeHwnd(), nullptr);
}

TEST_F(PropertySheetTest, ARefusedValueKeepsThePageAndCancelAppliesNothing) {
  EXPECT_EQ(Run([&](QDialog* window) {
              QLineEdit* count = Count(&undo_);
              QTest::keyClicks(count, "99");
              ClickTab(window, 2);
              EXPECT_EQ(sheet_.GetActivePage(), &undo_);
              EXPECT_EQ(window->findChild<QTabBar*>()->currentIndex(), 1);
              EXPECT_EQ(window->focusWidget(), count);
              QTest::mouseClick(window->findChildren<QPushButton*>()[0], Qt::LeftButton);  // OK
              EXPECT_TRUE(window->isVisible());
              QTest::keyClick(count, Qt::Key_Escape);
            }),
            IDCANCEL);
  ASSERT_EQ(boxes_.boxes.size(), 2u);
  EXPECT_EQ(boxes_.boxes[0].text, "Please enter an integer between 0 and 16.");
  EXPECT_EQ(heard, std::vector<std::string>{"undo made"});
  EXPECT_EQ(undo_.count, 99);  // taken before its range check refused it
}

// Inside a group's frame, the blank part of a label and of a check box shows what the frame shows
// around them, not a rectangle of the page's own colour.
TEST_F(DialogTest, LabelsAndCheckBoxesInsideAGroupShowTheGroupsBackground) {
  CPropertyPage page(913);
  CPropertySheet sheet(900);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  sheet.AddPage(&page);
  EXPECT_EQ(RunModal([&] { return sheet.DoModal(); },
                     [&](QDialog* window) {
                       const QImage image = window->grab().toImage();
                       const auto at = [&](int id, int fromRight) {
                         const QWidget* control = FindDialogControl(&page, id);
                         const QPoint corner = control->mapTo(window, QPoint(control->width() - fromRight, 0));
                         return image.pixel(corner + QPoint(0, control->height() / 2));
                       };
                       const QRgb group = at(kQuality, 12);  // inside the frame, right of the controls
                       EXPECT_EQ(at(kLow, 3), group);
                       EXPECT_EQ(at(kColors, 3), group);
                       window->findChildren<QPushButton*>()[1]->click();  // Cancel
                     }),
            IDCANCEL);
}

// A modeless dialog of the exchange template.
class DataExchangeTest : public DialogTest {
 protected:
  DataExchangeTest() {
    EXPECT_TRUE(dialog_.Create(903));
    dialog_.GetWidget()->activateWindow();  // focus moves only in the active window
    QApplication::processEvents();
  }
  QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(FindDialogControl(&dialog_, id)); }
  QAbstractButton* Button(int id) { return qobject_cast<QAbstractButton*>(FindDialogControl(&dialog_, id)); }
  // Runs `exchange` in one direction; false when it refused a value.
  bool Exchange(bool save, const std::function<void(CDataExchange*)>& exchange) {
    CDataExchange dx(&dialog_, save);
    try {
      exchange(&dx);
      return true;
    } catch (const CUserException&) {
      return false;
    }
  }

  CDialog dialog_;
};

TEST_F(DataExchangeTest, EveryKindRoundTripsThroughItsControl) {
  CString name = "Chair 2";
  int count = -17;
  UINT width = 4000000000u;
  BYTE level = 255;
  double focal = 0.1;
  int checked = 1, style = 2, pattern = -1;
  const auto all = [&](CDataExchange* dx) {
    DDX_Text(dx, 10, name);
    DDX_Text(dx, 11, count);
    DDX_Text(dx, 12, width);
    DDX_Check(dx, 13, checked);
    DDX_Radio(dx, 20, style);
    DDX_Radio(dx, 30, pattern);
  };
  ASSERT_TRUE(Exchange(false, all));
  EXPECT_EQ(Edit(12)->text(), "4000000000");
  EXPECT_TRUE(Button(22)->isChecked());
  EXPECT_FALSE(Button(30)->isChecked() || Button(31)->isChecked());

  name = "", count = 0, width = 0, checked = 0, style = 0, pattern = 5;
  ASSERT_TRUE(Exchange(true, all));
  EXPECT_EQ(name, "Chair 2");
  EXPECT_EQ(count, -17);
  EXPECT_EQ(width, 4000000000u);
  EXPECT_EQ(checked, 1);
  EXPECT_EQ(style, 2);
  EXPECT_EQ(pattern, -1);

  Button(31)->click();  // the user picks Y: X stays off
  Button(20)->click();
  ASSERT_TRUE(Exchange(true, all));
  EXPECT_EQ(pattern, 1);
  EXPECT_EQ(style, 0);

  for (double v : {0.1, 1e-20, 123456789.123456, -2.5}) {
    focal = v;
    ASSERT_TRUE(Exchange(false, [&](CDataExchange* dx) { DDX_Text(dx, 10, focal); }));
    focal = 0;
    ASSERT_TRUE(Exchange(true, [&](CDataExchange* dx) { DDX_Text(dx, 10, focal); }));
    EXPECT_EQ(focal, std::stod(Edit(10)->text().toStdString()));
    EXPECT_NEAR(focal, v, std::abs(v) * 1e-14);
  }
  ASSERT_TRUE(Exchange(false, [&](CDataExchange* dx) { DDX_Text(dx, 10, level); }));
  level = 0;
  ASSERT_TRUE(Exchange(true, [&](CDataExchange* dx) { DDX_Text(dx, 10, level); }));
  EXPECT_EQ(level, 255);
  EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(DataExchangeTest, BadTextShowsTheTypesMessageAndFocusesTheField) {
  struct Case {
    const char* text;
    std::function<void(CDataExchange*)> exchange;
    const char* message;
  };
  int i = 0;
  UINT u = 0;
  BYTE b = 0;
  double d = 0;
  const Case cases[] = {
      {"-0", [&](CDataExchange* dx) { DDX_Text(dx, 11, u); }, "Please enter a positive integer."},
      {"4294967296", [&](CDataExchange* dx) { DDX_Text(dx, 11, u); }, "Please enter a positive integer."},
      {"12x", [&](CDataExchange* dx) { DDX_Text(dx, 11, i); }, "Please enter an integer."},
      {"2147483648", [&](CDataExchange* dx) { DDX_Text(dx, 11, i); }, "Please enter an integer."},
      {"256", [&](CDataExchange* dx) { DDX_Text(dx, 11, b); }, "Please enter an integer between 0 and 255."},
      {"1.5.2", [&](CDataExchange* dx) { DDX_Text(dx, 11, d); }, "Please enter a number."},
  };
  for (const Case& c : cases) {
    Edit(11)->setText(c.text);
    Edit(10)->setFocus();
    boxes_.boxes.clear();
    EXPECT_FALSE(Exchange(true, c.exchange)) << c.text;
    ASSERT_EQ(boxes_.boxes.size(), 1u) << c.text;
    EXPECT_EQ(boxes_.boxes[0].text, c.message);
    EXPECT_EQ(boxes_.boxes[0].style & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(dialog_.GetWidget()->focusWidget(), Edit(11)) << c.text;
    EXPECT_EQ(Edit(11)->selectedText(), c.text);
  }
  Edit(11)->setText("  42 ");
  EXPECT_TRUE(Exchange(true, [&](CDataExchange* dx) { DDX_Text(dx, 11, i); }));
  EXPECT_EQ(i, 42);
}

TEST_F(DataExchangeTest, RangeChecksStopAtTheFirstFailureKeepingEarlierValues) {
  UINT height = 480, width = 640;
  double size = 1;
  const auto exchange = [&](CDataExchange* dx) {
    DDX_Text(dx, 11, height);
    DDV_MinMaxUInt(dx, height, 1, 2034);
    DDX_Text(dx, 12, width);
    DDV_MinMaxUInt(dx, width, 1, 2034);
    DDX_Text(dx, 10, size);
    DDV_MinMaxDouble(dx, size, 1e-20, 1e20);
  };
  Edit(11)->setText("2034");
  Edit(12)->setText("0");
  Edit(10)->setText("1e21");
  EXPECT_FALSE(Exchange(true, exchange));
  EXPECT_EQ(height, 2034u);
  EXPECT_EQ(width, 0u);  // taken before its check refused it
  ASSERT_EQ(boxes_.boxes.size(), 1u);
  EXPECT_EQ(boxes_.boxes[0].text, "Please enter an integer between 1 and 2034.");
  EXPECT_EQ(dialog_.GetWidget()->focusWidget(), Edit(12));

  Edit(12)->setText("1");
  EXPECT_FALSE(Exchange(true, exchange));
  EXPECT_EQ(boxes_.boxes.back().text, "Please enter a number between 1e-20 and 1e+20.");

  boxes_.boxes.clear();
  width = 9999;  // loading shows values as they are, out of range or not
  EXPECT_TRUE(Exchange(false, exchange));
  EXPECT_EQ(Edit(12)->text(), "9999");
  EXPECT_TRUE(boxes_.boxes.empty());
}

TEST(MapDialogRect, ConvertsEachEdgeWithTheBaseUnits) {
  const DialogBaseUnits msSansSerif8{6, 13};
  EXPECT_EQ(CRect(MapDialogRect(34, 7, 30, 14, msSansSerif8)), CRect(51, 11, 96, 34));  // 11.375, 34.125
  EXPECT_EQ(CRect(MapDialogRect(0, 0, 186, 70, msSansSerif8)), CRect(0, 0, 279, 114));  // 113.75
}

// A template's font that the machine lacks stands in as DejaVu Sans Condensed on every machine,
// whatever sans font fontconfig would choose; its package is one that setup installs.
TEST(DialogFont, AMissingTemplateFontStandsInAsCondensedDejaVuSans) {
  QtTestApplication qt;
  const QFontInfo standIn(DialogFont(kTemplate));
  EXPECT_EQ(standIn.family(), "DejaVu Sans");
  EXPECT_EQ(standIn.styleName(), "Condensed");
  EXPECT_EQ(standIn.pixelSize(), 11);  // 8 points at 96 dots an inch
}

// The results of list box, combo box and track bar calls that the program checks; a modeless end.
TEST_F(DataExchangeTest, RefusalsAndRangesComeBackAsTheProgramChecksThem) {
  auto& list = *static_cast<CListBox*>(dialog_.GetDlgItem(1));
  EXPECT_EQ(list.AddString("b"), 0);
  EXPECT_EQ(list.InsertString(0, "a"), 0);
  EXPECT_EQ(list.InsertString(-1, "d"), 2);
  EXPECT_EQ(list.InsertString(9, "x"), LB_ERR);
  EXPECT_EQ(list.DeleteString(3), LB_ERR);
  EXPECT_EQ(list.DeleteString(2), 2);
  CString text;
  EXPECT_EQ(list.GetText(1, text), 1);
  EXPECT_EQ(text, "b");
  list.SetCurSel(1);
  EXPECT_EQ(list.SetCurSel(-1), LB_ERR);  // clears the selection
  EXPECT_EQ(list.GetCurSel(), LB_ERR);

  auto& combo = *static_cast<CComboBox*>(dialog_.GetDlgItem(2));
  EXPECT_EQ(combo.GetCurSel(), -1);
  combo.AddString("in");
  combo.AddString("cm");
  EXPECT_EQ(combo.SetCurSel(1), 1);
  EXPECT_EQ(combo.SetCurSel(2), CB_ERR);
  EXPECT_EQ(combo.GetCurSel(), -1);

  auto& slider = *static_cast<CSliderCtrl*>(dialog_.GetDlgItem(3));
  slider.SetRange(1, 300);
  slider.SetPos(500);
  EXPECT_EQ(slider.GetPos(), 300);
  slider.SetRange(1, 65);
  EXPECT_EQ(slider.GetPos(), 65);
  EXPECT_EQ(slider.GetRangeMin(), 1);

  EXPECT_TRUE(dialog_.GetWidget()->isVisible());  // a modeless dialog shows at once
  dialog_.EndDialog(IDOK);
  EXPECT_FALSE(dialog_.GetWidget()->isVisible());
  EXPECT_EQ(TestDialog(999).DoModal(), -1);  // no such template
}

// Acts on the modal dialog of type D once it is open.
template <class D>
void WhenOpen(const std::function<void(D*)>& act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(dialog);
  });
}

// Custom colours start white and are shared by the dialogs of one run.
TEST_F(DialogTest, ColourDialogOpensAtTheStartColourAndSharesTheCustomColours) {
  EXPECT_EQ(CColorDialog().DoModal(), IDCANCEL);  // no backend: nothing to show
  QtColorDialogBackend backend;
  ColorDialogBackend* previous = SetColorDialogBackend(&backend);
  CColorDialog dialog(RGB(200, 100, 50));
  EXPECT_EQ(dialog.m_cc.Flags & CC_RGBINIT, CC_RGBINIT);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(dialog.m_cc.lpCustColors[i], 0xFFFFFFu) << i;
  WhenOpen<QColorDialog>([](QColorDialog* shown) {
    EXPECT_EQ(shown->currentColor(), QColor(200, 100, 50));
    shown->setCurrentColor(QColor(0, 128, 255));
    QColorDialog::setCustomColor(3, QColor(1, 2, 3));
    shown->accept();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetColor(), RGB(0, 128, 255));

  CColorDialog black(0);
  EXPECT_EQ(black.m_cc.Flags & CC_RGBINIT, 0u);
  EXPECT_EQ(black.m_cc.lpCustColors[3], RGB(1, 2, 3));
  WhenOpen<QColorDialog>([](QColorDialog* shown) { shown->reject(); });
  EXPECT_EQ(black.DoModal(), IDCANCEL);
  EXPECT_EQ(black.GetColor(), 0u);
  black.m_cc.lpCustColors[3] = 0xFFFFFF;
  QColorDialog::setCustomColor(3, Qt::white);
  SetColorDialogBackend(previous);
}

// Picking another type gives typed names that type's extension, as the program's hook says.
class TypedSaveDialog : public CFileDialog {
 public:
  TypedSaveDialog() : CFileDialog(FALSE, "scene", OFN_HIDEREADONLY, "Tavrolin files (*.tvr)|*.tvr|Bitmap images (*.bmp)|*.bmp||") {}
  void OnTypeChange() override { SetDefExt(m_ofn.nFilterIndex == 2 ? "bmp" : "tvr"); }
};

TEST_F(DialogTest, FileDialogShowsTheRequestReturnsTheFileChosenAndTheTypePicked) {
  TemporaryFolder folder;
  std::ofstream(folder / "chair.ulm") << "x";
  FileDialogRequest request{true, "Where is the file chair.ulm?", folder.Path(), "",
                                  {{"Tavrolin files (*.tvr)", "*.tvr"}, {"All files (*.*)", "*.*"}}, 1, 0x1806, "", {}};
  QtFileDialogBackend backend;
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Where is the file chair.ulm?");
    EXPECT_EQ(dialog->directory().absolutePath().toStdString(), folder.Path());
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->nameFilters(), QStringList({"Tavrolin files (*.tvr)", "All files (*)"}));
    EXPECT_EQ(dialog->selectedNameFilter(), "All files (*)");
    dialog->selectFile(QString::fromStdString(folder / "chair.ulm"));
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(backend.Run(request), folder / "chair.ulm");
  WhenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(backend.Run(request), std::nullopt);

  // A save dialog whose type the user changes.
  FileDialogBackend* previous = SetFileDialogBackend(&backend);
  TypedSaveDialog dialog;
  dialog.m_ofn.lpstrInitialDir = request.initialFolder.c_str();
  dialog.m_ofn.lpstrDefExt = "tvr";
  WhenOpen<QFileDialog>([](QFileDialog* shown) {
    EXPECT_EQ(shown->defaultSuffix(), "tvr");
    auto* types = shown->findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);  // the user picks the bitmaps
    EXPECT_EQ(shown->defaultSuffix(), "bmp");
    static_cast<QDialog*>(shown)->accept();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2u);
  EXPECT_EQ(dialog.GetFileName(), "scene.bmp");
  EXPECT_EQ(dialog.GetFileExt(), "bmp");
  EXPECT_EQ(dialog.GetPathName(), (folder / "scene.bmp").c_str());
  SetFileDialogBackend(previous);
}

// A file chosen makes its folder the current one, and a dialog without a folder of its own starts
// in the current folder, not in the one the toolkit showed last.
TEST_F(DialogTest, TheFolderOfAFileChosenBecomesCurrentAndTheNextDialogStartsThere) {
  const std::string before = std::filesystem::current_path().string();
  TemporaryFolder folder;
  std::filesystem::create_directories(folder / "art");
  QtFileDialogBackend backend;
  FileDialogBackend* previous = SetFileDialogBackend(&backend);
  CFileDialog open(TRUE, nullptr, OFN_HIDEREADONLY, "All files (*.*)|*.*||");
  std::string shown;
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    shown = dialog->directory().absolutePath().toStdString();
    dialog->selectFile(QString::fromStdString(folder / "art/chair.ulm"));
    static_cast<QDialog*>(dialog)->accept();
  });
  ASSERT_TRUE(std::filesystem::current_path() != folder / "art");
  EXPECT_EQ(open.DoModal(), IDOK);
  EXPECT_EQ(shown, before);
  EXPECT_EQ(std::filesystem::current_path(), folder / "art");

  // Elsewhere now, the dialog follows.
  std::filesystem::current_path(folder.Path());
  CFileDialog save(FALSE, "scene", OFN_HIDEREADONLY, "All files (*.*)|*.*||");
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    shown = dialog->directory().absolutePath().toStdString();
    dialog->reject();
  });
  EXPECT_EQ(save.DoModal(), IDCANCEL);
  EXPECT_EQ(shown, folder.Path());
  EXPECT_EQ(std::filesystem::current_path(), folder.Path());
  SetFileDialogBackend(previous);
  std::filesystem::current_path(before);
}

}  // namespace
