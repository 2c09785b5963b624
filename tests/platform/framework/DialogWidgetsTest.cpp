#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <memory>
#include <vector>

#include "platform/framework/DialogWidgets.h"
#include "platform/win/QtTestApplication.h"

namespace {

TEST(MapDialogRect, ConvertsEachEdgeWithTheBaseUnits) {
  const DialogBaseUnits msSansSerif8{6, 13};
  const RECT width = MapDialogRect(34, 7, 30, 14, msSansSerif8);
  EXPECT_EQ(width.left, 51);
  EXPECT_EQ(width.top, 11);  // 11.375
  EXPECT_EQ(width.right, 96);
  EXPECT_EQ(width.bottom, 34);  // 34.125
  const RECT client = MapDialogRect(0, 0, 186, 70, msSansSerif8);
  EXPECT_EQ(client.right, 279);
  EXPECT_EQ(client.bottom, 114);  // 113.75
}

struct Recorder {
  std::vector<ControlNotification> heard;
  ControlNotifier Notifier() {
    return [this](const ControlNotification& n) { heard.push_back(n); };
  }
  std::vector<std::pair<int, UINT>> IdsAndCodes() const {
    std::vector<std::pair<int, UINT>> out;
    for (const ControlNotification& n : heard) out.emplace_back(n.id, n.code);
    return out;
  }
};

template <class W>
W* Control(QDialog* dialog, int id) {
  for (QWidget* child : dialog->findChildren<QWidget*>())
    if (ControlIdOf(child) == id) return qobject_cast<W*>(child);
  return nullptr;
}

TEST(DialogWidgets, TemplateControlsSitAtTheirDialogUnitsAndShowTheirWholeText) {
  QtTestApplication app;
  for (UINT id : {10001u, 10002u}) {
    const DialogTemplate* t = FindDialogTemplate(id);
    ASSERT_NE(t, nullptr);
    std::unique_ptr<QDialog> dialog(CreateDialogWidget(*t, nullptr, {}));
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
      if (qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton option;
        option.initFrom(w);
        const QRect label = w->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, w);
        EXPECT_LE(w->fontMetrics().horizontalAdvance(w->windowTitle()), label.width()) << c.text;
      } else if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
        EXPECT_LE(w->fontMetrics().horizontalAdvance(w->windowTitle()), w->width()) << c.text;
      }
    }
  }
}

TEST(DialogWidgets, OnlyTheUsersActionsNotifyExceptAnEditsText) {
  QtTestApplication app;
  Recorder recorder;
  std::unique_ptr<QDialog> exportImage(CreateDialogWidget(*FindDialogTemplate(10002), nullptr, recorder.Notifier()));
  exportImage->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(exportImage.get()));
  auto* width = Control<QLineEdit>(exportImage.get(), 32819);
  auto* improve = Control<QCheckBox>(exportImage.get(), 32821);

  width->setText("64");  // the program's text: notifies
  {
    const QSignalBlocker quiet(improve);  // as the program checks a box
    improve->setChecked(true);
  }
  EXPECT_EQ(recorder.IdsAndCodes(), (std::vector<std::pair<int, UINT>>{{32819, EN_CHANGE}}));
  recorder.heard.clear();

  width->setFocus();
  QTest::keyClicks(width, "12");
  QTest::mouseClick(improve, Qt::LeftButton);
  QTest::mouseClick(Control<QPushButton>(exportImage.get(), 2002), Qt::LeftButton);
  EXPECT_EQ(recorder.IdsAndCodes(), (std::vector<std::pair<int, UINT>>{
                                        {32819, EN_CHANGE}, {32819, EN_CHANGE}, {32821, BN_CLICKED}, {2002, BN_CLICKED}}));
  EXPECT_EQ(width->windowTitle(), "6412");  // the text is also the window's title
  EXPECT_FALSE(improve->isChecked());
  width->setWindowTitle("7");
  EXPECT_EQ(width->text(), "7");
}

TEST(DialogWidgets, TrackBarsTellEveryMoveAfterTakingTheNewPosition) {
  QtTestApplication app;
  Recorder recorder;
  std::unique_ptr<QDialog> lights(CreateDialogWidget(*FindDialogTemplate(10001), nullptr, recorder.Notifier()));
  lights->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(lights.get()));
  auto* time = Control<QSlider>(lights.get(), 32770);
  time->setRange(0, 720);
  recorder.heard.clear();

  time->setFocus();
  QTest::keyClick(time, Qt::Key_Down);  // the minimum is at the top: down moves up the range
  QTest::keyClick(time, Qt::Key_End);
  QApplication::processEvents();
  ASSERT_EQ(recorder.heard.size(), 4u);
  EXPECT_EQ(recorder.heard[0].message, WM_VSCROLL);
  EXPECT_EQ(recorder.IdsAndCodes(), (std::vector<std::pair<int, UINT>>{
                                        {32770, TB_LINEDOWN}, {32770, TB_ENDTRACK}, {32770, TB_BOTTOM}, {32770, TB_ENDTRACK}}));
  EXPECT_EQ(time->value(), 720);
}

}  // namespace
