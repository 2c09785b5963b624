#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <cstring>

#include "platform/win/TimeFormat.h"

int GetTimeFormat(LCID, DWORD flags, const SYSTEMTIME* time, const char*, char* out, int size) {
  const QLocale locale;
  QString format = locale.timeFormat(QLocale::ShortFormat);
  if (flags & TIME_NOSECONDS) {
    // Drop the seconds with the separator before them, whatever the locale's short form holds.
    format.remove(QRegularExpression(QStringLiteral("[^hHmaApP ]?s+")));
  }
  const QByteArray text = locale.toString(QTime(time->wHour, time->wMinute, time->wSecond), format).toUtf8();
  const int needed = static_cast<int>(text.size()) + 1;
  if (size == 0) return needed;
  if (size < needed) return 0;
  std::memcpy(out, text.constData(), static_cast<std::size_t>(needed));
  return needed;
}
