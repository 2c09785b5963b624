#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>

#include "platform/framework/Dialog.h"
#include "platform/framework/DialogWidgets.h"
#include "platform/win/QtTestApplication.h"

namespace {

// The width a control has for its text: a check box keeps the rest for its box.
int TextRoom(QWidget* w) {
  if (!qobject_cast<QCheckBox*>(w)) return w->width();
  QStyleOptionButton option;
  option.initFrom(w);
  return w->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, w).width();
}

TEST(DialogTemplates, ControlsSitAtTheirDialogUnitsAndShowTheirWholeText) {
  QtTestApplication app;
  for (UINT id : {10001u, 10002u}) {
    const DialogTemplate* t = FindDialogTemplate(id);
    ASSERT_NE(t, nullptr);
    CDialog owner;
    ASSERT_TRUE(owner.Create(id));
    QWidget* dialog = owner.GetWidget();
    const DialogBaseUnits base = MeasureBaseUnits(dialog->font());
    EXPECT_GE(base.x, 5);
    EXPECT_GE(base.y, 11);
    EXPECT_EQ(dialog->size(), ToQRect(MapDialogRect(0, 0, t->cx, t->cy, base)).size());
    EXPECT_EQ(dialog->windowTitle(), t->caption);
    const QList<QWidget*> controls = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(static_cast<std::size_t>(controls.size()), t->controlCount);
    for (std::size_t i = 0; i < t->controlCount; ++i) {
      const DialogControl& c = t->controls[i];
      QWidget* w = controls[static_cast<qsizetype>(i)];
      EXPECT_EQ(ControlIdOf(w), c.id);
      EXPECT_EQ(w->geometry(), ToQRect(MapDialogRect(c.x, c.y, c.cx, c.cy, base))) << id << " control " << i;
      if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
        EXPECT_LE(w->fontMetrics().horizontalAdvance(w->windowTitle()), TextRoom(w)) << c.text;
      }
    }
  }
}

}  // namespace
