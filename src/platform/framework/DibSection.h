// Bitmaps in memory: device-independent sections whose pixels the program writes itself, and
// monochrome bitmaps made from the program's bits. A bitmap is named by an HBITMAP handle.
#pragma once

#include <vector>

#include "platform/framework/DC.h"

struct HBITMAP__;
using HBITMAP = HBITMAP__*;
using HANDLE = void*;

constexpr DWORD BI_RGB = 0;
constexpr UINT DIB_RGB_COLORS = 0;

#pragma pack(push, 2)
struct BITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // positive: rows stored bottom-up; negative: top-down
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
  BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

struct BITMAP {
  LONG bmType;  // 0
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;  // bytes a row, a multiple of 2
  WORD bmPlanes;      // 1
  WORD bmBitsPixel;   // 1: most significant bit first, 1 = white
  LPVOID bmBits;
};

// A section of 24 bits a pixel (blue, green, red; rows padded to 4 bytes) with uncompressed
// pixels, all zero at first. `bits` receives the first stored row. Null (and `bits` null) for
// another kind of header or a size of 0. `dc`, `section` and `offset` are not used.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
// Frees a bitmap made here; FALSE for anything else.
BOOL DeleteObject(HBITMAP bitmap);

// How a bitmap's pixels are stored, for the code that shows them; false for an unknown handle.
struct BitmapPixels {
  LONG width;
  LONG height;
  int bitsPerPixel;  // 24 or 1
  LONG stride;       // bytes a row
  bool bottomUp;
  const BYTE* rows;  // the first stored row
};
bool GetBitmapPixels(HBITMAP bitmap, BitmapPixels* pixels);

// A bitmap object that owns its handle.
class CBitmap : public CGdiObject {
 public:
  CBitmap() = default;
  ~CBitmap() override;
  CBitmap(const CBitmap&) = delete;
  CBitmap& operator=(const CBitmap&) = delete;

  // A copy of a 1-bit-a-pixel bitmap; FALSE for other kinds or when one is already held.
  BOOL CreateBitmapIndirect(const BITMAP* bitmap);
  // Takes over a bitmap handle (a DIB section).
  BOOL Attach(HBITMAP bitmap);
  HBITMAP Detach();
  HBITMAP GetSafeHandle() const { return handle_; }
  BOOL DeleteObject();

 private:
  HBITMAP handle_ = nullptr;
};
