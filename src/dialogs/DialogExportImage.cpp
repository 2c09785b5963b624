#include "dialogs/DialogExportImage.h"

#include "core/XMessageBox.h"

namespace {

constexpr UINT IDS_IMPROVE_TOO_LARGE = 40223;

}  // namespace

DialogExportImage::DialogExportImage(CWnd* parent) : XDialog(kExportImageTemplate, parent) {}

void DialogExportImage::DoDataExchange(CDataExchange* dx) {
  int improve = m_improve;
  DDX_Check(dx, 32821, improve);
  m_improve = improve;
  DDX_Text(dx, 32820, m_height);
  DDV_MinMaxUInt(dx, m_height, 1, kExportMaxSide);
  DDX_Text(dx, 32819, m_width);
  DDV_MinMaxUInt(dx, m_width, 1, kExportMaxSide);
}

void DialogExportImage::OnOK() {
  if (!UpdateDataGuarded(TRUE)) return;
  if (m_improve && (m_width > kExportMaxImprovedSide || m_height > kExportMaxImprovedSide)) {
    XErrorBox(IDS_IMPROVE_TOO_LARGE);
    return;
  }
  if (!UpdateDataGuarded(TRUE)) return;
  XDialog::OnOK();
}

bool AskExportImageWithDialog(ExportImageChoice& choice) {
  DialogExportImage dialog;
  if (dialog.DoModal() != IDOK) return false;
  choice.width = dialog.m_width;
  choice.height = dialog.m_height;
  choice.improve = dialog.m_improve;
  return true;
}
