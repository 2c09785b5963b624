#include "platform/framework/DibSection.h"

#include <cstring>
#include <memory>
#include <set>

namespace {

struct Bitmap {
  BitmapPixels layout{};
  std::vector<BYTE> bytes;
};

std::set<Bitmap*>& Bitmaps() {
  static std::set<Bitmap*> bitmaps;
  return bitmaps;
}

Bitmap* Find(HBITMAP handle) {
  auto* bitmap = reinterpret_cast<Bitmap*>(handle);
  return Bitmaps().count(bitmap) ? bitmap : nullptr;
}

HBITMAP Register(std::unique_ptr<Bitmap> bitmap) {
  bitmap->layout.rows = bitmap->bytes.data();
  Bitmap* raw = bitmap.release();
  Bitmaps().insert(raw);
  return reinterpret_cast<HBITMAP>(raw);
}

}  // namespace

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE, DWORD) {
  if (bits) *bits = nullptr;
  if (!info || usage != DIB_RGB_COLORS) return nullptr;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biBitCount != 24 || h.biCompression != BI_RGB)
    return nullptr;
  const LONG height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  if (h.biWidth <= 0 || height <= 0 || h.biWidth > 0x8000 || height > 0x8000) return nullptr;
  auto bitmap = std::make_unique<Bitmap>();
  const LONG stride = (h.biWidth * 3 + 3) / 4 * 4;
  bitmap->layout = {h.biWidth, height, 24, stride, h.biHeight > 0, nullptr};
  bitmap->bytes.assign(static_cast<std::size_t>(stride) * height, 0);
  HBITMAP handle = Register(std::move(bitmap));
  if (bits) *bits = Find(handle)->bytes.data();
  return handle;
}

BOOL DeleteObject(HBITMAP handle) {
  Bitmap* bitmap = Find(handle);
  if (!bitmap) return FALSE;
  Bitmaps().erase(bitmap);
  delete bitmap;
  return TRUE;
}

bool GetBitmapPixels(HBITMAP handle, BitmapPixels* pixels) {
  const Bitmap* bitmap = Find(handle);
  if (!bitmap) return false;
  *pixels = bitmap->layout;
  return true;
}

CBitmap::~CBitmap() { DeleteObject(); }

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* b) {
  if (handle_ || !b || b->bmType != 0 || b->bmPlanes != 1 || b->bmBitsPixel != 1 || b->bmWidth <= 0 ||
      b->bmHeight <= 0 || b->bmWidthBytes < (b->bmWidth + 15) / 16 * 2 || b->bmWidthBytes % 2 != 0)
    return FALSE;
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->layout = {b->bmWidth, b->bmHeight, 1, b->bmWidthBytes, false, nullptr};
  const std::size_t size = static_cast<std::size_t>(b->bmWidthBytes) * b->bmHeight;
  bitmap->bytes.assign(size, 0);
  if (b->bmBits) std::memcpy(bitmap->bytes.data(), b->bmBits, size);
  handle_ = Register(std::move(bitmap));
  created_ = true;
  return TRUE;
}

BOOL CBitmap::Attach(HBITMAP bitmap) {
  if (handle_ || !Find(bitmap)) return FALSE;
  handle_ = bitmap;
  created_ = true;
  return TRUE;
}

HBITMAP CBitmap::Detach() {
  created_ = false;
  return std::exchange(handle_, nullptr);
}

BOOL CBitmap::DeleteObject() {
  created_ = false;
  return ::DeleteObject(std::exchange(handle_, nullptr));
}
