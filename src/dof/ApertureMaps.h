// Lens models: each turns a camera's lens settings into a blur map, the blur level of every value
// a 16-bit z-buffer can hold, so that the kernels find a pixel's level with one lookup.
//
// Both models share the depth scale of the z-buffer: a subject at distance u has the z value
// K - KD / u with K = 65535 * F / (F - D) and KD = K * D, for the front and back clip distances D
// and F. Distances are in the world's unit, the unit of the focal length.
#pragma once

#include "platform/win/WinTypes.h"

constexpr unsigned kApertureMapSize = 65536;

// Thin-lens model. f: focal length; d: focus distance; fstop: f-number; A: the aperture-position
// correction (0.0 for a thin lens); D, F: clip distances; h: the viewport's field; imgRes: the
// blurred image's size in pixels; maxLevel: the largest level the map may hold. Returns the
// model's own map, valid until its next call; the caller may write into it.
WORD* ApertureModelMap(double f, double d, double fstop, double A, double D, double F, double h,
                       const POINT& imgRes, WORD maxLevel);

// Depth cue: the distance axis cut into bands `blur` wide around the focus distance d, one level
// more per band. Returns the model's own map, separate from the thin-lens one.
WORD* LinearModelMap(double d, double blur, double D, double F, WORD maxLevel);

// The f-number at which a subject at distance d2 blurs by exactly one pixel when the lens is
// focused at d.
double ApertureStopForDepth(double f, double d, double d2, double A, double D, double F, double h,
                            const POINT& imgRes);
