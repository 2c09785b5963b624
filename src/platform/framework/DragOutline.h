// The frame a dragged bar shows where it would land if let go now. It is a window of its own,
// shaped to its edges, so what lies inside it shows through without a compositor; it takes no
// input and no focus.
#pragma once

#include <QWidget>

class DragOutline final : public QWidget {
 public:
  // A window of `owner`, which deletes it.
  explicit DragOutline(QWidget* owner);
  // Shows the frame around `place` (screen coordinates), over the other windows.
  void ShowAround(const QRect& place);

  static constexpr int kThickness = 3;
};
