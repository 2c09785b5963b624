// The program's calls on list boxes, combo boxes and track bars: the results its checks rely on.
#include <gtest/gtest.h>

#include <QListWidget>
#include <iterator>

#include "platform/framework/Controls.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/DialogWidgets.h"
#include "platform/framework/ListBoxDelegate.h"
#include "platform/win/QtTestApplication.h"

namespace {

constexpr DialogControl kControls[] = {
    {1, ControlClass::ListBox, "", 4, 4, 100, 60, LBS_NOTIFY | LBS_USETABSTOPS | WS_BORDER},
    {2, ControlClass::ComboBox, "", 110, 4, 60, 60, CBS_DROPDOWNLIST},
    {3, ControlClass::TrackBar, "", 110, 30, 60, 14, TBS_NOTICKS},
};
constexpr DialogTemplate kTemplate = {920, "Controls", 180, 70, "MS Sans Serif", 8, WS_POPUP | DS_SETFONT, 0,
                                      kControls, std::size(kControls)};
const DialogTemplate* const kTemplates[] = {&kTemplate};

TEST(Controls, RefusalsAndRangesComeBackAsTheProgramChecksThem) {
  QtTestApplication app;
  RegisterDialogTemplates(kTemplates, 1);
  CDialog dialog;
  ASSERT_TRUE(dialog.Create(920));
  auto& list = *static_cast<CListBox*>(dialog.GetDlgItem(1));
  EXPECT_EQ(list.AddString("b"), 0);
  EXPECT_EQ(list.InsertString(0, "a"), 0);
  EXPECT_EQ(list.InsertString(-1, "d"), 2);
  EXPECT_EQ(list.InsertString(9, "x"), LB_ERR);
  EXPECT_EQ(list.DeleteString(3), LB_ERR);
  EXPECT_EQ(list.DeleteString(2), 2);
  CString text;
  EXPECT_EQ(list.GetText(1, text), 1);
  EXPECT_EQ(text, "b");
  EXPECT_EQ(list.SetCurSel(1), 1);
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_EQ(list.SetCurSel(-1), LB_ERR);  // clears the selection
  EXPECT_EQ(list.GetCurSel(), LB_ERR);
  EXPECT_TRUE(list.SetTabStops(152));
  auto* widget = qobject_cast<QListWidget*>(list.GetWidget());
  EXPECT_EQ(dynamic_cast<ListBoxDelegate*>(widget->itemDelegate())->tabStop,
            152 * MeasureBaseUnits(widget->font()).x / 4);

  auto& combo = *static_cast<CComboBox*>(dialog.GetDlgItem(2));
  EXPECT_EQ(combo.GetCurSel(), -1);
  combo.AddString("in");
  combo.AddString("cm");
  EXPECT_EQ(combo.SetCurSel(1), 1);
  EXPECT_EQ(combo.SetCurSel(2), CB_ERR);
  EXPECT_EQ(combo.GetCurSel(), -1);
  EXPECT_EQ(combo.GetLBText(5, text), CB_ERR);

  auto& slider = *static_cast<CSliderCtrl*>(dialog.GetDlgItem(3));
  slider.SetRange(1, 300);
  slider.SetPos(500);
  EXPECT_EQ(slider.GetPos(), 300);
  slider.SetRange(1, 65);
  EXPECT_EQ(slider.GetPos(), 65);
  EXPECT_EQ(slider.GetRangeMin(), 1);
  RegisterDialogTemplates(nullptr, 0);
}

}  // namespace
