#include <algorithm>
#include <cstring>

#include "platform/d3drm/render/Spans.h"
#include "platform/d3drm/render/TextureSampler.h"

namespace d3drm {
namespace {

struct Rgb {
  std::uint32_t r, g, b;
};

// a * b / 255, rounded, for a and b in 0..255.
inline std::uint32_t MulDiv255(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t x = a * b + 128;
  return (x + (x >> 8)) >> 8;
}

inline std::uint32_t Saturate(std::int32_t fixed) {
  const std::int32_t value = fixed >> 16;
  return value < 0 ? 0u : value > 255 ? 255u : static_cast<std::uint32_t>(value);
}

// Surface layouts: how a colour becomes the bytes of a pixel and back.
struct XRGB8888 {
  static constexpr int kBytes = 4;
  explicit XRGB8888(const PixelFormat&) {}
  void Store(std::uint8_t* p, Rgb c) const {
    const std::uint32_t pixel = c.r << 16 | c.g << 8 | c.b;
    std::memcpy(p, &pixel, 4);
  }
  Rgb Load(const std::uint8_t* p) const {
    std::uint32_t pixel;
    std::memcpy(&pixel, p, 4);
    return {pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF};
  }
};

struct RGB565 {
  static constexpr int kBytes = 2;
  explicit RGB565(const PixelFormat&) {}
  void Store(std::uint8_t* p, Rgb c) const {
    const auto pixel = static_cast<std::uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3);
    std::memcpy(p, &pixel, 2);
  }
  Rgb Load(const std::uint8_t* p) const {
    std::uint16_t pixel;
    std::memcpy(&pixel, p, 2);
    const std::uint32_t r = pixel >> 11, g = pixel >> 5 & 0x3F, b = pixel & 0x1F;
    return {r << 3 | r >> 2, g << 2 | g >> 4, b << 3 | b >> 2};
  }
};

template <int Bytes>
struct Masked {
  static constexpr int kBytes = Bytes;
  explicit Masked(const PixelFormat& f) : format(f) {}
  void Store(std::uint8_t* p, Rgb c) const { StorePixel(p, format.Pack(c.r, c.g, c.b), Bytes); }
  Rgb Load(const std::uint8_t* p) const {
    const std::uint32_t pixel = LoadPixel(p, Bytes);
    return {format.red.Unpack(pixel), format.green.Unpack(pixel), format.blue.Unpack(pixel)};
  }
  const PixelFormat& format;
};

// Shaders: the colour of the current pixel, then a step to the next.
struct FlatShader {
  FlatShader(const SpanContext&, const Span& s)
      : colour{Saturate(s.colour[0]), Saturate(s.colour[1]), Saturate(s.colour[2])} {}
  Rgb Colour() const { return colour; }
  void Step() {}
  Rgb colour;
};

// Stepped colours stay between the span's two ends, inside 0..255 (Spans.h): no clamping.
struct GouraudShader {
  GouraudShader(const SpanContext&, const Span& s) : GouraudShader(s.colour, s.dColour) {}
  GouraudShader(const std::int32_t* c, const std::int32_t* d) : r(c[0]), g(c[1]), b(c[2]), dr(d[0]), dg(d[1]), db(d[2]) {}
  Rgb Colour() const { return {Whole(r), Whole(g), Whole(b)}; }
  static std::uint32_t Whole(std::int32_t fixed) { return static_cast<std::uint32_t>(fixed) >> 16; }
  void Step() {
    r += dr;
    g += dg;
    b += db;
  }
  std::int32_t r, g, b, dr, dg, db;
};

// The texel modulated by the diffuse colour, u and v divided by the stepped 1/w at every pixel.
template <bool kSpecular>
struct TextureShader {
  TextureShader(const SpanContext& c, const Span& s)
      : picture(*c.texture), diffuse(c, s), specular(s.specular, s.dSpecular), uw(s.texture[0]), vw(s.texture[1]),
        w(s.texture[2]), duw(s.dTexture[0]), dvw(s.dTexture[1]), dw(s.dTexture[2]) {}
  // Inlined into the pixel loop, so the stepped values stay in registers.
  [[gnu::always_inline]] Rgb Colour() const {
    const float depth = 1.0f / w;
    const std::uint32_t texel = SampleNearest(picture, uw * depth, vw * depth);
    const Rgb light = diffuse.Colour();
    Rgb c{MulDiv255(texel >> 16 & 0xFF, light.r), MulDiv255(texel >> 8 & 0xFF, light.g),
          MulDiv255(texel & 0xFF, light.b)};
    if constexpr (kSpecular) {
      const Rgb shine = specular.Colour();
      c = {std::min(c.r + shine.r, 255u), std::min(c.g + shine.g, 255u), std::min(c.b + shine.b, 255u)};
    }
    return c;
  }
  void Step() {
    diffuse.Step();
    if constexpr (kSpecular) specular.Step();
    uw += duw;
    vw += dvw;
    w += dw;
  }
  const Picture& picture;
  GouraudShader diffuse, specular;
  float uw, vw, w, duw, dvw, dw;
};

template <class Layout, class Shader, bool kBlend>
void WriteSpan(const SpanContext& context, const Span& span) {
  const RenderTarget& target = *context.target;
  const Layout layout(target.format);
  std::uint8_t* pixel = target.ColourRow(span.y) + span.x * Layout::kBytes;
  std::uint16_t* depth = target.DepthRow(span.y) + span.x;
  Shader shader(context, span);
  std::int64_t z = span.z;
  const std::int64_t dz = span.dz;  // locals: the byte stores below could alias the span
  for (int i = 0, count = span.count; i < count; ++i, z += dz, pixel += Layout::kBytes, shader.Step()) {
    const auto value = static_cast<std::uint64_t>(z >> 16);
    if (value > depth[i]) continue;
    depth[i] = static_cast<std::uint16_t>(value);
    Rgb colour = shader.Colour();
    if constexpr (kBlend) {
      const Rgb under = layout.Load(pixel);
      const std::uint32_t a = context.alpha, rest = 255 - a;
      colour = {MulDiv255(colour.r, a) + MulDiv255(under.r, rest), MulDiv255(colour.g, a) + MulDiv255(under.g, rest),
                MulDiv255(colour.b, a) + MulDiv255(under.b, rest)};
      colour = {std::min(colour.r, 255u), std::min(colour.g, 255u), std::min(colour.b, 255u)};
    }
    layout.Store(pixel, colour);
  }
}

template <class Layout, class Shader>
SpanWriter ForBlend(bool blend) {
  return blend ? &WriteSpan<Layout, Shader, true> : &WriteSpan<Layout, Shader, false>;
}

template <class Layout>
SpanWriter ForShade(ShadeKind shade, bool blend) {
  switch (shade) {
    case ShadeKind::Flat:
      return ForBlend<Layout, FlatShader>(blend);
    case ShadeKind::Gouraud:
      return ForBlend<Layout, GouraudShader>(blend);
    case ShadeKind::Textured:
      return ForBlend<Layout, TextureShader<false>>(blend);
    case ShadeKind::TexturedSpecular:
      return ForBlend<Layout, TextureShader<true>>(blend);
  }
  return nullptr;
}

}  // namespace

SpanWriter SelectSpanWriter(PixelLayout layout, ShadeKind shade, bool blend) {
  switch (layout) {
    case PixelLayout::XRGB8888:
      return ForShade<XRGB8888>(shade, blend);
    case PixelLayout::RGB565:
      return ForShade<RGB565>(shade, blend);
    case PixelLayout::Masked16:
      return ForShade<Masked<2>>(shade, blend);
    case PixelLayout::Masked24:
      return ForShade<Masked<3>>(shade, blend);
    case PixelLayout::Masked32:
      return ForShade<Masked<4>>(shade, blend);
  }
  return nullptr;
}

}  // namespace d3drm
