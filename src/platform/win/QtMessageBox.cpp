#include "platform/win/QtMessageBox.h"

#include <QApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <map>

namespace {

QMessageBox::Icon IconOf(UINT icon) {
  switch (icon) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QString ButtonText(int result) {
  switch (result) {
    case IDOK: return QStringLiteral("OK");
    case IDCANCEL: return QStringLiteral("Cancel");
    case IDABORT: return QStringLiteral("&Abort");
    case IDRETRY: return QStringLiteral("&Retry");
    case IDIGNORE: return QStringLiteral("&Ignore");
    case IDYES: return QStringLiteral("&Yes");
    default: return QStringLiteral("&No");
  }
}

}  // namespace

int QtMessageBoxBackend::Show(HWND owner, const char* text, const char* caption, UINT style) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return 0;
  MessageBoxLayout layout = DescribeMessageBox(style);

  QMessageBox box(owner && ownerWidget_ ? ownerWidget_(owner) : nullptr);
  box.setWindowTitle(QString::fromUtf8(caption ? caption : "Error"));
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromUtf8(text ? text : ""));
  box.setIcon(IconOf(layout.icon));
  box.setWindowModality(Qt::ApplicationModal);
  // A box is answered, not resized: a title and a close button, no minimise or maximise. (Set
  // after the modality, which would drop the customisation.)
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  if (style & MB_SYSTEMMODAL) box.setWindowFlag(Qt::WindowStaysOnTopHint);

  // Every answer has one role, so the buttons stay in the set's order and only the escape
  // button chosen here closes the box on Esc.
  std::map<QAbstractButton*, int> results;
  for (int i = 0; i < layout.buttonCount; ++i) {
    QPushButton* button = box.addButton(ButtonText(layout.buttons[i]), QMessageBox::ActionRole);
    results[button] = layout.buttons[i];
    if (layout.buttons[i] == layout.defaultButton) box.setDefaultButton(button);
    if (layout.buttons[i] == layout.escapeButton) box.setEscapeButton(button);
  }
  if (layout.help) {
    // Help leaves the box open: the button's own connection to the box is cut.
    QPushButton* help = box.addButton(QStringLiteral("Help"), QMessageBox::HelpRole);
    QObject::disconnect(help, &QAbstractButton::clicked, nullptr, nullptr);
    QObject::connect(help, &QAbstractButton::clicked, &box, [owner] { RequestMessageBoxHelp(owner); });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, &box);
    QObject::connect(f1, &QShortcut::activated, &box, [owner] { RequestMessageBoxHelp(owner); });
  }
  if (style & MB_SETFOREGROUND) {
    QTimer::singleShot(0, &box, [&box] {
      box.raise();
      box.activateWindow();
    });
  }

  box.exec();
  auto chosen = results.find(box.clickedButton());
  if (chosen != results.end()) return chosen->second;
  // Closed without an answer (the program is quitting): take the answer Esc would give.
  return layout.escapeButton ? layout.escapeButton : layout.defaultButton;
}

void QtMessageBoxBackend::Beep(UINT) {
  if (QApplication::instance()) QApplication::beep();
}
