// Every record the program makes can be taken back: the Edit Object sheet opens only on the
// user's objects, and every action of a user on a scene undoes and redoes without losing it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/XString.h"
#include "platform/win/TickCount.h"
#include "views/CountedClientDC.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

// The program started, with a clock the tests move, a clipboard of their own and a user who
// answers every dialog: an edit sheet gets a change on every page (the Edit Object sheet a new
// name), then OK; any other dialog OK.
struct UndoEverything : SceneWindows {
  UndoEverything() : previousClock(SetTickSource([this] { return now; })) {
    QObject::connect(&answer, &QTimer::timeout, [this] { AnswerDialog(); });
    answer.start(20);
  }
  ~UndoEverything() override { SetTickSource(previousClock); }

  void AnswerDialog() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (answering || !dialog || !dialog->isVisible()) return;
    answering = true;
    if (QTest::qWaitForWindowActive(dialog)) {
      const std::string title = dialog->windowTitle().toStdString();
      QTabBar* tabs = dialog->findChild<QTabBar*>();
      const int pages = tabs ? tabs->count() : 1;
      for (int page = pages - 1; page >= 0; --page) {
        if (tabs) tabs->setCurrentIndex(page);
        QApplication::processEvents();
        if (title.rfind("Edit ", 0) == 0) ChangeShownPage(*dialog);
      }
      // The General page, shown last, holds the object's name first.
      if (title == "Edit Object")
        for (QLineEdit* name : dialog->findChildren<QLineEdit*>())
          if (name->isVisible()) {
            sheetsOn.push_back(name->text().toStdString());
            name->selectAll();
            QTest::keyClicks(name, "Mine " + QString::number(sheetsOn.size()));
            break;
          }
      for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (button->text() == "OK" || button->text() == "Close") {
          QTest::mouseClick(button, Qt::LeftButton);
          break;
        }
      if (dialog->isVisible()) QTest::keyClick(dialog, Qt::Key_Escape);
    }
    answering = false;
  }

  // A change on the page shown: its first slider moved a step, else its first check box clicked.
  static void ChangeShownPage(QDialog& dialog) {
    for (QSlider* slider : dialog.findChildren<QSlider*>())
      if (slider->isVisible() && slider->isEnabled()) {
        QTest::keyClick(slider, slider->value() < slider->maximum() ? Qt::Key_PageUp : Qt::Key_PageDown);
        QApplication::processEvents();  // the dialog hears of the move
        return;
      }
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
      if (box->isVisible() && box->isEnabled()) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        return;
      }
  }

  // Whether the program said it had to revert or close a scene.
  bool SceneLost() const {
    for (const auto& box : boxes.boxes)
      for (UINT message : {40046u, 40047u})
        if (box.text == XString(message).str()) return true;
    return false;
  }

  // The texts of the message boxes shown, one a line.
  std::string BoxTexts() const {
    std::string texts;
    for (const auto& box : boxes.boxes) texts += box.text + "\n";
    return texts;
  }

  void Send(X3DView& view, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    views_test::SendMouse(view.GetWidget(), type, at, held);
  }
  // A click is settled once the double-click time has passed and the pointer moves.
  void Click(X3DView& view, QPoint at) {
    Send(view, QEvent::MouseButtonPress, at, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, at, Qt::NoButton);
    now += 600;
    Send(view, QEvent::MouseMove, at, view.IsMouseDown() ? Qt::LeftButton : Qt::NoButton);
    QApplication::processEvents();
  }
  void DoubleClick(X3DView& view, QPoint at) {
    Send(view, QEvent::MouseButtonPress, at, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, at, Qt::NoButton);
    now += 100;
    Send(view, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, at, Qt::NoButton);
    now += 600;
    QApplication::processEvents();  // the posted Edit/Object...
  }
  void Drag(X3DView& view, QPoint from, QPoint by = QPoint(18, 14)) {
    Send(view, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Send(view, QEvent::MouseMove, from + by / 2, Qt::LeftButton);
    Send(view, QEvent::MouseMove, from + by, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, from + by, Qt::NoButton);
    now += 600;
    QApplication::processEvents();
  }
  void RightClick(X3DView& view, QPoint at) {
    QTest::mouseClick(view.GetWidget(), Qt::RightButton, {}, at);
    QApplication::processEvents();
  }
  // A toolbar button runs once the time for a double click has passed: until a record comes.
  void ClickButton(XToolBar& bar, UINT command, Qt::MouseButton button = Qt::LeftButton) {
    const int record = Scene().GetHistory().GetModIndex();
    QTest::mouseClick(Button(bar, command), button);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Scene().GetHistory().GetModIndex() != record; })) << command;
  }
  // The other bars come back when the Beginner toolbar is hidden by its key.
  void HideBeginnerToolBar() {
    if (main->GetBeginnerToolBar().IsWindowVisible()) Key(Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_TRUE(main->GetMainToolBar().IsWindowVisible() && main->GetAdvancedToolBar().IsWindowVisible());
  }
  void Command(const QString& menu, const QString& item) {
    QMenu* popup = OpenMenu(menu);
    QAction* action = Item(popup, item);
    ASSERT_NE(action, nullptr) << item.toStdString();
    action->trigger();
    popup->hide();
    QApplication::processEvents();
  }

  // A point of `view` where a click hits `group`: looked for inside the group's box on the screen.
  static std::optional<QPoint> PointOn(X3DView& view, GroupSO* group) {
    view.RenderImage(nullptr, FALSE, nullptr, nullptr);
    if (!group || !view.viewport) return std::nullopt;
    const Transform world = group->GetWorldTransform();
    const BoundingBox box = group->GetBox(&world);
    const CountedClientDC dc(&view);
    RECT shown{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int corner = 0; corner < 8; ++corner) {
      D3DVECTOR at{static_cast<float>(corner & 1 ? box.max.x : box.min.x),
                   static_cast<float>(corner & 2 ? box.max.y : box.min.y),
                   static_cast<float>(corner & 4 ? box.max.z : box.min.z)};
      D3DRMVECTOR4D screen{};
      if (view.viewport->Transform(&screen, &at) != D3DRM_OK || screen.w <= 0) continue;
      // Off the window by more than its size is as good as its edge.
      auto pixel = [](float at) { return static_cast<LONG>(std::clamp(at, -1e5f, 1e5f)); };
      POINT point{pixel(screen.x / screen.w), pixel(screen.y / screen.w)};
      dc.LPtoDP(&point);
      shown = {std::min(shown.left, point.x), std::min(shown.top, point.y), std::max(shown.right, point.x),
               std::max(shown.bottom, point.y)};
    }
    RECT client;
    view.GetClientRect(&client);
    for (LONG y = std::max(shown.top, client.top + 1); y < std::min(shown.bottom, client.bottom - 1); y += 2)
      for (LONG x = std::max(shown.left, client.left + 1); x < std::min(shown.right, client.right - 1); x += 2) {
        XDPoint logical(x, y);
        dc.DPtoLP(logical);
        const PickRecord pick = view.Pick(logical);
        if (pick.picked && pick.group == group) return QPoint(x, y);
      }
    return std::nullopt;
  }

  DWORD now = 1000;
  TickSource previousClock;
  FakeClipboard clipboard;
  ScriptedFileDialogs files;
  QTimer answer;
  bool answering = false;
  std::vector<std::string> sheetsOn;  // the name each Edit Object sheet showed
};

GroupSO* Named(XDocument& doc, const char* name) {
  const XList<Ptr<GroupSO>>& groups = doc.GetScene()->GetGroups();
  for (POSITION pos = groups.GetHeadPosition(); pos;) {
    GroupSO* group = groups.GetNext(pos);
    if (group->GetName().str() == name) return group;
  }
  return nullptr;
}

// The shipped tutorial's cube, Rotate Object About (Ctrl+2): its cylinder is the program's, so
// no way into the Edit Object sheet opens it on the cylinder, and every edit made undoes.
TEST_F(UndoEverything, TheObjectSheetOpensOnlyOnAnObjectTheUserPlaced) {
  files.Answer({TAVROLIN_BINARY_DIR "/bin/Tutorial1.tvr"});
  Key(Qt::Key_O);
  ASSERT_EQ(app.CountOpenScenes(), 1);
  XDocument& doc = Scene();
  X3DView& camera = *Views(doc).at(0);
  GroupSO* cube = Named(doc, "Cube");
  const std::optional<QPoint> onCube = PointOn(camera, cube);
  ASSERT_TRUE(onCube);
  Click(camera, *onCube);
  Key(Qt::Key_2);
  ASSERT_TRUE(doc.IsRotObjAboutCylShown());
  const std::optional<QPoint> onCylinder = PointOn(camera, doc.GetRotObjAboutCylPtr());
  ASSERT_TRUE(onCylinder);

  const struct {
    const char* way;
    std::function<void()> open;
    const char* sheetOn;
  } cases[] = {
      {"a right press on the cylinder", [&] { RightClick(camera, *onCylinder); }, "(none)"},
      {"a double click on the cylinder", [&] { DoubleClick(camera, *onCylinder); }, "Cube"},
      {"Ctrl+B", [&] { Key(Qt::Key_B); }, "Cube"},
      {"Edit/Edit Object...", [&] { Command("&Edit", "Edit &Object"); }, "Cube"},
      {"a right click on Size Object", [&] { ClickButton(main->GetBeginnerToolBar(), 33128, Qt::RightButton); },
       "Cube"},
      {"the artistic properties button", [&] { ClickButton(main->GetBeginnerToolBar(), 10302); }, "Cube"},
      {"the Main toolbar's Edit Object",
       [&] {
         HideBeginnerToolBar();
         ClickButton(main->GetMainToolBar(), 33137);
       },
       "Cube"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.way);
    sheetsOn.clear();
    const int record = doc.GetHistory().GetModIndex();
    c.open();
    EXPECT_EQ(sheetsOn.empty() ? "(none)" : sheetsOn.front(), c.sheetOn);
    if (doc.GetHistory().GetModIndex() == record) continue;
    Key(Qt::Key_Z);
    ASSERT_FALSE(SceneLost());
    EXPECT_EQ(cube->GetName().str(), "Cube");
  }
  EXPECT_EQ(app.CountOpenScenes(), 1);
  EXPECT_EQ(BoxTexts(), "");
}

// A user's every action on a scene: each interactive mode dragged in each of its windows, the
// right press and the double click that open the Edit Object sheet, every command of the menus
// that acts on a scene and the toolbar buttons that have none, each dialog answered with a
// change; then Undo of all of it and Redo of all of it. No record is refused.
TEST_F(UndoEverything, EveryActionOnASceneUndoesAndRedoesWithoutLosingTheScene) {
  Key(Qt::Key_N);
  XDocument& doc = Scene();
  const std::vector<BYTE> before = document_test::Snapshot(doc);
  int actions = 0;
  for (const char* name : {"Cube", "Dog"}) {
    files.Answer({std::string(TAVROLIN_BINARY_DIR "/Objects/") + name + ".ulm"});
    Key(Qt::Key_I);
    ++actions;
  }
  // The user's objects in the scene's order, `first` first; their names change on the way.
  auto objects = [&](int first) {
    std::vector<GroupSO*> found;
    const XList<Ptr<GroupSO>>& groups = doc.GetScene()->GetGroups();
    for (POSITION pos = groups.GetHeadPosition(); pos;)
      if (GroupSO* group = groups.GetNext(pos); doc.IsObjectGroup(group)) found.push_back(group);
    std::rotate(found.begin(), found.begin() + std::min<std::size_t>(first, found.size()), found.end());
    return found;
  };
  // The first of `groups` that a window shows, acted on there by `act`; the window becomes the
  // active one. The fixed-direction windows show the whole scene.
  auto actOnFirstShown = [&](const std::vector<GroupSO*>& groups, const std::function<void(X3DView&, QPoint)>& act) {
    for (X3DView* view : Views(doc))
      for (GroupSO* group : groups)
        if (const std::optional<QPoint> at = PointOn(*view, group)) {
          main->MDIActivate(view->GetParentFrame());
          act(*view, *at);
          ++actions;
          return true;
        }
    return false;
  };
  const auto click = [this](X3DView& view, QPoint at) { Click(view, at); };
  const auto drag = [this](X3DView& view, QPoint at) { Drag(view, at); };
  const auto rightClick = [this](X3DView& view, QPoint at) { RightClick(view, at); };
  Key(Qt::Key_3);  // Move Object: the dog moves off the cube
  ASSERT_TRUE(actOnFirstShown(objects(1), [&](X3DView& view, QPoint at) { Drag(view, at, QPoint(60, 10)); }));
  Key(Qt::Key_R);  // Front, Top, Left
  actions += 2;

  // Each mode: the cube selected by a click, then a drag from the dog in every window.
  const std::pair<int, Qt::KeyboardModifier> modes[] = {
      {Qt::Key_0, Qt::ControlModifier}, {Qt::Key_1, Qt::ControlModifier}, {Qt::Key_2, Qt::ControlModifier},
      {Qt::Key_3, Qt::ControlModifier}, {Qt::Key_4, Qt::ControlModifier}, {Qt::Key_5, Qt::ControlModifier},
      {Qt::Key_6, Qt::ControlModifier}, {Qt::Key_7, Qt::ControlModifier}, {Qt::Key_8, Qt::ControlModifier},
      {Qt::Key_9, Qt::ControlModifier}, {Qt::Key_1, Qt::AltModifier},     {Qt::Key_2, Qt::AltModifier},
      {Qt::Key_3, Qt::AltModifier},     {Qt::Key_4, Qt::AltModifier},     {Qt::Key_5, Qt::AltModifier},
      {Qt::Key_6, Qt::AltModifier},     {Qt::Key_7, Qt::AltModifier},     {Qt::Key_8, Qt::AltModifier},
      {Qt::Key_9, Qt::AltModifier},     {Qt::Key_0, Qt::AltModifier}};
  for (const auto& [key, modifier] : modes) {
    Key(key, modifier);
    ++actions;
    actOnFirstShown(objects(0), click);
    for (X3DView* view : Views(doc)) {
      const std::optional<QPoint> from = PointOn(*view, objects(1).front());
      Drag(*view, from ? *from : view->GetWidget()->rect().center());
      ++actions;
    }
  }
  // The rotate-about cylinder: turned by a drag, and no sheet on it from a right press.
  Key(Qt::Key_2);
  ++actions;
  actOnFirstShown(objects(0), click);
  ASSERT_TRUE(doc.IsRotObjAboutCylShown());
  ASSERT_TRUE(actOnFirstShown({doc.GetRotObjAboutCylPtr()}, drag));
  ASSERT_TRUE(actOnFirstShown({doc.GetRotObjAboutCylPtr()}, rightClick));
  EXPECT_TRUE(sheetsOn.empty());
  // The sheet on the objects, from a right press and a double click.
  actOnFirstShown(objects(0), rightClick);
  actOnFirstShown(objects(1), [this](X3DView& view, QPoint at) { DoubleClick(view, at); });
  EXPECT_EQ(sheetsOn.size(), 2u);
  // The toolbar's commands that no menu has.
  ClickButton(main->GetBeginnerToolBar(), 10302);
  HideBeginnerToolBar();
  ClickButton(main->GetAdvancedToolBar(), 33131);
  actions += 3;
  ASSERT_FALSE(SceneLost());

  // Every command of the menus that acts on a scene, with an object selected by a click first.
  // The history's own commands, the 3D Objects window and the status bar are left out.
  const QStringList skipped = {"&Undo", "&Redo", "Edit &History", "&3D Objects", "&Status Bar", "&Zoom"};
  for (const char* menuTitle : {"&Edit", "&View", "&Interactive", "&Window"}) {
    const QString title = menuTitle;
    QStringList items;
    QMenu* menu = OpenMenu(title);
    for (QAction* action : menu->actions()) {
      const bool skip = std::any_of(skipped.begin(), skipped.end(),
                                    [&](const QString& prefix) { return action->text().startsWith(prefix); });
      if (!action->isSeparator() && !skip) items.push_back(action->text());
    }
    if (QAction* zoom = Item(menu, "&Zoom"))
      for (QAction* level : zoom->menu()->actions()) items.push_back(level->text());
    menu->hide();
    for (const QString& item : items) {
      SCOPED_TRACE(item.toStdString());
      actOnFirstShown(objects(0), click);
      QMenu* popup = OpenMenu(title);
      QAction* action = Item(popup, item);
      if (!action && Item(popup, "&Zoom")) action = Item(Item(popup, "&Zoom")->menu(), item);
      if (action && action->isEnabled()) {
        action->trigger();
        ++actions;
      }
      popup->hide();
      QApplication::processEvents();
      ASSERT_FALSE(SceneLost());
    }
  }


  // Undo of everything, Redo of everything.
  EditHistory& history = doc.GetHistory();
  const int records = history.GetCount();
  EXPECT_GT(records, actions / 3);
  Key(Qt::Key_G, Qt::ControlModifier | Qt::AltModifier);  // the ground off again, as at the start
  ++actions;
  const std::vector<BYTE> after = document_test::Snapshot(doc);
  while (history.CanUndo()) {
    const int record = history.GetModIndex();
    Key(Qt::Key_Z);
    ASSERT_FALSE(SceneLost()) << "undoing record " << record;
    ASSERT_LT(history.GetModIndex(), record);
  }
  EXPECT_TRUE(document_test::Snapshot(doc) == before);
  while (history.CanRedo()) {
    const int record = history.GetModIndex() + 1;
    Key(Qt::Key_Y);
    ASSERT_FALSE(SceneLost()) << "redoing record " << record;
    ASSERT_EQ(history.GetModIndex(), record);
  }
  EXPECT_EQ(history.GetModIndex(), records - 1);
  EXPECT_TRUE(document_test::Snapshot(doc) == after);
  EXPECT_EQ(BoxTexts(), "");
  RecordProperty("actions", actions);
}

}  // namespace
