#include "platform/framework/ImageList.h"

#include <QLabel>
#include <QPixmap>
#include <memory>

#include "platform/framework/ScreenColormap.h"

namespace {

// The drag in progress: a frameless window showing the image.
struct Drag {
  std::unique_ptr<QLabel> window;
  QPoint hotSpot;
};

Drag& CurrentDrag() {
  static Drag drag;
  return drag;
}

QImage ColourImage(const BitmapPixels& p) {
  const QImage view(p.rows, p.width, p.height, p.stride, QImage::Format_BGR888);
  const QImage upright = p.bottomUp ? view.mirrored(false, true) : view.copy();
  return upright.convertToFormat(QImage::Format_ARGB32);
}

bool MaskBit(const BitmapPixels& p, int x, int y) {
  const int row = p.bottomUp ? p.height - 1 - y : y;
  return (p.rows[row * p.stride + x / 8] >> (7 - x % 8)) & 1;
}

}  // namespace

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT, int initial, int) {
  if (created_ || cx <= 0 || cy <= 0) return FALSE;
  size_ = {cx, cy};
  images_.reserve(initial > 0 ? static_cast<std::size_t>(initial) : 0);
  created_ = true;
  return TRUE;
}

BOOL CImageList::DeleteImageList() {
  const bool was = created_;
  created_ = false;
  images_.clear();
  return was ? TRUE : FALSE;
}

int CImageList::Add(CBitmap* image, CBitmap* mask) {
  BitmapPixels colour{}, bits{};
  if (!created_ || !image || !GetBitmapPixels(image->GetSafeHandle(), &colour) || colour.bitsPerPixel != 24 ||
      colour.width != size_.cx || colour.height != size_.cy)
    return -1;
  QImage result = ColourImage(colour);
  if (mask) {
    if (!GetBitmapPixels(mask->GetSafeHandle(), &bits) || bits.bitsPerPixel != 1 || bits.width != size_.cx ||
        bits.height != size_.cy)
      return -1;
    for (int y = 0; y < size_.cy; ++y)
      for (int x = 0; x < size_.cx; ++x)
        if (MaskBit(bits, x, y)) result.setPixel(x, y, 0);
  }
  images_.push_back(std::move(result));
  return GetImageCount() - 1;
}

QImage CImageList::GetImage(int index) const {
  return index >= 0 && index < GetImageCount() ? images_[static_cast<std::size_t>(index)] : QImage();
}

BOOL CImageList::BeginDrag(int image, POINT hotSpot) {
  if (image < 0 || image >= GetImageCount() || CurrentDrag().window) return FALSE;
  auto window = std::make_unique<QLabel>();
  window->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
  // Never the window under the pointer: what the pointer is over lies beneath it (PointerTarget.h).
  window->setAttribute(Qt::WA_TransparentForMouseEvents);
  const QPixmap picture = QPixmap::fromImage(GetImage(image));
  window->setPixmap(picture);
  window->resize(size_.cx, size_.cy);
  // Shaped by the image's mask, not made translucent: a desktop without a compositor shows a
  // translucent window's transparent pixels black.
  window->setMask(picture.mask());
  CurrentDrag() = {std::move(window), QPoint(hotSpot.x, hotSpot.y)};
  return TRUE;
}

BOOL CImageList::DragEnter(void*, POINT point) {
  if (!CurrentDrag().window) return FALSE;
  DragMove(point);
  CurrentDrag().window->show();
  // Read apart from the screen, as `xwd -root` reads a window of a colormap of its own, the pixels
  // around the image would be black.
  UseScreenColormap(CurrentDrag().window->windowHandle());
  return TRUE;
}

BOOL CImageList::DragMove(POINT point) {
  Drag& drag = CurrentDrag();
  if (!drag.window) return FALSE;
  drag.window->move(QPoint(point.x, point.y) - drag.hotSpot);
  return TRUE;
}

BOOL CImageList::DragLeave(void*) {
  if (!CurrentDrag().window) return FALSE;
  CurrentDrag().window->hide();
  return TRUE;
}

void CImageList::EndDrag() { CurrentDrag() = {}; }
