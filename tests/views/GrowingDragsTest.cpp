// Drags whose every step grows with the distance or size already reached, repeated far beyond any
// scene a user means to make: the objects and the camera stop where the scene can still be kept, and
// the scene saved then opens, shows, undoes and redoes as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/DocumentTestSupport.h"
#include "support/FatalCheck.h"
#include "views/CameraDrags.h"
#include "views/CountedClientDC.h"
#include "views/DragGeometry.h"
#include "views/SceneWindowsFixture.h"

namespace {

constexpr int kRepeats = 200;

struct GrowingDrag {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifier modifier;
  int windowKind;  // the window dragged in, maximised: 0 the Camera window, 1 the Front window
  QPointF at;      // where the drag starts, in parts of the window's width and height
  QPoint by;       // the drag
  bool camera;     // the camera moves, not an object
  int chairs;      // 2: a second chair stands just before the first in the Front window
  bool towards;    // the second chair, pressed on, moves from the first, selected
};

// Each drag goes the way that carries the object or the camera further out: up raises an object,
// pushes it or the camera away, moves the camera from the chair and lower (below the ground); down
// grows an object and moves the second chair from the first.
const GrowingDrag kDrags[] = {
    {"Raise/Lower Object", Qt::Key_1, Qt::AltModifier, 1, {0.5, 0.8}, {0, -400}, false, 1, false},
    {"Push/Pull Object", Qt::Key_4, Qt::ControlModifier, 0, {0.5, 0.8}, {0, -400}, false, 1, false},
    {"Size Object", Qt::Key_0, Qt::ControlModifier, 0, {0.5, 0.2}, {0, 400}, false, 1, false},
    // From a corner, which the chairs leave free.
    {"Move Object", Qt::Key_3, Qt::ControlModifier, 1, {0.05, 0.05}, {400, 0}, false, 2, false},
    // From the second chair, wherever it shows.
    {"Move Object Towards Object", Qt::Key_4, Qt::AltModifier, 1, {}, {0, 400}, false, 2, true},
    {"Raise/Lower Camera", Qt::Key_5, Qt::AltModifier, 0, {0.5, 0.8}, {0, -400}, true, 1, false},
    {"Push/Pull Camera", Qt::Key_9, Qt::ControlModifier, 0, {0.5, 0.8}, {0, -400}, true, 1, false},
    {"Move Camera", Qt::Key_8, Qt::ControlModifier, 0, {0.25, 0.5}, {400, 0}, true, 1, false},
    {"Move Camera Towards Object", Qt::Key_7, Qt::AltModifier, 0, {0.5, 0.8}, {0, -400}, true, 1, false},
};

// Where the dragged thing stands: its world box, or the camera's place twice.
std::pair<Vector, Vector> Place(const GrowingDrag& drag, GroupSO& moved, X3DView& window) {
  if (drag.camera) return {CameraPosition(window.settings.transform), CameraPosition(window.settings.transform)};
  const Transform world = moved.GetWorldTransform();
  const BoundingBox box = moved.GetBox(&world);
  return {box.min, box.max};
}

double Distance(const std::pair<Vector, Vector>& a, const std::pair<Vector, Vector>& b) {
  return std::max((a.first - b.first).Length(), (a.second - b.second).Length());
}

struct GrowingDrags : views_test::SceneWindows {
  void Send(X3DView& view, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    views_test::SendMouse(view.GetWidget(), type, at, held);
  }
  // A press and release, settled as a click by a move beyond the drag box.
  void Click(X3DView& view, QPoint at) {
    Send(view, QEvent::MouseButtonPress, at, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, at, Qt::NoButton);
    // The window still holds the mouse while it waits for a second click.
    Send(view, QEvent::MouseMove, at + QPoint(10, 10), view.IsMouseDown() ? Qt::LeftButton : Qt::NoButton);
    QApplication::processEvents();
  }
  // A drag starts once the pointer has left the drag box both across and up or down: its first
  // move goes a few pixels both ways, its last a little aside.
  void Drag(X3DView& view, QPoint from, QPoint by) {
    const QPoint start(by.x() < 0 ? -6 : 6, by.y() < 0 ? -6 : 6);
    const QPoint end = from + by + (by.x() ? QPoint(0, 12) : QPoint(12, 0));
    Send(view, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Send(view, QEvent::MouseMove, from + start, Qt::LeftButton);
    Send(view, QEvent::MouseMove, end, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, end, Qt::NoButton);
  }
  static bool Hits(X3DView& view, QPoint at, GroupSO* group) {
    CountedClientDC dc(&view);
    XDPoint point(at.x(), at.y());
    dc.DPtoLP(point);
    const PickRecord pick = view.Pick(point);
    return pick.picked && pick.group == group;
  }
  // A point of `view` where a pick hits `group`.
  static std::optional<QPoint> PointOn(X3DView& view, GroupSO* group) {
    const QSize size = view.GetWidget()->size();
    for (int y = 2; y < size.height(); y += 5)
      for (int x = 2; x < size.width(); x += 5)
        if (Hits(view, {x, y}, group)) return QPoint(x, y);
    return std::nullopt;
  }
  X3DView& Window(int kind) {
    for (X3DView* view : Views(Scene()))
      if (view->settings.windowKind == kind) return *view;
    throw std::logic_error("no such window");
  }
  static void PaintEveryWindow(XDocument& doc) {
    for (X3DView* view : Views(doc)) view->GetWidget()->repaint();
    QApplication::processEvents();
  }
  std::string BoxTexts() const {
    std::string texts;
    for (const auto& box : boxes.boxes) texts += box.text + "\n";
    return texts;
  }
  // The transforms the 3D layer takes that it could not invert or a scene file would refuse.
  static std::string UnreadableTransforms(XDocument& doc) {
    std::string found;
    const XList<Ptr<GroupSO>>& groups = doc.GetScene()->GetGroups();
    for (POSITION pos = groups.GetHeadPosition(); pos;)
      if (!groups.GetNext(pos)->GetWorldTransform().InvertibleInSinglePrecision()) found += "an object ";
    for (X3DView* view : Views(doc))
      if (!view->settings.transform.InvertibleInSinglePrecision())
        found += "window " + std::to_string(view->settings.windowKind) + " ";
    return found;
  }

  void Run(const GrowingDrag& drag);

  ScriptedFileDialogs dialogs;
  std::string step;
};

void GrowingDrags::Run(const GrowingDrag& drag) {
  step = "the scene made";
  Key(Qt::Key_N);
  X3DView& camera = *Views(Scene()).at(0);
  DropObject("Chair", camera);
  ASSERT_EQ(Scene().GetSelectedCount(), 1);
  const Ptr<GroupSO> chair = Scene().GetSelected(0);
  Ptr<GroupSO> other;
  if (drag.chairs == 2) {
    DropObject("Chair", camera);
    ASSERT_EQ(Scene().GetSelectedCount(), 1);
    other = Scene().GetSelected(0);
    ASSERT_NE(other, chair);
  }
  Key(Qt::Key_R);  // Front, Top and Left
  ASSERT_EQ(Views(Scene()).size(), 4u);
  X3DView& window = Window(drag.windowKind);
  if (other) {
    // The second chair stands just before the first in the Front window, made orthographic (as
    // Edit Camera makes it). Its view fits both chairs: moved apart across it, it widens and
    // each drag moves farther; moved apart along its line of sight, it stays the same, and the
    // second chair where it shows, as large.
    window.settings.orthographic = TRUE;
    MoveGroupBy(*other, TranslationBy(ViewDirection(window.settings.transform) * -3.0));
    Scene().OnSceneExtentChanged(TRUE);
  }
  // The chair clicked where it shows; the second one hides it in the Front window, not in the Top.
  const auto clickChair = [&](X3DView& shown) {
    step = "the chair clicked";
    main->MDIActivate(shown.GetParentFrame());
    QApplication::processEvents();
    const std::optional<QPoint> at = PointOn(shown, chair);
    EXPECT_TRUE(at) << "the chair shows";
    if (at) Click(shown, *at);
    const bool selected = Scene().GetSelectedCount() == 1 && Scene().GetSelected(0) == chair;
    EXPECT_TRUE(selected) << "the click selects the chair alone";
    return selected;
  };
  if (other && !clickChair(Window(3))) return;
  main->MDIMaximize(window.GetParentFrame());
  main->MDIActivate(window.GetParentFrame());
  QApplication::processEvents();
  if (!drag.camera && !other && !clickChair(window)) return;
  Key(drag.key, drag.modifier);
  const QSize size = window.GetWidget()->size();
  QPoint from(static_cast<int>(drag.at.x() * size.width()), static_cast<int>(drag.at.y() * size.height()));

  GroupSO& moved = drag.towards ? *other : *chair;
  const auto start = Place(drag, moved, window);
  double first = 0.0;
  bool shows = drag.towards;
  for (int i = 0; i < kRepeats; ++i) {
    step = "drag " + std::to_string(i + 1);
    // The second chair pressed where it shows; once too far out for a pick to tell it, where it
    // showed last, as a user would.
    if (shows && !Hits(window, from, other)) {
      const std::optional<QPoint> on = PointOn(window, other);
      shows = on.has_value();
      from = on.value_or(from);
    }
    Drag(window, from, drag.by);
    if (i == 0) first = Distance(Place(drag, moved, window), start);
  }
  QApplication::processEvents();
  // Each drag went on acting: the first moved it a little, all together far.
  EXPECT_GT(first, 0.0);
  EXPECT_GT(Distance(Place(drag, moved, window), start), 100 * first);
  EXPECT_EQ(BoxTexts(), "");
  EXPECT_EQ(UnreadableTransforms(Scene()), "");

  step = "Save";
  const std::string path = folder / "grown.tvr";
  std::filesystem::remove(path);
  dialogs.Answer({path});
  Key(Qt::Key_S);
  ASSERT_EQ(BoxTexts(), "");
  ASSERT_TRUE(std::filesystem::exists(path));
  Scene().OnCloseDocument();

  step = "Open";
  dialogs.Answer({path});
  Key(Qt::Key_O);
  ASSERT_EQ(BoxTexts(), "");
  ASSERT_EQ(app.CountOpenScenes(), 1);
  XDocument& doc = Scene();
  step = "Ctrl+R and paint";
  Key(Qt::Key_R);  // closes Front, Top and Left
  ASSERT_EQ(Views(doc).size(), 1u);
  main->MDIActivate(Views(doc).at(0)->GetParentFrame());
  PaintEveryWindow(doc);
  ASSERT_EQ(BoxTexts(), "");
  const std::vector<BYTE> reopened = document_test::Snapshot(doc);

  EditHistory& history = doc.GetHistory();
  const int records = history.GetCount();
  step = "Undo of all";
  for (int undone = 0; undone <= records && history.CanUndo(); ++undone) {
    Key(Qt::Key_Z);
    ASSERT_EQ(BoxTexts(), "") << "undo " << undone + 1;
    ASSERT_EQ(app.CountOpenScenes(), 1);
  }
  EXPECT_FALSE(history.CanUndo());
  PaintEveryWindow(doc);
  step = "Redo of all";
  for (int redone = 0; redone <= records && history.CanRedo(); ++redone) {
    Key(Qt::Key_Y);
    ASSERT_EQ(BoxTexts(), "") << "redo " << redone + 1;
    ASSERT_EQ(app.CountOpenScenes(), 1);
  }
  EXPECT_FALSE(history.CanRedo());
  PaintEveryWindow(doc);
  ASSERT_EQ(BoxTexts(), "");
  EXPECT_TRUE(document_test::Snapshot(doc) == reopened) << "the scene after Redo of all differs";
  EXPECT_EQ(UnreadableTransforms(doc), "");
}

// Each growing drag repeated far beyond any scene a user means; then Save, Open, Undo of all and
// Redo of all: no fatal check, no message, nothing refused or lost.
TEST_F(GrowingDrags, StopWhereTheSceneCanStillBeSavedOpenedUndoneAndRedone) {
  for (const GrowingDrag& drag : kDrags) {
    SCOPED_TRACE(drag.name);
    boxes.boxes.clear();
    try {
      Run(drag);
    } catch (const FatalCheckFailed& failure) {
      ADD_FAILURE() << "fatal check \"" << failure.report.expression << "\" at " << step;
    }
    while (app.CountOpenScenes()) Scene().OnCloseDocument();
  }
}

}  // namespace
