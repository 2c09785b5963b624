#include "platform/framework/HelpWindow.h"

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QWindow>
#include <algorithm>

#include "platform/framework/Wnd.h"
#include "platform/framework/WinApp.h"

namespace {

constexpr int kBorders = 10;

QPointer<QTextBrowser>& Window() {
  static QPointer<QTextBrowser> window;
  return window;
}

QString Html(const HelpPage& page) {
  QString html = "<h2>" + QString::fromUtf8(page.title).toHtmlEscaped() + "</h2>";
  for (const QString& paragraph : QString::fromUtf8(page.text).split("\n\n", Qt::SkipEmptyParts))
    html += "<p>" + paragraph.toHtmlEscaped().replace('\n', "<br>") + "</p>";
  return html;
}

QString Caption() {
  const CWinApp* app = AfxGetApp();
  const QString name = app ? QString::fromUtf8(app->m_pszAppName.str()) : QString();
  return name.isEmpty() ? QStringLiteral("Help") : name + QStringLiteral(" Help");
}

QWidget* MainWindow() {
  CWnd* main = AfxGetMainWnd();
  QWidget* widget = main ? main->GetWidget() : nullptr;
  return widget && widget->isVisible() ? widget->window() : nullptr;
}

// Where a new help window goes (its frame's top-left corner): beside the main window where the
// screen has room; else at the screen's right edge, below the main window's menus and docked bars.
// Always whole on the screen.
QPoint PlaceBesideMainWindow(QSize client) {
  const QWidget* main = MainWindow();
  const QScreen* screen = main ? main->screen() : QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect area = screen->availableGeometry();
  // The help window's frame is not known before it is shown: it is taken to be the main window's,
  // with room for side borders, which a maximised main window lacks.
  const QSize borders = main ? main->frameGeometry().size() - main->size() : QSize();
  const QSize size = client + borders.expandedTo(QSize(kBorders, kBorders));
  const auto within = [&](int x, int y) {
    return QPoint(std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - size.width())),
                  std::clamp(y, area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
  };
  if (!main) return within(area.right(), area.top());
  const QRect frame = main->frameGeometry();
  if (frame.right() + size.width() <= area.right()) return within(frame.right() + 1, frame.top());
  if (frame.left() - size.width() >= area.left()) return within(frame.left() - size.width(), frame.top());
  const auto* window = qobject_cast<const QMainWindow*>(main);
  const QWidget* work = window && window->centralWidget() ? window->centralWidget() : main;
  return within(area.right(), work->mapToGlobal(QPoint(0, 0)).y());
}

}  // namespace

void ShowHelpWindow(const HelpPage& page) {
  QPointer<QTextBrowser>& window = Window();
  // A closed window only waits to be deleted: the page goes to a new one.
  if (window && !window->isVisible()) delete window.data();
  if (!window) {
    // A window of its own that belongs to the main window, as the desktop keeps such a window
    // above its owner: it outlives any modal window that asked for it.
    window = new QTextBrowser;
    window->setWindowFlags(Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(Caption());
    window->resize(480, 320);
    window->move(PlaceBesideMainWindow(window->size()));
    window->winId();
    const QWidget* main = MainWindow();
    window->windowHandle()->setTransientParent(main ? main->windowHandle() : nullptr);
  }
  window->setHtml(Html(page));
  window->setDocumentTitle(QString::fromUtf8(page.title));
  window->show();
  // While a modal window is up, the help window stands on its behalf, so that it can be read,
  // scrolled and closed meanwhile.
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window)
    window->windowHandle()->setTransientParent(modal->windowHandle());
  window->raise();
  window->activateWindow();
}

void CloseHelpWindow() {
  if (QPointer<QTextBrowser>& window = Window()) window->close();
}

QTextBrowser* VisibleHelpWindow() {
  QTextBrowser* window = Window();
  return window && window->isVisible() ? window : nullptr;
}
