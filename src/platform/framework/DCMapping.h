// The mapping of a device context between logical and device coordinates: a mode, the window
// (logical) origin and extent and the viewport (device) origin and extent. Conversions are in
// integers and round to the nearest unit, halves towards positive infinity, as the display's own
// conversions do; sizes convert with MulDiv over the absolute extents.
#pragma once

#include "platform/framework/Geometry.h"

constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

class DCMapping {
 public:
  int SetMapMode(int mode);  // the previous mode; 0 (changing nothing) for a mode not above
  int GetMapMode() const { return mode_; }

  // Extents are kept only in the two scalable modes; MM_TEXT keeps (1, 1) and ignores them. A
  // zero component fails, changes nothing and returns (0, 0); otherwise the previous extent.
  // In MM_ISOTROPIC the viewport extent of the axis with the larger scale shrinks so that both
  // axes scale alike.
  CSize SetWindowExt(int cx, int cy);
  CSize SetViewportExt(int cx, int cy);
  // The previous origin.
  CPoint SetWindowOrg(int x, int y);
  CPoint SetViewportOrg(int x, int y);

  CPoint GetWindowOrg() const { return windowOrg_; }
  CPoint GetViewportOrg() const { return viewportOrg_; }
  CSize GetWindowExt() const { return windowExt_; }
  CSize GetViewportExt() const { return viewportExt_; }

  POINT LPtoDP(POINT p) const;
  POINT DPtoLP(POINT p) const;
  SIZE LPtoDP(SIZE s) const;
  SIZE DPtoLP(SIZE s) const;

 private:
  void MakeIsotropic();

  int mode_ = MM_TEXT;
  CPoint windowOrg_;
  CPoint viewportOrg_;
  CSize windowExt_{1, 1};
  CSize viewportExt_{1, 1};
};
