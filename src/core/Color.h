// The program's colour: red, green, blue and alpha, with a luminance kept beside them. Output
// colours are rebuilt from the luminance and the chroma (I, Q) of red, green and blue, so a
// brightness control changes the luminance alone and the hue stays.
#pragma once

#include "platform/framework/Archive.h"

class Color : public CObject {
  DECLARE_SERIAL(Color)
 public:
  double r = 1.0;
  double g = 1.0;
  double b = 1.0;
  double a = 1.0;
  double luminance = 1.0;

  Color() = default;
  Color(double red, double green, double blue, double alpha);
  Color(const Color&) = default;
  Color& operator=(const Color&) = default;

  // luminance = 0.299·r + 0.587·g + 0.114·b
  Color& UpdateLuminance();
  // The output channels, each clamped to 0..1; a null pointer skips its channel.
  void GetRGB(double* red, double* green, double* blue) const;
  COLORREF GetCOLORREF() const;     // 0x00BBGGRR
  void SetCOLORREF(COLORREF color);  // alpha stays
  DWORD GetD3DCOLOR() const;         // 0xAARRGGBB
  void SetD3DCOLOR(DWORD color);
  // The luminances between which the output runs from black to white.
  void GetLuminanceRange(double& low, double& high) const;
  // The luminances between which no output channel is clamped, so the colour shows its own hue;
  // a single luminance for a colour at the edge of what a screen shows.
  void GetDisplayableLuminanceRange(double& low, double& high) const;

  bool operator==(const Color& o) const;
  bool operator!=(const Color& o) const { return !(*this == o); }

  // Schema word 0x80000000, then r, g, b, a and luminance as doubles (44 bytes). Reading refuses
  // (generic archive exception) a value that is not finite.
  void Serialize(CArchive& ar) override;

 private:
  // The offsets from the luminance of the output red, green and blue.
  void ChromaOffsets(double& red, double& green, double& blue) const;
  // Per channel, the luminance below which it is black and the one above which it is white.
  void ChannelLuminanceRanges(double (&lows)[3], double (&highs)[3]) const;
};
