#include "platform/win/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

bool QtClipboard::Open() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && QGuiApplication::clipboard();
}

bool QtClipboard::Empty() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  clipboard->clear(QClipboard::Clipboard);
  return true;
}

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

// The BMP file of a packed bitmap: a file header whose pixel offset follows the info header
// (the program's bitmaps carry no colour table).
QByteArray BitmapFile(const BYTE* dib, std::size_t size) {
  QByteArray file(static_cast<qsizetype>(kFileHeaderSize), '\0');
  const auto put32 = [&](int at, std::size_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, kFileHeaderSize + size);
  put32(10, kFileHeaderSize + kInfoHeaderSize);
  file.append(reinterpret_cast<const char*>(dib), static_cast<qsizetype>(size));
  return file;
}

}  // namespace

bool QtClipboard::SetData(UINT format, const BYTE* bytes, std::size_t size) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard || format != CF_DIB || size < kInfoHeaderSize) return false;
  const QByteArray file = BitmapFile(bytes, size);
  QImage image;
  if (!image.loadFromData(file, "BMP")) return false;
  auto* data = new QMimeData;
  data->setData("image/bmp", file);
  data->setImageData(image);
  clipboard->setMimeData(data, QClipboard::Clipboard);
  return true;
}
