// Depth of field: the rendered surface, with its band and z-buffer, is blurred into image2, which
// is the band smaller each way. The focus and f-stop are the camera's, or are worked out from the
// selected objects.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "document/XDocument.h"
#include "dof/Aperture.h"
#include "shell/XApp.h"
#include "views/X3DView.h"

namespace {

constexpr WORD kWindowMaxLevel = 13;

// Where the lens is focused and how far it is stopped down; a map of level 0 everywhere when the
// values leave nothing to blur by.
struct LensChoice {
  double focus = 0.0;
  double fstop = 0.0;
  double band = 0.0;  // linear model: metres of subject distance per blur level
  bool linear = false;
  bool sharp = false;
};

// A copy of `source` in system memory; the two texts name its creation and its blit in reports.
IUPtr<IDirectDrawSurface> SystemMemoryCopy(IDirectDrawSurface* source, DDSURFACEDESC desc, const char* createText,
                                           const char* bltText) {
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  desc.ddsCaps.dwCaps = (desc.ddsCaps.dwCaps & ~DDSCAPS_VIDEOMEMORY) | DDSCAPS_SYSTEMMEMORY;
  IUPtr<IDirectDrawSurface> copy;
  XCHECK_DD_TEXT(XGetApp()->lpDD->CreateSurface(&desc, &copy, NULL), createText);
  RECT rect{0, 0, static_cast<LONG>(desc.dwWidth), static_cast<LONG>(desc.dwHeight)};
  XCHECK_DD_TEXT(copy->Blt(&rect, source, &rect, DDBLT_WAIT, NULL), bltText);
  return copy;
}

bool SameShape(IDirectDrawSurface* surface, const DDSURFACEDESC& wanted) {
  DDSURFACEDESC held{};
  held.dwSize = sizeof held;
  XCHECK_DD(surface->GetSurfaceDesc( &held ));
  return surface->IsLost() == DD_OK && held.dwWidth == wanted.dwWidth && held.dwHeight == wanted.dwHeight &&
         !std::memcmp(&held.ddpfPixelFormat, &wanted.ddpfPixelFormat, sizeof held.ddpfPixelFormat);
}

}  // namespace

bool X3DView::BlursCamera() const {
  if (settings.orthographic) return false;
  if (!settings.autoFocusSelected) return settings.fstop > 0.0;
  return GetDocument()->GetSelectedCount() > 0 && (settings.autoAperture || settings.fstop > 0.0);
}

bool X3DView::UsesDepthCue() const {
  return BlursCamera() && settings.autoFocusSelected && !settings.autoAperture && settings.linearModel;
}

void X3DView::Blur(const XSize* renderSize) {
  DDSURFACEDESC surfDesc{};
  surfDesc.dwSize = sizeof surfDesc;
  XCHECK_DD(image->GetSurfaceDesc( &surfDesc ));
  DDSURFACEDESC destDesc = surfDesc;
  destDesc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  destDesc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY;
  destDesc.dwWidth -= 2 * kBand;
  destDesc.dwHeight -= 2 * kBand;
  // Every blur writes each pixel of its output, so one of the right size and format serves again
  // and a frame allocates and clears no picture.
  if (!blurImage || !SameShape(blurImage, destDesc)) {
    blurImage = nullptr;
    XCHECK_DD_TEXT(XGetApp()->lpDD->CreateSurface(&destDesc, &blurImage, NULL),
                   "XGetApp()->lpDD->CreateSurface( &destDesc, &image2, NULL )");
  }
  image2 = blurImage;

  const double front = viewport->GetFront(), back = viewport->GetBack(), field = viewport->GetField();
  const POINT imgRes{static_cast<LONG>(surfDesc.dwWidth), static_cast<LONG>(surfDesc.dwHeight)};
  const double focal = settings.focal;
  LensChoice lens;
  lens.fstop = settings.fstop;
  lens.linear = UsesDepthCue();
  if (!settings.autoFocusSelected) {
    lens.focus = std::max(settings.focus, focal);
  } else {
    XDocument* doc = GetDocument();
    BoundingBox box;
    for (int i = doc->GetSelectedCount(); i-- > 0;) {
      const Ptr<GroupSO> group = doc->GetSelected(i);
      const Transform world = group->GetWorldTransform();
      const BoundingBox part = group->GetBox(&world);
      if (part.min.x == part.max.x && part.min.y == part.max.y && part.min.z == part.max.z) continue;
      box.min = Vector(std::min(box.min.x, part.min.x), std::min(box.min.y, part.min.y), std::min(box.min.z, part.min.z));
      box.max = Vector(std::max(box.max.x, part.max.x), std::max(box.max.y, part.max.y), std::max(box.max.z, part.max.z));
    }
    const Vector diagonal(box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z);
    const double radius = std::sqrt(diagonal.x * diagonal.x + diagonal.y * diagonal.y + diagonal.z * diagonal.z) / 2;
    lens.band = 2 * radius / settings.linearSensitivity;
    const Vector centre((box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2, (box.min.z + box.max.z) / 2);
    const Vector to(centre.x - settings.transform.t[0], centre.y - settings.transform.t[1],
                    centre.z - settings.transform.t[2]);
    const double distance = std::sqrt(to.x * to.x + to.y * to.y + to.z * to.z);
    // Only empty boxes leave the radius undefined: nothing then decides a focus.
    lens.sharp = !std::isfinite(radius) || !std::isfinite(distance);
    lens.focus = std::max(distance, focal);
    if (!lens.sharp && settings.autoAperture) {
      const double farSide = std::max(distance + radius, focal);
      const double nearSide = std::max(distance - radius, focal);
      lens.fstop = std::max(ApertureStopForDepth(focal, lens.focus, farSide, 0.0, front, back, field, imgRes),
                            ApertureStopForDepth(focal, lens.focus, nearSide, 0.0, front, back, field, imgRes));
    }
  }
  WORD maxLevel = kWindowMaxLevel;
  if (renderSize) maxLevel = static_cast<WORD>(std::max<LONG>(std::max(renderSize->cx, renderSize->cy) / 16, maxLevel));

  // A subject wholly within the focal length, or a lens stopped at 0, leaves everything sharp;
  // the picture still loses its band.
  static WORD sharpMap[kApertureMapSize];
  WORD* map = sharpMap;
  if (lens.linear) {
    if (!lens.sharp && std::isfinite(lens.band) && lens.band > 0.0)
      map = LinearModelMap(lens.focus, lens.band, front, back, maxLevel);
  } else if (!lens.sharp && std::isfinite(lens.fstop) && lens.fstop > 0.0) {
    map = ApertureModelMap(focal, lens.focus, lens.fstop, 0.0, front, back, field, imgRes, maxLevel);
  }
  // Where nothing was drawn stays sharp.
  map[0xFFFF] = 0;
  // The blur works in these; they stay from frame to frame while the picture size and the
  // largest level do.
  const std::size_t scratch = ApertureScratchEntries(surfDesc.dwWidth, surfDesc.dwHeight, maxLevel);
  if (fifoRBuf.size() != scratch)
    for (std::vector<DWORD>* buffer : {&fifoRBuf, &fifoGBuf, &fifoBBuf}) buffer->assign(scratch, 0);

  if (!(surfDesc.ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY)) {
    ApertureBlur(image2, image, map, 0, 0, fifoRBuf.data(), fifoGBuf.data(), fifoBBuf.data());
    return;
  }
  // The processor reads video memory only through system-memory copies of the image and its depth.
  IUPtr<IDirectDrawSurface> copy =
      SystemMemoryCopy(image, surfDesc, "XGetApp()->lpDD->CreateSurface( &copyDesc, &copy, NULL )",
                       "copy->Blt( &rect, image, &rect, DDBLT_WAIT, NULL )");
  DDSCAPS zBufCaps{DDSCAPS_ZBUFFER};
  IUPtr<IDirectDrawSurface> zBufImage;
  XCHECK_DD(image->GetAttachedSurface( &zBufCaps, &zBufImage ));
  DDSURFACEDESC zBufDesc{};
  zBufDesc.dwSize = sizeof zBufDesc;
  XCHECK_DD(zBufImage->GetSurfaceDesc( &zBufDesc ));
  XASSERT(zBufDesc.ddsCaps.dwCaps & DDSCAPS_ZBUFFER, "Z-buffer not found");
  XASSERT(!(zBufDesc.ddsCaps.dwCaps & DDSCAPS_WRITEONLY), "Z-buffer can not be read from");
  IUPtr<IDirectDrawSurface> zBufCopy =
      SystemMemoryCopy(zBufImage, zBufDesc, "XGetApp()->lpDD->CreateSurface( &zBufDesc, &zBufCopy, NULL )",
                       "zBufCopy->Blt( &rect, zBufImage, &rect, DDBLT_WAIT, NULL )");
  XCHECK_DD(copy->AddAttachedSurface( zBufCopy ));
  ApertureBlur(image2, copy, map, 0, 0, fifoRBuf.data(), fifoGBuf.data(), fifoBBuf.data());
}
