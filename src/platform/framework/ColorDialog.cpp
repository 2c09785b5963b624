#include "platform/framework/ColorDialog.h"

#include "platform/win/MessageBox.h"

namespace {

ColorDialogBackend* currentBackend = nullptr;

COLORREF* CustomColors() {
  static COLORREF colors[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  return colors;
}

}  // namespace

ColorDialogBackend* SetColorDialogBackend(ColorDialogBackend* backend) {
  ColorDialogBackend* previous = currentBackend;
  currentBackend = backend;
  return previous;
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd*) {
  m_cc.rgbResult = initial;
  m_cc.lpCustColors = CustomColors();
  m_cc.Flags = flags | (initial != 0 ? CC_RGBINIT : 0);
}

int CColorDialog::DoModal() {
  if (!currentBackend) return IDCANCEL;
  const std::optional<COLORREF> chosen = currentBackend->Run(m_cc);
  if (!chosen) return IDCANCEL;
  m_cc.rgbResult = *chosen & 0xFFFFFF;
  return IDOK;
}
