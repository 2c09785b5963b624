// The colour dialog shown with Qt. Install with SetColorDialogBackend once a QApplication exists.
#pragma once

#include "platform/framework/ColorDialog.h"

class QtColorDialogBackend final : public ColorDialogBackend {
 public:
  // Modal to the whole program; nothing (cancelled) when no QApplication exists.
  std::optional<COLORREF> Run(CHOOSECOLOR& request) override;
};
