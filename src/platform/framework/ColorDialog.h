// The colour picker: what the program asks (a colour to start from) and what the user chose. The
// 16 custom colours belong to the process: every colour dialog shows and changes the same ones,
// white at first. The dialog itself is a replaceable backend (QtColorDialog.h on the desktop, a
// scripted one in tests).
#pragma once

#include <optional>

#include "platform/win/WinTypes.h"

class CWnd;

constexpr DWORD CC_RGBINIT = 0x00000001;

struct CHOOSECOLOR {
  COLORREF rgbResult = 0;
  COLORREF* lpCustColors = nullptr;  // 16 colours
  DWORD Flags = 0;
};

class ColorDialogBackend {
 public:
  virtual ~ColorDialogBackend() = default;
  // Shows the dialog starting from `request.rgbResult` when CC_RGBINIT is set, else from black;
  // the user may change `request.lpCustColors`. The colour chosen, or nothing when cancelled.
  virtual std::optional<COLORREF> Run(CHOOSECOLOR& request) = 0;
};

// Installs `backend` (nullptr: none, and every dialog is cancelled) and returns the previous one.
ColorDialogBackend* SetColorDialogBackend(ColorDialogBackend* backend);

class CColorDialog {
 public:
  // CC_RGBINIT is added only for an initial colour other than 0.
  explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
  virtual ~CColorDialog() = default;

  int DoModal();  // IDOK (1) with a colour chosen, else IDCANCEL (2)
  COLORREF GetColor() const { return m_cc.rgbResult; }

  CHOOSECOLOR m_cc;
};
