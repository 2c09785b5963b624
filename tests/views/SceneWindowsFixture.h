// The started program, past the first run's introduction, for tests that drive its windows with
// a user's keys and mouse.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QStyleHints>
#include <QTest>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/Globals.h"
#include "shell/DocTemplates.h"
#include "shell/Objects3DView.h"
#include "shell/XApp.h"
#include "shell/XMainFrame.h"
#include "shell/XToolBar.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"
#include "views/CameraWindowTestSupport.h"
#include "views/DragGeometry.h"

namespace views_test {

using WindowState = std::array<double, 10>;
using Bytes = std::vector<char>;

// Where the last copy of `pattern` starts in `bytes`.
inline std::size_t FindLast(const Bytes& bytes, std::initializer_list<unsigned char> pattern) {
  const auto found = std::find_end(bytes.begin(), bytes.end(), pattern.begin(), pattern.end(),
                                   [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; });
  EXPECT_NE(found, bytes.end());
  return static_cast<std::size_t>(found - bytes.begin());
}

inline Bytes FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The pixels of a rendered 24-bit bitmap file that are near black: the cartoon lines.
inline int DarkPixels(const std::vector<BYTE>& bmp) {
  int dark = 0;
  for (std::size_t i = 54; i + 2 < bmp.size(); i += 3) dark += std::max({bmp[i], bmp[i + 1], bmp[i + 2]}) < 40;
  return dark;
}

// The program started as a user starts it, past the first run's introduction.
struct SceneWindows : ::testing::Test {
  SceneWindows() {
    RegisterCameraViewClass(RUNTIME_CLASS(X3DView));
    const std::filesystem::path config = std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "Ulmric";
    std::filesystem::create_directories(config);
    std::ofstream(config / "Tavrolin.ini") << "[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n";
    app.programPath = TAVROLIN_BINARY_DIR "/bin/tavrolin";  // the objects folder lies beside it
    EXPECT_TRUE(app.InitInstance());
    main = dynamic_cast<XMainFrame*>(app.m_pMainWnd);
    QApplication::processEvents();  // the 3D Objects window opens
    objectsWindow = static_cast<int>(main->GetMDIClient()->Children().size());
  }
  ~SceneWindows() override {
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    app.ExitInstance();
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(main->GetWidget(), static_cast<Qt::Key>(key), modifiers);  // not the char overload
    QApplication::processEvents();
  }
  // The scene of the active window.
  XDocument& Scene() { return *static_cast<XDocument*>(main->GetActiveDocument()); }
  static std::vector<X3DView*> Views(XDocument& doc) {
    std::vector<X3DView*> views;
    for (POSITION pos = doc.GetFirstViewPosition(); pos;)
      views.push_back(dynamic_cast<X3DView*>(doc.GetNextView(pos)));
    return views;
  }
  std::string Save(XDocument& doc) {
    const std::string path = folder / "scene.tvr";
    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    return path;
  }
  XDocument* Reopen(XDocument& doc, const std::string& path) {
    doc.OnCloseDocument();
    return static_cast<XDocument*>(app.OpenDocumentFile(path.c_str()));
  }
  // The main window's menu `title`, opened as the user opens it, and its item starting with `prefix`.
  QMenu* OpenMenu(const QString& title) {
    for (QAction* top : main->MainWindow()->menuBar()->actions())
      if (top->text() == title && top->menu()) {
        top->menu()->popup(QPoint(10, 10));
        QApplication::processEvents();
        return top->menu();
      }
    return nullptr;
  }
  static QAction* Item(QMenu* menu, const QString& prefix) {
    for (QAction* action : menu ? menu->actions() : QList<QAction*>())
      if (action->text().startsWith(prefix)) return action;
    return nullptr;
  }
  // Moves an open menu's highlight with the Down key onto `item`.
  static void HighlightByKeys(QMenu* menu, QAction* item) {
    for (int step = 0; item && step < menu->actions().size() && menu->activeAction() != item; ++step)
      QTest::keyClick(menu, Qt::Key_Down);
  }
  // The item of menu `title` starting with `prefix`, chosen with the keys: down to it, then Enter
  // (Qt 6.8 takes no click on a menu that has only just opened under a pointer that has not moved).
  void ChooseMenuItem(const QString& title, const QString& prefix) {
    QMenu* menu = OpenMenu(title);
    QAction* item = Item(menu, prefix);
    ASSERT_NE(item, nullptr) << prefix.toStdString();
    HighlightByKeys(menu, item);
    ASSERT_EQ(menu->activeAction(), item);
    QTest::keyClick(menu, Qt::Key_Return);
    QApplication::processEvents();
  }
  // The object `name` dragged from the 3D Objects window and dropped on camera window `view`.
  void DropObject(const QString& name, X3DView& view) {
    auto* list = qobject_cast<QListWidget*>(main->GetObjects3DView()->GetWidget());
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    list->scrollToItem(found[0]);
    const QPoint press = list->visualItemRect(found[0]).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, press);
    SendMouse(list->viewport(), QEvent::MouseMove,
              press + QPoint(1, 1) * (QApplication::styleHints()->startDragDistance() + 5), Qt::LeftButton);
    QWidget* window = view.GetWidget();
    const QPoint over = window->mapToGlobal(window->rect().center());
    QCursor::setPos(over);
    // The list holds the capture: the release goes to its window.
    QTest::mouseRelease(list, Qt::LeftButton, {}, list->mapFromGlobal(over));
    QApplication::processEvents();
  }
  // What the Front, Top and Left windows of `doc` show.
  static std::vector<std::vector<BYTE>> FixedWindowPictures(XDocument& doc) {
    std::vector<std::vector<BYTE>> shown;
    for (X3DView* view : Views(doc))
      if (view->settings.windowKind != 0) shown.push_back(view->RenderBitmapFile(240, 160, false));
    return shown;
  }
  static QWidget* Button(XToolBar& bar, UINT command) {
    return bar.Buttons()->widgetForAction(bar.Action(bar.CommandToIndex(command)));
  }
  int OpenFrames() const { return static_cast<int>(main->GetMDIClient()->Children().size()) - objectsWindow; }
  static std::string Caption(CView* view) {
    CString text;
    view->GetParentFrame()->GetWindowText(text);
    return text.str();
  }
  // What a window shows and where: its camera's place and lens, its zoom and its placement.
  static WindowState State(X3DView* view) {
    WINDOWPLACEMENT w{};
    w.length = sizeof w;
    view->GetParentFrame()->GetWindowPlacement(&w);
    const RECT& r = w.rcNormalPosition;
    const CameraFields& c = view->settings;
    return {c.transform.t[0], c.transform.t[2],  c.focal,  double(view->GetZoomNumerator().cy),
            double(view->GetZoomDenominator().cy), c.transform.m[0][0], double(r.left), double(r.top),
            double(r.right), double(r.bottom)};
  }
  // A new scene (Ctrl+N) and a Window/New copy (Ctrl+W) moved, turned and zoomed with a record.
  XDocument& SceneWithTwoWindows() {
    Key(Qt::Key_N);
    Key(Qt::Key_W);
    XDocument& doc = Scene();
    X3DView& second = *Views(doc).at(1);
    second.GetParentFrame()->MoveWindow(40, 30, 300, 200);
    second.settings.transform.t[0] = 1.5;
    second.settings.focal = 0.09;
    second.SetZoom(XSize(2, 2), XSize(1, 1), TRUE);
    return doc;
  }

  QtTestApplication qt;
  ScriptedMessageBoxes boxes;
  ScopedSystemInfo display;
  XApp app;
  XMainFrame* main = nullptr;
  int objectsWindow = 0;
  TemporaryFolder folder;
};

}  // namespace views_test
