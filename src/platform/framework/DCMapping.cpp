#include "platform/framework/DCMapping.h"

#include <cstdint>
#include <cstdlib>

#include "platform/win/MulDiv.h"

namespace {

// origin + (value - from) · num / den, rounded to nearest with halves upwards.
LONG Map(LONG value, LONG from, LONG num, LONG den, LONG origin) {
  std::int64_t n = (static_cast<std::int64_t>(value) - from) * num;
  std::int64_t d = den;
  if (d < 0) n = -n, d = -d;
  std::int64_t twice = 2 * n + d;
  std::int64_t q = twice / (2 * d);
  if (twice % (2 * d) != 0 && twice < 0) --q;  // floor, not truncation
  return static_cast<LONG>(origin + q);
}

LONG SignOf(LONG v) { return v < 0 ? -1 : 1; }

}  // namespace

int DCMapping::SetMapMode(int mode) {
  if (mode != MM_TEXT && mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC) return 0;
  const int previous = mode_;
  mode_ = mode;
  if (mode == MM_TEXT) windowExt_ = viewportExt_ = CSize(1, 1);
  if (mode == MM_ISOTROPIC) MakeIsotropic();
  return previous;
}

CSize DCMapping::SetWindowExt(int cx, int cy) {
  if (cx == 0 || cy == 0) return {};
  const CSize previous = windowExt_;
  if (mode_ == MM_TEXT) return previous;
  windowExt_ = CSize(cx, cy);
  if (mode_ == MM_ISOTROPIC) MakeIsotropic();
  return previous;
}

CSize DCMapping::SetViewportExt(int cx, int cy) {
  if (cx == 0 || cy == 0) return {};
  const CSize previous = viewportExt_;
  if (mode_ == MM_TEXT) return previous;
  viewportExt_ = CSize(cx, cy);
  if (mode_ == MM_ISOTROPIC) MakeIsotropic();
  return previous;
}

void DCMapping::MakeIsotropic() {
  const std::int64_t xScale = static_cast<std::int64_t>(std::abs(viewportExt_.cx)) * std::abs(windowExt_.cy);
  const std::int64_t yScale = static_cast<std::int64_t>(std::abs(viewportExt_.cy)) * std::abs(windowExt_.cx);
  if (xScale > yScale)
    viewportExt_.cx = SignOf(viewportExt_.cx) *
                      MulDiv(std::abs(viewportExt_.cy), std::abs(windowExt_.cx), std::abs(windowExt_.cy));
  else if (yScale > xScale)
    viewportExt_.cy = SignOf(viewportExt_.cy) *
                      MulDiv(std::abs(viewportExt_.cx), std::abs(windowExt_.cy), std::abs(windowExt_.cx));
}

CPoint DCMapping::SetWindowOrg(int x, int y) {
  const CPoint previous = windowOrg_;
  windowOrg_ = CPoint(x, y);
  return previous;
}

CPoint DCMapping::SetViewportOrg(int x, int y) {
  const CPoint previous = viewportOrg_;
  viewportOrg_ = CPoint(x, y);
  return previous;
}

POINT DCMapping::LPtoDP(POINT p) const {
  return {Map(p.x, windowOrg_.x, viewportExt_.cx, windowExt_.cx, viewportOrg_.x),
          Map(p.y, windowOrg_.y, viewportExt_.cy, windowExt_.cy, viewportOrg_.y)};
}

POINT DCMapping::DPtoLP(POINT p) const {
  return {Map(p.x, viewportOrg_.x, windowExt_.cx, viewportExt_.cx, windowOrg_.x),
          Map(p.y, viewportOrg_.y, windowExt_.cy, viewportExt_.cy, windowOrg_.y)};
}

SIZE DCMapping::LPtoDP(SIZE s) const {
  return {MulDiv(s.cx, std::abs(viewportExt_.cx), std::abs(windowExt_.cx)),
          MulDiv(s.cy, std::abs(viewportExt_.cy), std::abs(windowExt_.cy))};
}

SIZE DCMapping::DPtoLP(SIZE s) const {
  return {MulDiv(s.cx, std::abs(windowExt_.cx), std::abs(viewportExt_.cx)),
          MulDiv(s.cy, std::abs(windowExt_.cy), std::abs(viewportExt_.cy))};
}
