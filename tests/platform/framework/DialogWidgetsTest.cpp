#include <gtest/gtest.h>

#include <QDialog>
#include <QSlider>
#include <QTest>
#include <iterator>
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

constexpr DialogControl kControls[] = {
    {32770, ControlClass::TrackBar, "", 139, 21, 12, 100, TBS_VERT | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP},
};
constexpr DialogTemplate kTemplate = {900, "Test", 186, 150, "MS Sans Serif", 8, WS_POPUP | DS_SETFONT, 0,
                                      kControls, std::size(kControls)};

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

TEST(DialogWidgets, TrackBarsTellEveryMoveAfterTakingTheNewPosition) {
  QtTestApplication app;
  Recorder recorder;
  std::unique_ptr<QDialog> lights(CreateDialogWidget(kTemplate, nullptr, recorder.Notifier()));
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
