#include "Thumbnail.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "Jpeg.h"
#include "platform/d3drm/D3DRM.h"
#include "platform/win/ComPtr.h"
#include "platform/ddraw/DirectDraw.h"

namespace objects {
namespace {

constexpr int kOversample = 3;  // rendered at three times the size, then averaged
constexpr int kSide = kThumbnailSide * kOversample;
constexpr std::uint32_t kRenderKey = 0xFF00FF;
constexpr Rgb kListBackground{255, 255, 255};  // edges are blended towards the list's white


void Check(HRESULT result, const char* what) {
  if (result != 0) throw std::runtime_error(std::string("3D layer refused: ") + what);
}

template <class T, class Create>
ComPtr<T> Make(Create create, const char* what) {
  T* object = nullptr;
  Check(create(&object), what);
  return ComPtr<T>::adopt(object);
}

struct TextureSource {
  IDirect3DRM* rm;
  IDirectDraw* dd;
  std::string folder;
};

HRESULT LoadJpegTexture(char* name, void* arg, IDirect3DRMTexture** texture) {
  const auto* source = static_cast<const TextureSource*>(arg);
  const Picture picture = ReadJpeg(source->folder + "/" + name);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  desc.dwWidth = picture.width;
  desc.dwHeight = picture.height;
  desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY;
  desc.ddpfPixelFormat = DDMakePixelFormat(DDFormat::XRGB8888);
  auto surface = Make<IDirectDrawSurface>([&](IDirectDrawSurface** s) { return source->dd->CreateSurface(&desc, s, nullptr); },
                                          "texture surface");
  DDSURFACEDESC locked{};
  locked.dwSize = sizeof locked;
  Check(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), "texture lock");
  for (unsigned y = 0; y < picture.height; ++y)
    for (unsigned x = 0; x < picture.width; ++x) {
      const std::uint8_t* p = &picture.rgb[(std::size_t{y} * picture.width + x) * 3];
      reinterpret_cast<std::uint32_t*>(DDFirstRow(locked) + y * locked.lPitch)[x] =
          std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
    }
  Check(surface->Unlock(nullptr), "texture unlock");
  return source->rm->CreateTextureFromSurface(surface.get(), texture);
}

struct Axes {
  D3DVECTOR x, y, z;
};

D3DVECTOR Normalised(D3DVECTOR v) {
  const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return {v.x / length, v.y / length, v.z / length};
}
D3DVECTOR Cross(D3DVECTOR a, D3DVECTOR b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float Dot(D3DVECTOR a, D3DVECTOR b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// A frame looking along `forward` with y up, standing at `at`.
void Place(IDirect3DRMFrame* frame, D3DVECTOR forward, D3DVECTOR at) {
  const D3DVECTOR z = Normalised(forward);
  const D3DVECTOR x = Normalised(Cross({0, 1, 0}, z));
  const D3DVECTOR y = Cross(z, x);
  const D3DRMMATRIX4D m{{x.x, x.y, x.z, 0}, {y.x, y.y, y.z, 0}, {z.x, z.y, z.z, 0}, {at.x, at.y, at.z, 1}};
  Check(frame->AddTransform(D3DRMCOMBINE_REPLACE, m), "placing a frame");
}

int NearestPart(D3DCOLOR colour, const std::vector<Part>& parts) {
  int best = -1, bestDistance = 1 << 30;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const int dr = static_cast<int>(colour >> 16 & 0xFF) - parts[i].colour.r;
    const int dg = static_cast<int>(colour >> 8 & 0xFF) - parts[i].colour.g;
    const int db = static_cast<int>(colour & 0xFF) - parts[i].colour.b;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) best = static_cast<int>(i), bestDistance = distance;
  }
  if (bestDistance > 3) throw std::runtime_error("a mesh group matches no part");
  return best;
}

// Paints the groups as the program's first look does and gives the parts' order.
std::vector<int> PrepareGroups(IDirect3DRMMesh* mesh, const std::vector<Part>& parts) {
  const bool textured = std::any_of(parts.begin(), parts.end(), [](const Part& p) { return !p.texture.empty(); });
  std::vector<int> order;
  for (unsigned g = mesh->GetGroupCount(); g-- > 0;) {
    const int part = NearestPart(mesh->GetGroupColor(static_cast<D3DRMGROUPINDEX>(g)), parts);
    if (std::find(order.begin(), order.end(), part) == order.end()) order.push_back(part);
    unsigned count = 0;
    Check(mesh->GetGroup(static_cast<D3DRMGROUPINDEX>(g), &count, nullptr, nullptr, nullptr, nullptr), "group size");
    std::vector<D3DRMVERTEX> vertices(count);
    Check(mesh->GetVertices(static_cast<D3DRMGROUPINDEX>(g), 0, count, vertices.data()), "group vertices");
    const Rgb c = textured ? Rgb{255, 255, 255} : parts[static_cast<std::size_t>(part)].colour;
    for (D3DRMVERTEX& v : vertices) v.color = 0xFF000000u | std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b;
    Check(mesh->SetVertices(static_cast<D3DRMGROUPINDEX>(g), 0, count, vertices.data()), "group vertices");
    const bool lit = textured || parts[static_cast<std::size_t>(part)].lit;
    Check(mesh->SetGroupQuality(static_cast<D3DRMGROUPINDEX>(g), lit ? D3DRMRENDER_PHONG : D3DRMSHADE_PHONG | D3DRMFILL_SOLID),
          "group quality");
  }
  return order;
}

// The camera distance at which the box's corners fill `share` of the view, found by halving.
float FittingDistance(const D3DRMBOX& box, D3DVECTOR centre, const Axes& axes, float tangent, float share) {
  auto fits = [&](float distance) {
    for (int i = 0; i < 8; ++i) {
      const D3DVECTOR corner{i & 1 ? box.max.x : box.min.x, i & 2 ? box.max.y : box.min.y, i & 4 ? box.max.z : box.min.z};
      const D3DVECTOR d{corner.x - centre.x, corner.y - centre.y, corner.z - centre.z};
      const float depth = Dot(d, axes.z) + distance;
      if (depth <= 0) return false;
      if (std::abs(Dot(d, axes.x)) > share * tangent * depth || std::abs(Dot(d, axes.y)) > share * tangent * depth)
        return false;
    }
    return true;
  };
  float low = 0.0f, high = 1.0f;
  while (!fits(high)) high *= 2;
  for (int i = 0; i < 40; ++i) (fits((low + high) / 2) ? high : low) = (low + high) / 2;
  return high;
}

std::vector<std::uint8_t> ReadAndShrink(IDirectDrawSurface* surface) {
  DDSURFACEDESC locked{};
  locked.dwSize = sizeof locked;
  Check(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), "reading the picture");
  std::vector<std::uint8_t> pixels(kThumbnailStride * kThumbnailSide);
  for (int ty = 0; ty < kThumbnailSide; ++ty)
    for (int tx = 0; tx < kThumbnailSide; ++tx) {
      int covered = 0, sum[3] = {0, 0, 0};
      for (int sy = 0; sy < kOversample; ++sy)
        for (int sx = 0; sx < kOversample; ++sx) {
          const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(
              DDFirstRow(locked) + (ty * kOversample + sy) * locked.lPitch)[tx * kOversample + sx] & 0xFFFFFF;
          if (p == kRenderKey) continue;
          ++covered;
          sum[0] += static_cast<int>(p >> 16 & 0xFF), sum[1] += static_cast<int>(p >> 8 & 0xFF), sum[2] += static_cast<int>(p & 0xFF);
        }
      // Rows go bottom-up; each pixel is blue, green, red.
      std::uint8_t* out = &pixels[static_cast<std::size_t>((kThumbnailSide - 1 - ty) * kThumbnailStride + tx * 3)];
      Rgb c = kThumbnailKey;
      if (covered) {
        const int empty = kOversample * kOversample - covered, all = kOversample * kOversample;
        c = {static_cast<std::uint8_t>((sum[0] + empty * kListBackground.r) / all),
             static_cast<std::uint8_t>((sum[1] + empty * kListBackground.g) / all),
             static_cast<std::uint8_t>((sum[2] + empty * kListBackground.b) / all)};
        if (c.r == kThumbnailKey.r && c.g == kThumbnailKey.g && c.b == kThumbnailKey.b) c.g = 1;
      }
      out[0] = c.b, out[1] = c.g, out[2] = c.r;
    }
  Check(surface->Unlock(nullptr), "reading the picture");
  return pixels;
}

}  // namespace

Rendering RenderThumbnail(const std::string& xText, const std::vector<Part>& parts, const std::string& textureFolder) {
  IDirect3DRM* rmRaw = nullptr;
  Check(Direct3DRMCreate(&rmRaw), "Direct3DRMCreate");
  auto rm = ComPtr<IDirect3DRM>::adopt(rmRaw);
  IDirectDraw* ddRaw = nullptr;
  Check(DirectDrawCreate(nullptr, &ddRaw, nullptr), "DirectDrawCreate");
  auto dd = ComPtr<IDirectDraw>::adopt(ddRaw);

  auto builder = Make<IDirect3DRMMeshBuilder>([&](auto** b) { return rm->CreateMeshBuilder(b); }, "builder");
  TextureSource textures{rm.get(), dd.get(), textureFolder};
  D3DRMLOADMEMORY memory{const_cast<char*>(xText.data()), static_cast<DWORD>(xText.size())};
  Check(builder->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, LoadJpegTexture, &textures), "loading the .x data");
  Check(builder->SetQuality(D3DRMRENDER_PHONG), "builder quality");
  auto mesh = Make<IDirect3DRMMesh>([&](auto** m) { return builder->CreateMesh(m); }, "mesh");
  Rendering rendering;
  rendering.partOrder = PrepareGroups(mesh.get(), parts);

  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  desc.dwWidth = desc.dwHeight = kSide;
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY;
  desc.ddpfPixelFormat = DDMakePixelFormat(DDFormat::XRGB8888);
  auto surface = Make<IDirectDrawSurface>([&](auto** s) { return dd->CreateSurface(&desc, s, nullptr); }, "surface");
  auto device = Make<IDirect3DRMDevice>(
      [&](auto** d) { return rm->CreateDeviceFromSurface(nullptr, dd.get(), surface.get(), d); }, "device");
  Check(device->SetQuality(D3DRMRENDER_PHONG), "device quality");

  auto scene = Make<IDirect3DRMFrame>([&](auto** f) { return rm->CreateFrame(nullptr, f); }, "scene");
  Check(scene->SetSceneBackground(0xFF000000u | kRenderKey), "background");
  auto object = Make<IDirect3DRMFrame>([&](auto** f) { return rm->CreateFrame(scene.get(), f); }, "object frame");
  Check(object->AddVisual(mesh.get()), "showing the mesh");
  auto ambient = Make<IDirect3DRMLight>([&](auto** l) { return rm->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.4f, 0.4f, 0.4f, l); },
                                        "ambient light");
  Check(scene->AddLight(ambient.get()), "ambient light");
  auto sunFrame = Make<IDirect3DRMFrame>([&](auto** f) { return rm->CreateFrame(scene.get(), f); }, "light frame");
  Place(sunFrame.get(), {0.5f, -0.8f, 0.6f}, {0, 0, 0});  // from above, the left and the front
  auto sun = Make<IDirect3DRMLight>([&](auto** l) { return rm->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 0.8f, 0.8f, 0.8f, l); },
                                    "sun light");
  Check(sunFrame->AddLight(sun.get()), "sun light");

  // Seen from the front, a little from the right and above, the object's box filling the view.
  D3DRMBOX box{};
  Check(mesh->GetBox(&box), "mesh box");
  const D3DVECTOR centre{(box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2, (box.min.z + box.max.z) / 2};
  const D3DVECTOR forward = Normalised({-0.55f, -0.45f, 1.0f});
  const Axes axes{Normalised(Cross({0, 1, 0}, forward)), Cross(forward, Normalised(Cross({0, 1, 0}, forward))), forward};
  constexpr float kTangent = 0.45f;
  const float distance = FittingDistance(box, centre, axes, kTangent, 0.9f);
  auto camera = Make<IDirect3DRMFrame>([&](auto** f) { return rm->CreateFrame(scene.get(), f); }, "camera");
  Place(camera.get(), forward,
        {centre.x - forward.x * distance, centre.y - forward.y * distance, centre.z - forward.z * distance});
  const float radius = std::sqrt(Dot({box.max.x - centre.x, box.max.y - centre.y, box.max.z - centre.z},
                                     {box.max.x - centre.x, box.max.y - centre.y, box.max.z - centre.z}));
  const float front = std::max((distance - radius) * 0.9f, distance * 0.01f);
  auto viewport = Make<IDirect3DRMViewport>(
      [&](auto** v) { return rm->CreateViewport(device.get(), camera.get(), 0, 0, kSide, kSide, v); }, "viewport");
  Check(viewport->SetFront(front), "front");
  Check(viewport->SetBack(distance + radius * 1.1f), "back");
  Check(viewport->SetField(front * kTangent), "field");
  Check(viewport->Clear(), "clear");
  Check(viewport->Render(scene.get()), "render");
  rendering.pixels = ReadAndShrink(surface.get());
  return rendering;
}

}  // namespace objects
