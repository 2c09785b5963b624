#include "core/Color.h"

#include <algorithm>
#include <cmath>

#include "core/FatalError.h"
#include "core/Pointers.h"

IMPLEMENT_SERIAL(Color, CObject, VERSIONABLE_SCHEMA)

namespace {

BYTE ToByte(double x) {
  double v = x * 255 + 0.5;
  if (v >= 255) v = 255;
  if (!(v > 0)) v = 0;  // a value that is not a number, too
  return static_cast<BYTE>(v);
}

double Clamp(double x) {
  if (x >= 1.0) x = 1.0;
  if (x <= 0.0) x = 0.0;
  return x;
}

}  // namespace

Color::Color(double red, double green, double blue, double alpha) : r(red), g(green), b(blue), a(alpha) {
  UpdateLuminance();
}

Color& Color::UpdateLuminance() {
  luminance = 0.299 * r + 0.587 * g + 0.114 * b;
  return *this;
}

void Color::ChromaOffsets(double& red, double& green, double& blue) const {
  const double i = 0.596 * r - 0.274 * g - 0.322 * b;
  const double q = 0.212 * r - 0.523 * g + 0.311 * b;
  red = 0.95488920432143 * i + 0.6221039350209 * q;
  green = -0.27135478274584 * i - 0.64751202586547 * q;
  blue = -1.1072510054412 * i + 1.7024603737876 * q;
}

void Color::GetRGB(double* red, double* green, double* blue) const {
  double dr, dg, db;
  ChromaOffsets(dr, dg, db);
  if (red) *red = Clamp(luminance + dr);
  if (green) *green = Clamp(luminance + dg);
  if (blue) *blue = Clamp(luminance + db);
}

COLORREF Color::GetCOLORREF() const {
  double red, green, blue;
  GetRGB(&red, &green, &blue);
  return RGB(ToByte(red), ToByte(green), ToByte(blue));
}

void Color::SetCOLORREF(COLORREF color) {
  r = GetRValue(color) / 255.0;
  g = GetGValue(color) / 255.0;
  b = GetBValue(color) / 255.0;
  UpdateLuminance();
}

DWORD Color::GetD3DCOLOR() const {
  double red, green, blue;
  GetRGB(&red, &green, &blue);
  return static_cast<DWORD>(ToByte(a)) << 24 | static_cast<DWORD>(ToByte(red)) << 16 |
         static_cast<DWORD>(ToByte(green)) << 8 | ToByte(blue);
}

void Color::SetD3DCOLOR(DWORD color) {
  r = ((color >> 16) & 0xFF) / 255.0;
  g = ((color >> 8) & 0xFF) / 255.0;
  b = (color & 0xFF) / 255.0;
  a = (color >> 24) / 255.0;
  UpdateLuminance();
}

void Color::ChannelLuminanceRanges(double (&lows)[3], double (&highs)[3]) const {
  double offsets[3];
  ChromaOffsets(offsets[0], offsets[1], offsets[2]);
  for (int i = 0; i < 3; ++i) {
    lows[i] = -offsets[i];
    highs[i] = 1 - offsets[i];
  }
}

void Color::GetLuminanceRange(double& low, double& high) const {
  double lows[3], highs[3];
  ChannelLuminanceRanges(lows, highs);
  low = *std::min_element(lows, lows + 3);
  high = *std::max_element(highs, highs + 3);
}

void Color::GetDisplayableLuminanceRange(double& low, double& high) const {
  double lows[3], highs[3];
  ChannelLuminanceRanges(lows, highs);
  low = *std::max_element(lows, lows + 3);
  high = *std::min_element(highs, highs + 3);
  if (low > high) low = high = (low + high) / 2;  // no luminance shows every channel unclamped
}

bool Color::operator==(const Color& o) const {
  return r == o.r && g == o.g && b == o.b && a == o.a && luminance == o.luminance;
}

void Color::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    XASSERT((GetRuntimeClass()->m_wSchema & VERSIONABLE_SCHEMA) != 0, "Schema not versionable");
    ar << static_cast<DWORD>(GetRuntimeClass()->m_wSchema) << r << g << b << a << luminance;
    return;
  }
  ReadSchema(ar, GetRuntimeClass());
  Color read;
  ar >> read.r >> read.g >> read.b >> read.a >> read.luminance;
  // Only a damaged file holds a value that is no number: no slider or channel could show it.
  for (double value : {read.r, read.g, read.b, read.a, read.luminance})
    if (!std::isfinite(value)) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  *this = read;
}
