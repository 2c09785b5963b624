#include "core/CircleSegments.h"

#include "core/FatalError.h"
#include "core/Transform.h"

void XMakeCircleSegments(int num, CArray<Vector, const Vector&>& starts, CArray<Vector, const Vector&>& ends,
                         double radius, double length) {
  XASSERT(starts.GetSize() == 0, "CArray to be filled on return is not empty on input");
  XASSERT(ends.GetSize() == 0, "CArray to be filled on return is not empty on input");
  XASSERT(num > 1, "");
  starts.SetSize(num);
  ends.SetSize(num);
  const Transform step(6.283185307179586 / num, Vector(1, 0, 0));
  Vector p(0, radius, 0);
  for (int i = 0; i < num; ++i) {
    starts[i] = p;
    ends[i] = Vector(p.x + length, p.y, p.z);
    p = step.TransformPoint(p);
  }
}
