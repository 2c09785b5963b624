#include "platform/framework/SurfaceImage.h"

#include <cstdlib>

#include "platform/ddraw/DirectDraw.h"
#include "platform/ddraw/Display.h"
#include "platform/win/ComPtr.h"

namespace {

QImage::Format QtFormat(const DDPIXELFORMAT& f) {
  const auto is = [&](DDFormat format) { return DDSamePixelFormat(f, DDMakePixelFormat(format)); };
  if (is(DDFormat::XRGB8888)) return QImage::Format_RGB32;
  if (is(DDFormat::RGB565)) return QImage::Format_RGB16;
  if (is(DDFormat::RGB555)) return QImage::Format_RGB555;
  if (is(DDFormat::RGB888)) return QImage::Format_BGR888;  // bytes blue, green, red
  if (is(DDFormat::BGR888)) return QImage::Format_RGB888;  // bytes red, green, blue
  if (is(DDFormat::Palette8)) return QImage::Format_Indexed8;
  return QImage::Format_Invalid;
}

QList<QRgb> PaletteColours(IDirectDrawSurface* surface) {
  QList<QRgb> colours(256);
  ComPtr<IDirectDrawPalette> palette;
  PALETTEENTRY entries[256] = {};
  if (surface->GetPalette(palette.put()) == DD_OK && palette) {
    palette->GetEntries(0, 0, 256, entries);
    for (int i = 0; i < 256; ++i) colours[i] = qRgb(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
  } else {
    DDGetDisplayPalette(entries);
    for (int i = 0; i < 256; ++i) colours[i] = qRgb(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
  }
  return colours;
}

}  // namespace

QImage SurfaceImage(const DDSURFACEDESC& locked, IDirectDrawSurface* surface, bool* bottomUp) {
  const QImage::Format format = QtFormat(locked.ddpfPixelFormat);
  *bottomUp = locked.lPitch < 0;
  if (format == QImage::Format_Invalid || !locked.lpSurface) return {};
  QImage image(static_cast<uchar*>(locked.lpSurface), static_cast<int>(locked.dwWidth),
               static_cast<int>(locked.dwHeight), std::abs(locked.lPitch), format);
  if (format == QImage::Format_Indexed8) image.setColorTable(PaletteColours(surface));
  return image;
}
