// The segments of the rotate-about cylinder.
#pragma once

#include "core/XPtSzRect.h"
#include "platform/framework/Array.h"

// Fills the empty `starts` and `ends` with `num` (at least 2) segments parallel to the x axis,
// of the given length, starting on the circle of `radius` about the x axis at x = 0, the first
// at (0, radius, 0) and each next one turned by 2π/num about the x axis.
void XMakeCircleSegments(int num, CArray<Vector, const Vector&>& starts, CArray<Vector, const Vector&>& ends,
                         double radius, double length);
