#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <functional>
#include <iterator>

#include "platform/framework/DataExchange.h"
#include "platform/framework/DialogWidgets.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/Wnd.h"
#include "platform/win/QtTestApplication.h"
#include "platform/win/StringResources.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

constexpr DWORD kEdit = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DialogControl kControls[] = {
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

// The framework's messages, as the program's string table carries them.
constexpr StringResource kMessages[] = {
    {61712, "Please enter an integer."},
    {61713, "Please enter a number."},
    {61714, "Please enter an integer between %1 and %2."},
    {61715, "Please enter a number between %1 and %2."},
    {61718, "Please enter an integer between 0 and 255."},
    {61719, "Please enter a positive integer."},
};

class DataExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStringResources(kMessages, std::size(kMessages));
    dialog_.Create("Exchange", WS_VISIBLE, RECT{0, 0, 300, 200}, nullptr);
    for (const DialogControl& c : kControls)
      CreateControlWidget(c, dialog_.GetWidget(), QRect(c.x, c.y, c.cx, c.cy));
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

  QtTestApplication app_;
  CWnd dialog_;
  ScriptedMessageBoxes boxes_;
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
      {"abc", [&](CDataExchange* dx) { DDX_Text(dx, 11, u); }, "Please enter a positive integer."},
      {"-5", [&](CDataExchange* dx) { DDX_Text(dx, 11, u); }, "Please enter a positive integer."},
      {"4294967296", [&](CDataExchange* dx) { DDX_Text(dx, 11, u); }, "Please enter a positive integer."},
      {"12x", [&](CDataExchange* dx) { DDX_Text(dx, 11, i); }, "Please enter an integer."},
      {"", [&](CDataExchange* dx) { DDX_Text(dx, 11, i); }, "Please enter an integer."},
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

}  // namespace
