// Keeps the display that DirectDraw's primary surface stands for equal to the desktop the windows
// live on: as large as every screen together, as deep as the primary screen, and following screens
// being added, removed or resized. A change of display loses the primary surface, which the program
// then makes again at the new size.
#pragma once

#include <QObject>

#include "platform/win/WinTypes.h"

class QScreen;

class DesktopDisplay final : public QObject {
 public:
  DesktopDisplay();

 private:
  void Watch(QScreen* screen);
  void Follow();

  struct Mode {
    int bits = 0;
    LONG width = 0;
    LONG height = 0;
    bool operator==(const Mode&) const = default;
  };
  Mode applied_;
};
