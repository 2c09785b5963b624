#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <string>

#include "platform/framework/Dialog.h"
#include "platform/framework/DialogWidgets.h"
#include "platform/win/QtTestApplication.h"
#include "platform/win/StringResources.h"
#include "resources/ProgramResources.h"

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
  for (UINT id : {10001u, 10002u, 10201u, 10202u, 10203u, 10204u, 10205u, 10207u, 10209u, 10301u, 10302u}) {
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
      if (auto* label = qobject_cast<QLabel*>(w); label && label->wordWrap()) {
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << c.text;  // wrapped, all lines shown
      } else if (label || qobject_cast<QAbstractButton*>(w)) {
        EXPECT_LE(w->fontMetrics().horizontalAdvance(w->windowTitle()), TextRoom(w)) << c.text;
      }
    }
  }
}

// The status bar shows every template's own prompt, and the prompt and tip of every control of
// the program's own ids (above 10000) under the mouse: each needs its string.
TEST(DialogTemplates, EveryTemplateAndProgramControlHasItsPrompt) {
  for (std::size_t i = 0; i < kDialogTemplateCount; ++i) {
    const DialogTemplate& t = *kDialogTemplates[i];
    EXPECT_NE(FindStringResource(t.id), nullptr) << t.id;
    for (std::size_t c = 0; c < t.controlCount; ++c) {
      if (t.controls[c].id <= 10000) continue;
      const char* prompt = FindStringResource(static_cast<UINT>(t.controls[c].id));
      ASSERT_NE(prompt, nullptr) << t.id << " control " << t.controls[c].id;
      EXPECT_NE(std::string(prompt).find('\n'), std::string::npos) << t.controls[c].id;
    }
  }
}

}  // namespace
