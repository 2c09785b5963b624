#include <gtest/gtest.h>

#include <QColorDialog>
#include <QTimer>

#include "platform/framework/QtColorDialog.h"
#include "platform/win/MessageBox.h"
#include "platform/win/QtTestApplication.h"
#include "support/ScriptedColorDialogs.h"

namespace {

TEST(CColorDialog, StartsFromTheColourGivenAndSharesTheCustomColoursForTheRun) {
  EXPECT_EQ(CColorDialog().DoModal(), IDCANCEL);  // no backend: nothing to show
  ScriptedColorDialogs dialogs;
  CColorDialog first(RGB(10, 20, 30));
  EXPECT_EQ(first.m_cc.Flags & CC_RGBINIT, CC_RGBINIT);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(first.m_cc.lpCustColors[i], 0xFFFFFFu) << i;
  dialogs.Answer({RGB(1, 2, 3)});
  first.m_cc.lpCustColors[5] = RGB(9, 9, 9);  // as a user adds a custom colour
  EXPECT_EQ(first.DoModal(), IDOK);
  EXPECT_EQ(first.GetColor(), RGB(1, 2, 3));

  CColorDialog black(0);
  EXPECT_EQ(black.m_cc.Flags & CC_RGBINIT, 0u);
  EXPECT_EQ(black.m_cc.lpCustColors[5], RGB(9, 9, 9));
  EXPECT_EQ(black.DoModal(), IDCANCEL);
  EXPECT_EQ(black.GetColor(), 0u);
  black.m_cc.lpCustColors[5] = 0xFFFFFF;
}

TEST(QtColorDialog, OpensAtTheStartColourAndKeepsCustomColoursTheUserSets) {
  QtTestApplication app;
  QtColorDialogBackend backend;
  ColorDialogBackend* previous = SetColorDialogBackend(&backend);
  CColorDialog dialog(RGB(200, 100, 50));
  QTimer::singleShot(0, [] {
    auto* shown = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->currentColor(), QColor(200, 100, 50));
    shown->setCurrentColor(QColor(0, 128, 255));
    QColorDialog::setCustomColor(3, QColor(1, 2, 3));
    shown->accept();
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetColor(), RGB(0, 128, 255));
  EXPECT_EQ(dialog.m_cc.lpCustColors[3], RGB(1, 2, 3));
  dialog.m_cc.lpCustColors[3] = 0xFFFFFF;
  SetColorDialogBackend(previous);
}

}  // namespace
