// Image lists: equal-sized images kept for list controls and drag images. An image added with a
// mask is transparent where the mask's bit is 1. One image at a time can be dragged across the
// screen in a small window of its own that follows the pointer.
#pragma once

#include <QImage>
#include <vector>

#include "platform/framework/DibSection.h"

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR24 = 0x0018;

class CImageList {
 public:
  CImageList() = default;
  ~CImageList();
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // Images of cx x cy pixels; the initial size and growth only reserve room.
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  BOOL DeleteImageList();
  // The index of the new image, or -1 when the bitmaps are not of the list's size or the list
  // was not created.
  int Add(CBitmap* image, CBitmap* mask);
  int GetImageCount() const { return static_cast<int>(images_.size()); }
  QImage GetImage(int index) const;  // ARGB; a null image for a bad index

  // The drag image: `hotSpot` is the point of the image that stays under the pointer.
  BOOL BeginDrag(int image, POINT hotSpot);
  // Shows the drag image at a point in screen coordinates; no window locks the screen here.
  static BOOL DragEnter(void* lockWindow, POINT point);
  static BOOL DragMove(POINT point);
  static BOOL DragLeave(void* lockWindow);
  static void EndDrag();

 private:
  bool created_ = false;
  SIZE size_{};
  std::vector<QImage> images_;
};
