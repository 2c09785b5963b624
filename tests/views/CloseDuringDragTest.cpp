// A close that reaches the program in the middle of a camera drag, as the desktop or the user's
// Window/Close sends it: the move that looks into the queue carries out none of it, and the
// close follows once the move is handled.
#include <gtest/gtest.h>

#include <QMetaObject>
#include <QWindow>

#include "scene/MeshSO.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

struct LateClose {
  const char* name;
  bool closesTheProgram;
  // Sends the close: queued to arrive while the next move is being handled.
  void (*send)(SceneWindows& program);
};

void PrintTo(const LateClose& close, std::ostream* out) { *out << close.name; }

const LateClose kLateCloses[] = {
    {"AltF4OnTheMainWindow", true,
     [](SceneWindows& program) {
       // The window manager's close, delivered as the desktop delivers it.
       QWindow* window = program.main->MainWindow()->windowHandle();
       QMetaObject::invokeMethod(window, [window] { window->close(); }, Qt::QueuedConnection);
     }},
    {"Logout", true,
     [](SceneWindows&) {
       QMetaObject::invokeMethod(
           qApp, [] {
             QEvent quit(QEvent::Quit);  // the session manager's end of the session
             QCoreApplication::sendEvent(qApp, &quit);
           },
           Qt::QueuedConnection);
     }},
    {"WindowCloseOfTheOnlyWindow", false,
     [](SceneWindows& program) {
       // Window/Close from the menu: its command runs once the menu is done with the click, and
       // the WM_CLOSE it posts to the scene's window waits in the queue.
       QMenu* menu = program.OpenMenu("&Window");
       QAction* item = SceneWindows::Item(menu, "&Close");
       menu->hide();
       item->trigger();
       QCoreApplication::sendPostedEvents(item, QEvent::MetaCall);
     }},
};

class CloseDuringDrag : public SceneWindows, public ::testing::WithParamInterface<LateClose> {
 protected:
  void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held) { views_test::SendMouse(view->GetWidget(), type, at, held); }
  X3DView* view = nullptr;
};

TEST_P(CloseDuringDrag, WaitsForTheMoveAndThenClosesTheSceneOrTheProgram) {
  const LateClose& close = GetParam();
  boxes.Answer({IDNO});  // should the program ask to save the turned camera: no
  Key(Qt::Key_N);
  view = Views(Scene()).at(0);
  Ptr<GroupSO> box(new GroupSO);  // something to turn the camera around
  box->AddVisual(Ptr<MeshSO>(new MeshSO(8, 0.05, 0.1, 0xFF0000FF)));
  Scene().AddGroup(box, FALSE, FALSE, 0);
  Key(Qt::Key_5);  // Rotate Camera
  const QPoint centre(view->GetWidget()->width() / 2, view->GetWidget()->height() / 2);
  Send(QEvent::MouseButtonPress, centre, Qt::LeftButton);
  Send(QEvent::MouseMove, centre + QPoint(30, 20), Qt::LeftButton);  // the drag has begun
  ASSERT_TRUE(view->IsMouseDown());

  close.send(*this);
  Send(QEvent::MouseMove, centre + QPoint(60, 40), Qt::LeftButton);
  EXPECT_EQ(OpenFrames(), 1);  // the move drew the scene, which is still there
  ASSERT_NE(app.m_pMainWnd, nullptr);
  // Nor has the desktop taken the main window away while the close waits.
  QWidget* shown = main->MainWindow();
  EXPECT_TRUE(shown->isVisible());
  ASSERT_NE(shown->windowHandle(), nullptr);
  EXPECT_NE(shown->windowHandle()->handle(), nullptr);
  EXPECT_TRUE(shown->windowHandle()->isVisible());

  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(app.CountOpenScenes(), 0);
  EXPECT_EQ(app.m_pMainWnd == nullptr, close.closesTheProgram);
}

INSTANTIATE_TEST_SUITE_P(Closes, CloseDuringDrag, ::testing::ValuesIn(kLateCloses),
                         [](const ::testing::TestParamInfo<LateClose>& info) { return std::string(info.param.name); });

}  // namespace
