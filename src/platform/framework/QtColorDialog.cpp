#include "platform/framework/QtColorDialog.h"

#include <QApplication>
#include <QColorDialog>

std::optional<COLORREF> QtColorDialogBackend::Run(CHOOSECOLOR& request) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return std::nullopt;
  const COLORREF start = (request.Flags & CC_RGBINIT) ? request.rgbResult : 0;
  for (int i = 0; i < 16; ++i) {
    const COLORREF c = request.lpCustColors[i];
    QColorDialog::setCustomColor(i, QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
  }
  QColorDialog dialog(QColor(GetRValue(start), GetGValue(start), GetBValue(start)), QApplication::activeWindow());
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setWindowModality(Qt::ApplicationModal);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  for (int i = 0; i < 16; ++i) {
    const QColor c = QColorDialog::customColor(i);
    request.lpCustColors[i] = RGB(static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()), static_cast<BYTE>(c.blue()));
  }
  if (!accepted) return std::nullopt;
  const QColor chosen = dialog.selectedColor();
  return RGB(static_cast<BYTE>(chosen.red()), static_cast<BYTE>(chosen.green()), static_cast<BYTE>(chosen.blue()));
}
