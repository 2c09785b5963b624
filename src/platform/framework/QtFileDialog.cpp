#include "platform/framework/QtFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

#include "platform/framework/FileIconsByName.h"

QStringList QtFileDialogBackend::NameFilters(const std::vector<FileDialogFilter>& filters) {
  QStringList nameFilters;
  for (const FileDialogFilter& filter : filters) {
    QStringList patterns = QString::fromUtf8(filter.patterns).split(u';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
      if (pattern == u"*.*") pattern = QStringLiteral("*");
    // Qt takes the patterns from the last parentheses; a name that shows its own is cut there.
    QString name = QString::fromUtf8(filter.name);
    if (name.endsWith(u')') && name.contains(u'(')) name = name.left(name.lastIndexOf(u'(')).trimmed();
    nameFilters.append(name + QStringLiteral(" (") + patterns.join(u' ') + u')');
  }
  return nameFilters;
}

std::optional<std::string> QtFileDialogBackend::Run(FileDialogRequest& request) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return std::nullopt;
  // Without a folder the dialog starts in the current one, not in the one Qt last showed.
  const QString folder = request.initialFolder.empty() ? QDir::currentPath() : QString::fromUtf8(request.initialFolder);
  FileIconsByName icons;  // outlives the dialog, whose folder reading uses it
  QFileDialog dialog(QApplication::activeWindow(), QString::fromUtf8(request.title), folder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setIconProvider(&icons);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(request.open && (request.flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                           : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.flags & OFN_OVERWRITEPROMPT));
  const QStringList nameFilters = NameFilters(request.filters);
  if (!nameFilters.isEmpty()) {
    dialog.setNameFilters(nameFilters);
    dialog.selectNameFilter(nameFilters.value(request.filterIndex, nameFilters.first()));
  }
  if (!request.fileName.empty()) dialog.selectFile(QString::fromUtf8(request.fileName));
  dialog.setDefaultSuffix(QString::fromUtf8(request.defaultExtension));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    const qsizetype index = nameFilters.indexOf(filter);
    if (index < 0 || !request.typeChanged) return;
    dialog.setDefaultSuffix(QString::fromUtf8(request.typeChanged(static_cast<int>(index))));
  });
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (const qsizetype index = nameFilters.indexOf(dialog.selectedNameFilter()); index >= 0)
    request.filterIndex = static_cast<int>(index);
  if (!accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}
