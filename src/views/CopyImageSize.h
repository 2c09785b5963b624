// The size of a copied camera image: the window's client size, or the size the window has on
// the screen at a chosen resolution in dots per inch; within the largest render, supersampled
// when asked and when the double size still fits.
#pragma once

#include "core/XPtSzRect.h"

struct CopyImageSettings {
  bool useDpi = false;       // size from the resolution, else the client size
  LONG dpi = 75;             // 1..4800
  double displayWidth = 10.5;  // inches, 1..1200
  LONG screenWidth = 640;    // pixels
  bool supersample = false;  // asked for: by the preference or by an improved window
};

struct CopyImagePlan {
  XSize bitmap{0, 0};      // the copied image
  XSize render{0, 0};      // the render: the bitmap's size, or twice it when supersampled
  bool supersampled = false;
  bool shrunk = false;            // the resolution asked for more than the largest render
  bool supersampleDropped = false;  // the double size would not fit
  LONG pelsPerMetre = 0;   // the resolution recorded in the bitmap
};

// The plan for a client area of `client` pixels, with `maxRender` the largest render per side.
CopyImagePlan PlanCopyImage(XSize client, const CopyImageSettings& settings, LONG maxRender);
