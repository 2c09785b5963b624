// Property sheets driven by clicks and keys: pages made when first shown, checked when left,
// applied on OK when they have a window, and nothing applied on Cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/framework/DialogWidgets.h"
#include "platform/framework/PropertySheet.h"
#include "platform/win/QtTestApplication.h"
#include "platform/win/StringResources.h"
#include "RunModal.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

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
const DialogTemplate* const kTemplates[] = {&kGeneral, &kUndo, &kLens};
constexpr StringResource kStrings[] = {
    {900, "Preferences"},
    {61714, "Please enter an integer between %1 and %2."},
};

std::vector<std::string> events;

class CountPage : public CPropertyPage {
 public:
  CountPage(UINT id, const char* name) : CPropertyPage(id), name_(name) {}
  BOOL OnInitDialog() override {
    initialized = true;
    events.push_back(name_ + " made");
    return CPropertyPage::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, kCount, count);
    DDV_MinMaxInt(dx, count, 0, 16);
  }
  void OnOK() override { events.push_back(name_ + " applied " + std::to_string(count)); }

  int count = 8;
  bool initialized = false;

 private:
  std::string name_;
};

class PropertySheetTest : public ::testing::Test {
 protected:
  PropertySheetTest() {
    RegisterDialogTemplates(kTemplates, std::size(kTemplates));
    RegisterStringResources(kStrings, std::size(kStrings));
    events.clear();
    sheet_.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet_.AddPage(&general_);
    sheet_.AddPage(&undo_);
    sheet_.AddPage(&lens_);
  }
  ~PropertySheetTest() override { RegisterDialogTemplates(nullptr, 0); }

  int Run(const std::function<void(QDialog*)>& user) {
    return RunModal([&] { return sheet_.DoModal(); }, user);
  }
  static void ClickTab(QDialog* window, int index) {
    auto* tabs = window->findChild<QTabBar*>();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
  }
  static QLineEdit* Count(CPropertyPage* page) { return qobject_cast<QLineEdit*>(FindDialogControl(page, kCount)); }

  QtTestApplication qt_;
  ScriptedMessageBoxes boxes_;
  CountPage general_{910, "general"}, undo_{911, "undo"}, lens_{912, "lens"};
  CPropertySheet sheet_{900, nullptr, 1};
};

TEST_F(PropertySheetTest, PagesAreMadeWhenFirstShownAndOnlyThoseAreAppliedOnOK) {
  EXPECT_EQ(Run([&](QDialog* window) {
              EXPECT_EQ(window->windowTitle(), "Preferences");
              EXPECT_EQ(window->findChild<QTabBar*>()->tabText(2), "Lens");
              EXPECT_EQ(sheet_.GetActivePage(), &undo_);
              EXPECT_EQ(events, std::vector<std::string>{"undo made"});
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
  EXPECT_EQ(events, (std::vector<std::string>{"undo made", "general made", "general applied 8", "undo applied 5"}));
  EXPECT_TRUE(undo_.initialized && general_.initialized);
  EXPECT_FALSE(lens_.initialized);
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
  EXPECT_EQ(events, std::vector<std::string>{"undo made"});
  EXPECT_EQ(undo_.count, 99);  // taken before its range check refused it
}

}  // namespace
