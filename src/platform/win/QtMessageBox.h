// Message boxes shown with Qt. Install with SetMessageBoxBackend once a QApplication exists
// (QtPlatform.h does it with the other desktop services).
#pragma once

#include <functional>

#include "platform/win/MessageBox.h"

class QWidget;

class QtMessageBoxBackend final : public MessageBoxBackend {
 public:
  // `ownerWidget` finds the widget of an owner window; boxes are centred on it.
  using OwnerWidget = std::function<QWidget*(HWND)>;
  explicit QtMessageBoxBackend(OwnerWidget ownerWidget = {}) : ownerWidget_(std::move(ownerWidget)) {}

  // Shows the box modal to the whole program; 0 when no QApplication exists.
  int Show(HWND owner, const char* text, const char* caption, UINT style) override;
  void Beep(UINT type) override;

 private:
  OwnerWidget ownerWidget_;
};
