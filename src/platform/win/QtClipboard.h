// The desktop clipboard through Qt; it cannot be opened without a QGuiApplication. A bitmap is
// offered as the BMP file of its bytes and as an image, which Qt also offers as PNG.
#pragma once

#include "platform/win/Clipboard.h"

class QtClipboard final : public Clipboard {
 public:
  bool Open() override;
  bool Empty() override;
  bool SetData(UINT format, const BYTE* bytes, std::size_t size) override;
  void Close() override {}
};
