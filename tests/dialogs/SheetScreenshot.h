// The sheet screenshot programs: a script shows pages and saves pictures, then the sheet is cancelled.
#pragma once

#include <QApplication>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/framework/PropertySheet.h"

struct SheetShots {
  // Brings up page `index` as a click on its tab does.
  void ShowPage(int index) {
    auto* tabs = window->findChild<QTabBar*>();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
  }
  // Saves the window as <prefix><name>.png once it has painted.
  void Shoot(const char* name) {
    QTest::qWait(200);
    const QPixmap shot = window->screen()->grabWindow(window->winId());
    saved = shot.save(QString::fromStdString(prefix + name + ".png")) && saved;
  }

  QWidget* window;
  std::string prefix;
  bool saved = true;
};

// The folder argument of a screenshot program, or an empty text after telling the usage.
inline std::string ScreenshotFolder(int argc, char** argv) {
  if (argc == 2) return argv[1];
  std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
  return {};
}

// Runs `sheet`; `script` acts on its shown window. Returns 0 when every picture was saved.
inline int ShootSheet(CPropertySheet& sheet, const std::string& prefix, const std::function<void(SheetShots&)>& script) {
  bool saved = false;
  QTimer::singleShot(0, [&] {
    QWidget* window = QApplication::activeModalWidget();
    if (window && QTest::qWaitForWindowExposed(window)) {
      SheetShots shots{window, prefix};
      script(shots);
      saved = shots.saved;
    }
    sheet.EndDialog(IDCANCEL);
  });
  sheet.DoModal();
  return saved ? 0 : 1;
}
