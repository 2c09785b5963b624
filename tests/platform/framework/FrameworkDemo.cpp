// A real framework window for the screenshot check: an MDI main frame with a menu, a tool bar,
// a status bar and two document windows tiled one above the other.
//   framework_demo --screenshot out.png   shows it, saves a screenshot and checks the layout
//   framework_demo --idle SECONDS         shows it and lets it sit idle, then ends
#include <QApplication>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

#include "FrameTestClasses.h"
#include "platform/framework/StatusBar.h"
#include "platform/framework/ToolBar.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
  if (!ok) ++failures;
}

QRect InWindow(QWidget* widget, QWidget* window) { return {widget->mapTo(window, QPoint(0, 0)), widget->size()}; }

// Checks the layout a user sees and saves the screen.
void CheckAndSave(TestMainFrame* main, const char* path) {
  QMainWindow* window = main->MainWindow();
  const QRect menu = InWindow(window->menuBar(), window);
  const QRect status = InWindow(window->statusBar(), window);
  const QRect area = InWindow(main->GetMDIClient()->GetWidget(), window);
  QDockWidget* dock = window->findChild<QDockWidget*>();
  const QRect bar = dock ? InWindow(dock, window) : QRect();
  Check(menu.top() == 0 && menu.height() > 10 && menu.width() == window->width(), "menu bar across the top");
  Check(dock && bar.top() >= menu.bottom() && bar.height() > 10 && bar.bottom() < area.top(), "tool bar below the menu");
  Check(status.bottom() == window->height() - 1 && status.height() > 10, "status bar along the bottom");
  Check(area.top() > bar.bottom() && area.bottom() < status.top(), "client area between the bars");
  const std::vector<CMDIChildWnd*> children = main->GetMDIClient()->Children();
  Check(children.size() == 2, "two document windows");
  if (children.size() == 2) {
    const QRect a = children[0]->GetWidget()->geometry(), b = children[1]->GetWidget()->geometry();
    Check(a.width() == area.width() && b.width() == area.width(), "tiled children span the client's width");
    Check(a.top() == 0 && a.bottom() + 1 == b.top() && b.bottom() + 1 <= area.height(), "children one above the other");
    Check(children[0]->GetWidget()->isVisible() && children[1]->GetWidget()->isVisible(), "children shown");
  }
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
  const QImage image = shot.toImage();
  Check(!image.isNull() && image.pixel(10, 10) != image.pixel(image.width() / 2, image.height() - 5) &&
            shot.save(QString::fromUtf8(path)),
        "screenshot saved");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const bool screenshot = argc == 3 && std::strcmp(argv[1], "--screenshot") == 0;
  const bool idle = argc == 3 && std::strcmp(argv[1], "--idle") == 0;
  if (!screenshot && !idle) {
    std::fprintf(stderr, "usage: %s --screenshot FILE | --idle SECONDS\n", argv[0]);
    return 2;
  }
  RegisterTestResources();
  TestApp app;
  app.AddDocTemplate(new CMultiDocTemplate(kChildResource, RUNTIME_CLASS(TestDocument), RUNTIME_CLASS(TestChild),
                                           RUNTIME_CLASS(TestView)));
  auto* main = new TestMainFrame;
  if (!main->LoadFrame(kMainResource)) return 1;
  app.m_pMainWnd = main;
  CToolBar toolBar;
  CStatusBar statusBar;
  const UINT panes[] = {ID_SEPARATOR, 57345};
  toolBar.Create(main);
  toolBar.LoadToolBar(kMainResource);
  statusBar.Create(main, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 0);
  statusBar.SetIndicators(panes, 2);
  statusBar.SetPaneText(0, "Choose a command");
  main->MoveWindow(0, 0, 800, 600);
  main->ShowWindow(SW_SHOW);
  app.OnFileNew();
  app.OnFileNew();
  main->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);

  if (screenshot) {
    QTimer::singleShot(500, [&] {
      main->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);  // the client has its final size now
      QTimer::singleShot(300, [&] {
        CheckAndSave(main, argv[2]);
        main->PostMessage(WM_CLOSE);
      });
    });
  } else {
    QTimer::singleShot(std::stoi(argv[2]) * 1000, [&] { main->PostMessage(WM_CLOSE); });
  }
  app.Run();
  std::printf("idle rounds: %zu\n", app.idleCounts.size());
  return failures == 0 ? 0 : 1;
}
