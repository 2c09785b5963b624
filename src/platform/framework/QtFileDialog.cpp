#include "platform/framework/QtFileDialog.h"

#include <QApplication>
#include <QFileDialog>

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

std::optional<std::string> QtFileDialogBackend::Run(const FileDialogRequest& request) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return std::nullopt;
  QFileDialog dialog(QApplication::activeWindow(), QString::fromUtf8(request.title),
                     QString::fromUtf8(request.initialFolder));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
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
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}
