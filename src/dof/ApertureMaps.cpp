#include "dof/ApertureMaps.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/FatalError.h"
#include "dof/ApertureLevels.h"

namespace {

WORD ApertureMap[kApertureMapSize];
WORD LinearMap[kApertureMapSize];

constexpr double kLastZ = kApertureMapSize - 1;

const char* const kAheadOfLens =
    "The correction for aperture on same side as subject is not implemented yet.  Use 0.0 as a "
    "reasonable approximation";

// The z value the z-buffer holds for a subject at distance u.
struct DepthScale {
  DepthScale(double D, double F) : K(65535 * (F / (F - D))), KD(65535 * (F / (F - D)) * D) {}
  double Z(double u) const { return K - KD / u; }
  double K;
  double KD;
};

// Film distance of a subject at distance u; a subject at the focal length gets the largest
// finite distance instead of a division by zero.
double FilmDistance(double f, double u) {
  double t = 1 / f - 1 / u;
  if (t <= DBL_EPSILON) t = DBL_EPSILON;
  return 1 / t;
}

void Fill(WORD* map, unsigned from, unsigned to, unsigned level) {
  std::fill(map + from, map + to + 1, static_cast<WORD>(level));
}

// Fills a map outward from the focus plane zs, one level at a time, with a near cursor moving
// toward z 0 and a far cursor toward z 65535. Each level owns the z values between its own limit
// and the previous level's; a side closes when its limit leaves the depth range, and whatever the
// levels up to maxLevel do not reach gets maxLevel.
//
// The model gives, for a level, its near and far limits as z values (NearLimit: negative once
// the limit is in front of the front plane; FarLimit: above 65535 once it is beyond the back
// plane), and for a focus plane outside the depth range whether a level is the first to reach
// into it (NearReaches, FarReaches).
template <class Model>
WORD* FillMap(WORD* map, double zs, unsigned maxLevel, Model& model) {
  maxLevel = ApertureUsableLevel(maxLevel);
  unsigned level = 0;
  bool nearOpen = true;
  bool farOpen = true;
  unsigned lo = 0;
  unsigned hi = 0;
  if (zs > kLastZ) {
    farOpen = false;
    lo = hi = kApertureMapSize - 1;
    while (level <= maxLevel && !model.NearReaches(level)) level = ApertureNextLevel(level);
  } else if (zs >= 0) {
    lo = hi = static_cast<unsigned>(zs);
  } else {
    nearOpen = false;
    while (level <= maxLevel && !model.FarReaches(level)) level = ApertureNextLevel(level);
  }

  for (; (nearOpen || farOpen) && level <= maxLevel; level = ApertureNextLevel(level)) {
    if (nearOpen) {
      double z = model.NearLimit(level);
      if (!(z >= 0)) {
        z = 0;
        nearOpen = false;
      }
      const unsigned to = z < lo ? static_cast<unsigned>(z) : lo;
      Fill(map, to, lo, level);
      lo = to;
    }
    if (farOpen) {
      double z = model.FarLimit(level);
      if (!(z <= kLastZ)) {
        z = kLastZ;
        farOpen = false;
      }
      const unsigned to = z > hi ? static_cast<unsigned>(z) : hi;
      Fill(map, hi, to, level);
      hi = to;
    }
  }
  if (nearOpen) Fill(map, 0, lo, maxLevel);
  if (farOpen) Fill(map, hi, kApertureMapSize - 1, maxLevel);
  return map;
}

// Thin lens: a level reaches as far from the focus plane as its blur circle stays within the
// level's effective diameter.
class ThinLens {
 public:
  ThinLens(double f, double fstop, double A, double pix, double v, const DepthScale& scale)
      : f_(f), A_(A), pix_(pix), a_(f / fstop), v_(v), scale_(scale) {}

  bool NearReaches(unsigned level) const {
    double wN;
    return !NearInverseDistance(level, wN) || scale_.K - scale_.KD * wN <= kLastZ;
  }
  bool FarReaches(unsigned level) const {
    const double wF = FarInverseDistance(level);
    return wF <= 0 || scale_.K - scale_.KD * wF >= 0;
  }
  double NearLimit(unsigned level) const {
    double wN;
    return NearInverseDistance(level, wN) ? scale_.K - scale_.KD * wN : -1;
  }
  double FarLimit(unsigned level) const { return scale_.K - scale_.KD * FarInverseDistance(level); }

 private:
  // False when the near limit lies at or behind the lens: nothing nearer is sharper than the level.
  bool NearInverseDistance(unsigned level, double& wN) const {
    const double c = ApertureLevelDiameter(level) * pix_;
    const double denominator = c * A_ - v_ * a_;
    if (denominator == 0) return false;
    wN = 1 / f_ - (c - a_) / denominator;
    return !(wN < 0);
  }
  double FarInverseDistance(unsigned level) const {
    const double c = ApertureLevelDiameter(level) * pix_;
    return 1 / f_ - (c + a_) / (c * A_ + v_ * a_);
  }

  double f_, A_, pix_, a_, v_;
  DepthScale scale_;
};

// Depth cue: level k covers the distances from d - blur/2 - k blur to d + blur/2 + k blur. Each
// side steps by one band before it is used.
class DistanceBands {
 public:
  DistanceBands(double d, double blur, const DepthScale& scale)
      : blur_(blur), near_(d + blur / 2), far_(d - blur / 2), scale_(scale) {}

  bool NearReaches(unsigned) {
    near_ = near_ - blur_;
    if (near_ <= 0 || scale_.Z(near_) <= kLastZ) {
      near_ = near_ + blur_;
      return true;
    }
    return false;
  }
  bool FarReaches(unsigned) {
    far_ = far_ + blur_;
    if (far_ > 0 && scale_.Z(far_) >= 0) {
      far_ = far_ - blur_;
      return true;
    }
    return false;
  }
  double NearLimit(unsigned) {
    near_ = near_ - blur_;
    return near_ <= 0 ? -1 : scale_.Z(near_);
  }
  double FarLimit(unsigned) {
    far_ = far_ + blur_;
    return scale_.Z(far_);
  }

 private:
  double blur_, near_, far_;
  DepthScale scale_;
};

// The checks both thin-lens functions make after those of their distances.
void CheckView(double A, double D, double F, double h, const POINT& imgRes) {
  XASSERT(A >= 0.0, kAheadOfLens);
  XASSERT(D > 0.0, "");
  XASSERT(F > 0.0, "");
  XASSERT(F > D, "");
  XASSERT(h > 0.0, "");
  XASSERT(imgRes.x > 0 && imgRes.y > 0, "");
}

}  // namespace

WORD* ApertureModelMap(double f, double d, double fstop, double A, double D, double F, double h,
                       const POINT& imgRes, WORD maxLevel) {
  XASSERT(f > 0.0, "");
  XASSERT(d >= f, "Virtual images not allowed");
  XASSERT(fstop > 0.0, "");
  CheckView(A, D, F, h, imgRes);

  const double pix = (f / D) / std::max(imgRes.x, imgRes.y) * h * 2;
  const DepthScale scale(D, F);
  ThinLens lens(f, fstop, A, pix, FilmDistance(f, d), scale);
  return FillMap(ApertureMap, scale.Z(d), maxLevel, lens);
}

WORD* LinearModelMap(double d, double blur, double D, double F, WORD maxLevel) {
  XASSERT(d > 0.0, "");
  XASSERT(blur > 0.0, "");
  XASSERT(D > 0.0, "");
  XASSERT(F > 0.0, "");
  XASSERT(F > D, "");

  const DepthScale scale(D, F);
  DistanceBands bands(d, blur, scale);
  return FillMap(LinearMap, scale.Z(d), maxLevel, bands);
}

double ApertureStopForDepth(double f, double d, double d2, double A, double D, double F, double h,
                            const POINT& imgRes) {
  XASSERT(f > 0.0, "");
  XASSERT(d >= f, "Virtual images not allowed");
  XASSERT(d2 >= f, "Virtual images not allowed");
  CheckView(A, D, F, h, imgRes);

  const double pix = (f / D) * h * 2 / std::max(imgRes.x, imgRes.y);
  const double v = FilmDistance(f, d);
  const double vSubject = FilmDistance(f, d2);
  return std::abs(vSubject - v) * f / ((vSubject - A) * pix);
}
