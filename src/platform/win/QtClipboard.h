// The desktop clipboard through Qt; it cannot be opened without a QGuiApplication.
#pragma once

#include "platform/win/Clipboard.h"

class QtClipboard final : public Clipboard {
 public:
  bool Open() override;
  bool Empty() override;
  void Close() override {}
};
