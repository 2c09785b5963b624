#include "platform/win/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

bool QtClipboard::Open() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && QGuiApplication::clipboard();
}

bool QtClipboard::Empty() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  clipboard->clear(QClipboard::Clipboard);
  return true;
}
