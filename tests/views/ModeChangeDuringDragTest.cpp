// A drag in a camera window whose interactive mode the user changes by a key while the button is
// still held: every mode to every other, and a held key let go.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FatalCheck.h"
#include "views/CountedClientDC.h"
#include "views/InteractiveModes.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

// The key of `mode`: Ctrl+0 .. Ctrl+9 for 0 .. 9, Alt+1 .. Alt+9 for 10 .. 18, Alt+0 for 19. It sets
// the application's mode, and while it is held the window's.
struct ModeKey {
  Qt::Key key;
  Qt::KeyboardModifier modifier;
};
ModeKey KeyOf(int mode) {
  if (mode <= 9) return {static_cast<Qt::Key>(Qt::Key_0 + mode), Qt::ControlModifier};
  return {static_cast<Qt::Key>(Qt::Key_0 + (mode - 9) % 10), Qt::AltModifier};
}

struct ModeChange {
  int mode;     // the application's mode at the press
  bool letGo;   // Alt+4 (mode 13), held since before the press, is let go during the drag;
  int keyMode;  // otherwise the key of this mode is pressed during the drag
};

void PrintTo(const ModeChange& c, std::ostream* out) {
  if (c.letGo)
    *out << "Alt+4 let go in mode " << c.mode;
  else
    *out << c.mode << " -> " << c.keyMode;
}

struct ModeChangeDuringDrag : SceneWindows {
  void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held, Qt::KeyboardModifiers keys = {}) {
    views_test::SendMouse(view->GetWidget(), type, at, held, keys);
  }
  // The middle of where a pick in the window hits `group`.
  QPoint PointOn(GroupSO* group) {
    QRect hits;
    const QSize size = view->GetWidget()->size();
    for (int y = 0; y < size.height(); y += 4)
      for (int x = 0; x < size.width(); x += 4) {
        CountedClientDC dc(view);
        XDPoint point(x, y);
        dc.DPtoLP(point);
        if (const PickRecord pick = view->Pick(point); pick.picked && pick.group == group)
          hits |= QRect(x, y, 1, 1);
      }
    EXPECT_FALSE(hits.isEmpty()) << "the object is out of sight";
    return hits.center();
  }
  X3DView* view = nullptr;
};

// A press in Rotate Object About or Move Object Towards Object selects nothing. Whichever mode a
// key then gives the drag, the program goes on; an object mode with nothing selected moves
// nothing, and a drag that selected the object at its start goes on moving it.
TEST_F(ModeChangeDuringDrag, AKeyMayGiveTheDragAnyModeAndAnObjectModeMovesOnlyASelection) {
  Key(Qt::Key_N);
  view = Views(Scene()).at(0);
  view->ImportFile(TAVROLIN_BINARY_DIR "/Objects/Cube.ulm");
  XDocument& doc = Scene();
  ASSERT_EQ(doc.GetSelectedCount(), 1);
  const Ptr<GroupSO> cube = doc.GetSelected(0);
  const CameraFields camera = view->settings;
  const Transform place = cube->GetTransform();
  const Vector scale = cube->scale;
  const QPoint at = PointOn(cube);
  // Keys held in another program's window reach the camera window's mode, not its commands.
  QWidget elsewhere;

  std::vector<ModeChange> changes;
  for (int from = 0; from < numberInteractiveModes; ++from)
    for (int to = 0; to < numberInteractiveModes; ++to)
      if (to != from) changes.push_back({from, false, to});
  for (int mode = 0; mode < numberInteractiveModes; ++mode)
    if (mode != rotateObjectAboutMode && mode != 13) changes.push_back({mode, true, mode});

  const ModeKey alt4 = KeyOf(13);
  for (const ModeChange& c : changes) {
    SCOPED_TRACE(::testing::PrintToString(c));
    view->settings = camera;
    view->needsRender = TRUE;
    cube->SetTransform(place);
    cube->scale = scale;
    Key(KeyOf(c.mode).key, KeyOf(c.mode).modifier);
    doc.SelectOnly(nullptr, FALSE, 0);
    const ModeKey k = c.letGo ? alt4 : KeyOf(c.keyMode);
    Qt::KeyboardModifiers before, after;
    if (c.letGo) {
      QTest::keyPress(&elsewhere, alt4.key, alt4.modifier);
      before = alt4.modifier;
    } else {
      after = k.modifier;
    }
    Transform changed;
    std::string fatal;
    int selected = -1;
    try {
      Send(QEvent::MouseButtonPress, at, Qt::LeftButton, before);
      Send(QEvent::MouseMove, at + QPoint(8, 8), Qt::LeftButton, before);
      Send(QEvent::MouseMove, at + QPoint(12, 12), Qt::LeftButton, before);
      if (c.letGo)
        QTest::keyRelease(&elsewhere, k.key, k.modifier);
      else
        QTest::keyPress(main->GetWidget(), k.key, k.modifier);
      QApplication::processEvents();
      changed = cube->GetTransform();
      Send(QEvent::MouseMove, at + QPoint(16, 20), Qt::LeftButton, after);
      Send(QEvent::MouseMove, at + QPoint(20, 28), Qt::LeftButton, after);
      selected = doc.GetSelectedCount();
    } catch (const FatalCheckFailed& failure) {
      fatal = failure.report.expression;
    }
    if (!c.letGo) QTest::keyRelease(main->GetWidget(), k.key, k.modifier);
    Send(QEvent::MouseButtonRelease, at + QPoint(20, 28), Qt::NoButton);
    QApplication::processEvents();
    EXPECT_EQ(fatal, "");

    // The mode after the key moves the cube only when the press selected it.
    const int mode = c.keyMode;
    const bool pressSelected = c.mode != rotateObjectAboutMode && c.mode != 13 && !c.letGo;
    const bool moves = !IsCameraMode(mode) && mode != 13 && pressSelected;
    EXPECT_EQ(cube->GetTransform() != changed, moves);
    EXPECT_EQ(selected, pressSelected ? 1 : 0);
  }
}

}  // namespace
