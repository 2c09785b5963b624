#include "views/CopyImageSize.h"

#include "views/DibBytes.h"

namespace {

// A scaled side, kept within what a size can hold: any side past the largest render is shrunk.
LONG Scaled(LONG side, double scale) {
  const double scaled = side * scale;
  return scaled >= 2147483647.0 ? 2147483647 : static_cast<LONG>(scaled);
}

}  // namespace

CopyImagePlan PlanCopyImage(XSize client, const CopyImageSettings& s, LONG maxRender) {
  CopyImagePlan plan;
  XSize size = client;
  if (s.useDpi) {
    const double scale = s.dpi * s.displayWidth / s.screenWidth;
    size = XSize(Scaled(size.cx, scale), Scaled(size.cy, scale));
    plan.pelsPerMetre = DotsPerMetre(s.dpi);
  } else {
    plan.pelsPerMetre = static_cast<LONG>((s.screenWidth * 10000.0 + 127) / (s.displayWidth * 254.0));
  }
  // Also a client area larger than the largest render is copied smaller.
  if (size.cx > maxRender || size.cy > maxRender) {
    plan.shrunk = true;
    // Keeps the proportions; the products need more than 32 bits.
    if (size.cx <= size.cy)
      size = XSize(static_cast<LONG>(static_cast<long long>(size.cx) * maxRender / size.cy), maxRender);
    else
      size = XSize(maxRender, static_cast<LONG>(static_cast<long long>(size.cy) * maxRender / size.cx));
  }
  plan.bitmap = size;
  plan.render = size;
  if (s.supersample) {
    if (2LL * size.cx > maxRender || 2LL * size.cy > maxRender) {
      plan.supersampleDropped = true;
    } else {
      plan.supersampled = true;
      plan.render = XSize(2 * size.cx, 2 * size.cy);
    }
  }
  return plan;
}
