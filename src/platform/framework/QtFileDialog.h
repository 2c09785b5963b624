// File dialogs shown with Qt. Install with SetFileDialogBackend once a QApplication exists.
#pragma once

#include <QStringList>

#include "platform/framework/FileDialog.h"

class QtFileDialogBackend final : public FileDialogBackend {
 public:
  // Modal to the whole program; nothing (cancelled) when no QApplication exists.
  std::optional<std::string> Run(FileDialogRequest& request) override;

  // The dialog's name filters: each name with its patterns in the form Qt reads, where "*.*"
  // (any file on the system the patterns come from) becomes "*".
  static QStringList NameFilters(const std::vector<FileDialogFilter>& filters);
};
