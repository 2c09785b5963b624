#include "platform/d3drm/render/Raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace d3drm {
namespace {

constexpr double kFarBeyond = 131072.0;  // any depth from here on fails the test
constexpr double kCoordinateLimit = 1 << 30;

// The first integer at or above `value`, for values of any size (not a number counts as far left).
int CeilToInt(double value) {
  const double bounded = value > kCoordinateLimit ? kCoordinateLimit : value > -kCoordinateLimit ? value : -kCoordinateLimit;
  const int truncated = static_cast<int>(bounded);
  return truncated + (truncated < bounded);
}

// Non-negative values: truncation is the floor.
std::int64_t DepthFixed(double z) {
  if (!(z >= 0.0)) z = std::isnan(z) ? kFarBeyond : 0.0;
  return static_cast<std::int64_t>(std::min(z, kFarBeyond) * 65536.0);
}

// Colours are rounded to the nearest step; out-of-range and undefined values are clamped.
std::int32_t ColourFixed(double c) {
  if (!(c >= 0.0)) c = 0.0;
  return static_cast<std::int32_t>(std::min(c, 255.0) * 65536.0 + 32768.0);
}

bool Finite(const RasterVertex& v, bool textured) {
  if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) return false;
  return !textured || (std::isfinite(v.rhw) && std::isfinite(v.u) && std::isfinite(v.v));
}

// A value across the triangle, with x and y measured from its first vertex.
struct Plane {
  double value = 0.0, dx = 0.0, dy = 0.0;
  double At(double x, double y) const { return value + dx * x + dy * y; }
};

class Gradients {
 public:
  Gradients(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c)
      : ox_(a.x), oy_(a.y), e1x_(double(b.x) - a.x), e1y_(double(b.y) - a.y), e2x_(double(c.x) - a.x),
        e2y_(double(c.y) - a.y), area_(e1x_ * e2y_ - e2x_ * e1y_) {}
  bool Degenerate() const { return !(area_ != 0.0) || !std::isfinite(area_); }
  Plane Of(double a0, double a1, double a2) const {
    const double d1 = a1 - a0, d2 = a2 - a0;
    return {a0, (d1 * e2y_ - d2 * e1y_) / area_, (d2 * e1x_ - d1 * e2x_) / area_};
  }
  double ox() const { return ox_; }
  double oy() const { return oy_; }

 private:
  double ox_, oy_, e1x_, e1y_, e2x_, e2y_, area_;
};

struct Planes {
  Plane z, colour[3], specular[3], texture[3];
};

// Planes for what the style draws; flat colours come from the first vertex.
Planes MakePlanes(const TriangleStyle& style, const Gradients& g, const RasterVertex& a, const RasterVertex& b,
                  const RasterVertex& c) {
  Planes p;
  p.z = g.Of(a.z, b.z, c.z);
  for (int i = 0; i < 3; ++i) {
    p.colour[i] = style.flat ? Plane{a.colour[i]} : g.Of(a.colour[i], b.colour[i], c.colour[i]);
    if (style.specular)
      p.specular[i] = style.flat ? Plane{a.specular[i]} : g.Of(a.specular[i], b.specular[i], c.specular[i]);
  }
  if (style.textured) {
    p.texture[0] = g.Of(double(a.u) * a.rhw, double(b.u) * b.rhw, double(c.u) * c.rhw);
    p.texture[1] = g.Of(double(a.v) * a.rhw, double(b.v) * b.rhw, double(c.v) * c.rhw);
    p.texture[2] = g.Of(a.rhw, b.rhw, c.rhw);
  }
  return p;
}

double Lerp(double from, double to, double t) { return from + t * (to - from); }

float Quotient(float a, int b) { return a / b; }
std::int32_t Quotient(std::int32_t a, int b) { return a / b; }
// The same quotient; a 32-bit division is much cheaper where the dividend fits.
std::int64_t Quotient(std::int64_t a, int b) {
  return a == static_cast<std::int32_t>(a) ? static_cast<std::int32_t>(a) / b : a / b;
}

// The step from first to last over count pixels; last() is only worked out when there are two.
template <class T, class Last>
T StepOf(T first, Last last, int count) {
  return count > 1 ? Quotient(last() - first, count - 1) : T{0};
}

// The span's values at its first and last pixel, (x0, y) and (x1, y) from the first vertex.
void FillSpan(const TriangleStyle& style, const Planes& p, double x0, double x1, double y, Span* span) {
  const int n = span->count;
  span->z = DepthFixed(p.z.At(x0, y));
  span->dz = StepOf(span->z, [&] { return DepthFixed(p.z.At(x1, y)); }, n);
  for (int i = 0; i < 3; ++i) {
    span->colour[i] = ColourFixed(p.colour[i].At(x0, y));
    span->dColour[i] = StepOf(span->colour[i], [&] { return ColourFixed(p.colour[i].At(x1, y)); }, n);
    if (style.specular) {
      span->specular[i] = ColourFixed(p.specular[i].At(x0, y));
      span->dSpecular[i] = StepOf(span->specular[i], [&] { return ColourFixed(p.specular[i].At(x1, y)); }, n);
    }
    if (style.textured) {
      span->texture[i] = static_cast<float>(p.texture[i].At(x0, y));
      span->dTexture[i] = StepOf(span->texture[i], [&] { return static_cast<float>(p.texture[i].At(x1, y)); }, n);
    }
  }
}

// Calls visit(y, xa, xb) for every row y in [firstRow, endRow) whose centre line crosses the
// triangle, with the x of its two edges there. Rows from the top vertex's (included) to the
// bottom vertex's (excluded); each edge is measured from its upper end, so triangles sharing an
// edge see the same x on every row.
template <class Visit>
void WalkRows(const RasterVertex& a, const RasterVertex& b, const RasterVertex& c, int firstRow, int endRow,
              Visit visit) {
  const RasterVertex* v[3] = {&a, &b, &c};
  if (v[1]->y < v[0]->y) std::swap(v[0], v[1]);
  if (v[2]->y < v[1]->y) std::swap(v[1], v[2]);
  if (v[1]->y < v[0]->y) std::swap(v[0], v[1]);
  struct Edge {
    Edge(const RasterVertex& top, const RasterVertex& bottom)
        : x0(top.x), y0(top.y), slope((double(bottom.x) - top.x) / (double(bottom.y) - top.y)) {}
    double XAt(int y) const { return x0 + (y - y0) * slope; }
    double x0, y0, slope;
  };
  const int top = std::max(firstRow, CeilToInt(v[0]->y));
  const int middle = CeilToInt(v[1]->y);
  const int bottom = std::min(endRow, CeilToInt(v[2]->y));
  if (top >= bottom) return;
  const Edge along(*v[0], *v[2]);
  if (top < middle) {
    const Edge upper(*v[0], *v[1]);
    for (int y = top, end = std::min(middle, bottom); y < end; ++y) visit(y, along.XAt(y), upper.XAt(y));
  }
  if (middle < bottom) {
    const Edge lower(*v[1], *v[2]);
    for (int y = std::max(top, middle); y < bottom; ++y) visit(y, along.XAt(y), lower.XAt(y));
  }
}

}  // namespace

TriangleStyle MakeTriangleStyle(const RenderTarget& target, bool flat, const Picture* texture, bool specular,
                                std::uint32_t alpha) {
  TriangleStyle style;
  style.flat = flat;
  style.textured = texture != nullptr;
  style.specular = specular && style.textured;
  const ShadeKind shade = style.textured ? (style.specular ? ShadeKind::TexturedSpecular : ShadeKind::Textured)
                          : flat         ? ShadeKind::Flat
                                         : ShadeKind::Gouraud;
  const bool blend = alpha < 255;
  style.writer = SelectSpanWriter(target.format.layout, shade, blend);
  style.context.target = &target;
  style.context.texture = texture;
  style.context.alpha = std::min(alpha, 255u);
  return style;
}

void DrawTriangle(const TriangleStyle& style, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c) {
  if (!Finite(a, style.textured) || !Finite(b, style.textured) || !Finite(c, style.textured)) return;
  const Gradients g(a, b, c);
  if (g.Degenerate()) return;
  const Planes planes = MakePlanes(style, g, a, b, c);
  const PixelRect& clip = style.context.target->clip;
  Span span;  // one for all rows: FillSpan sets every value the style's writer reads
  WalkRows(a, b, c, clip.top, clip.bottom, [&](int y, double xa, double xb) {
    const int x0 = std::max(clip.left, CeilToInt(std::min(xa, xb)));
    const int x1 = std::min(clip.right, CeilToInt(std::max(xa, xb)));
    if (x0 >= x1) return;
    span.y = y;
    span.x = x0;
    span.count = x1 - x0;
    FillSpan(style, planes, x0 - g.ox(), x1 - 1 - g.ox(), y - g.oy(), &span);
    style.writer(style.context, span);
  });
}

void DrawLine(const TriangleStyle& style, const RasterVertex& a, const RasterVertex& b) {
  if (!Finite(a, style.textured) || !Finite(b, style.textured)) return;
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  if (dx == 0.0 && dy == 0.0) return;
  const bool alongX = std::abs(dx) >= std::abs(dy);
  const RasterVertex* from = &a;
  const RasterVertex* to = &b;
  if ((alongX ? dx : dy) < 0) std::swap(from, to);
  const double start = alongX ? from->x : from->y, length = alongX ? std::abs(dx) : std::abs(dy);
  const double side = alongX ? from->y : from->x, slope = (alongX ? to->y - side : to->x - side) / length;
  const PixelRect& clip = style.context.target->clip;
  const int first = std::max(alongX ? clip.left : clip.top, CeilToInt(start));
  const int end = std::min(alongX ? clip.right : clip.bottom, CeilToInt(start + length));
  for (int i = first; i < end; ++i) {
    const double t = (i - start) / length;
    const int j = CeilToInt(side + (i - start) * slope - 0.5);  // the nearest pixel; halves go down
    const int x = alongX ? i : j, y = alongX ? j : i;
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) continue;
    Planes p;  // constant: the values at this pixel
    p.z.value = Lerp(from->z, to->z, t);
    for (int k = 0; k < 3; ++k) {
      p.colour[k].value = style.flat ? a.colour[k] : Lerp(from->colour[k], to->colour[k], t);
      p.specular[k].value = style.flat ? a.specular[k] : Lerp(from->specular[k], to->specular[k], t);
    }
    p.texture[0].value = Lerp(double(from->u) * from->rhw, double(to->u) * to->rhw, t);
    p.texture[1].value = Lerp(double(from->v) * from->rhw, double(to->v) * to->rhw, t);
    p.texture[2].value = Lerp(from->rhw, to->rhw, t);
    Span span;
    span.y = y;
    span.x = x;
    span.count = 1;
    FillSpan(style, p, 0.0, 0.0, 0.0, &span);
    style.writer(style.context, span);
  }
}

}  // namespace d3drm
