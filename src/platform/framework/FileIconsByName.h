// The icons and type names a file dialog shows for a folder's entries, told from their names and
// kinds alone: listing a folder never opens a file, which could block for good (a named pipe, a
// kernel file such as /proc/kmsg) or take long.
#pragma once

#include <QFileIconProvider>

class FileIconsByName final : public QFileIconProvider {
 public:
  FileIconsByName();
  using QFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;
};
