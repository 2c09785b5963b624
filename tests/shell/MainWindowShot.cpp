// Saves the main window to OUTPUT.png: all five toolbars docked in their first places, the
// status bar, and the 3D Objects window with its thumbnails.
#include <QApplication>
#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "core/Globals.h"
#include "platform/win/ProfileStore.h"
#include "platform/win/QtPlatform.h"
#include "resources/ProgramResources.h"
#include "shell/XApp.h"
#include "shell/XMainFrame.h"

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  RegisterProgramResources();
  InstallQtPlatform();  // the desktop's settings: screen size, double-click time, colours
  MemoryProfileStore store;  // the user's own settings stay untouched
  SetProfileStore(&store);
  XApp app;
  InitGlobals();
  app.programPath = TAVROLIN_BINARY_DIR "/bin/tavrolin";
  auto* frame = new XMainFrame;
  if (!frame->LoadFrame(12)) return 1;
  app.m_pMainWnd = frame;
  frame->MoveWindow(0, 0, 1200, 800);
  frame->ShowWindow(SW_SHOW);
  int result = 1;
  QTimer::singleShot(500, [&] {
    // The Beginner toolbar hides the others; the picture shows all five.
    for (XToolBar* bar : {&frame->GetMainToolBar(), &frame->GetInteractiveToolBar(), &frame->GetAdvancedToolBar(),
                          &frame->GetFileToolBar()})
      frame->ShowControlBar(bar, TRUE, FALSE);
    frame->SendMessage(WM_COMMAND, 32987);  // Reset All
    if (Objects3DView* view = frame->GetObjects3DView()) view->GetParentFrame()->MoveWindow(10, 10, 700, 420);
    frame->GetStatusBar().SetStatusText(40225, nullptr, 0);
    QTimer::singleShot(500, [&] {
      const bool saved = frame->MainWindow()->grab().save(QString::fromLocal8Bit(argv[1]), "PNG");
      std::printf("listed %d objects; screenshot %s\n",
                  frame->GetObjects3DView() ? frame->GetObjects3DView()->GetListCtrl().GetItemCount() : 0,
                  saved ? "saved" : "NOT saved");
      result = saved ? 0 : 1;
      frame->DestroyWindow();
      QApplication::quit();
    });
  });
  QApplication::exec();
  return result;
}
