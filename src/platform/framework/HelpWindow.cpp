#include "platform/framework/HelpWindow.h"

#include <QApplication>
#include <QPointer>
#include <QTextBrowser>

#include "platform/framework/WinApp.h"

namespace {

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

}  // namespace

void ShowHelpWindow(const HelpPage& page) {
  QPointer<QTextBrowser>& window = Window();
  // A window parented to a modal window that has gone is made again for the one up now.
  QWidget* owner = QApplication::activeModalWidget();
  if (window && window->parentWidget() != owner) delete window.data();
  if (!window) {
    window = new QTextBrowser(owner);
    window->setWindowFlags(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(Caption());
    window->resize(480, 320);
  }
  window->setHtml(Html(page));
  window->setDocumentTitle(QString::fromUtf8(page.title));
  window->show();
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
