#include "platform/framework/FileIconsByName.h"

#include <QMimeDatabase>

namespace {

QMimeType MimeTypeByName(const QFileInfo& info) {
  return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
}

}  // namespace

FileIconsByName::FileIconsByName() { setOptions(DontUseCustomDirectoryIcons); }

QIcon FileIconsByName::icon(const QFileInfo& info) const {
  if (info.isDir()) return QFileIconProvider::icon(info);
  const QIcon plain = QFileIconProvider::icon(File);
  if (!info.isFile()) return plain;
  const QMimeType mime = MimeTypeByName(info);
  return QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName(), plain));
}

QString FileIconsByName::type(const QFileInfo& info) const {
  if (!info.isFile()) return QFileIconProvider::type(info);
  const QMimeType mime = MimeTypeByName(info);
  return mime.comment().isEmpty() ? mime.name() : mime.comment();
}
