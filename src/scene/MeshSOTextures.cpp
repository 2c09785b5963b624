#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/FatalError.h"
#include "core/Globals.h"
#include "core/Guards.h"
#include "core/MissingFile.h"
#include "core/XMessageBox.h"
#include "platform/d3drm/FileLookup.h"
#include "platform/framework/File.h"
#include "scene/Jpeg.h"
#include "scene/ModeFilter.h"
#include "scene/TextureLoad.h"
#include "scene/SceneServices.h"

namespace {

// Once per run: the warning for the first surface of a texture, and for the second surface of
// the painted looks.
bool warnedFirstSurface = false;
bool warnedSecondSurface = false;

constexpr BYTE kMarginByte = 0x80;

unsigned PowerOfTwoAtLeast(unsigned n) {
  unsigned p = 1;
  while (p < n) p *= 2;
  return p;
}

bool HardwareDriver() {
  const D3DFINDDEVICERESULT* device = GetSceneApp().GetDevice();
  return device && device->ddHwDesc.dwFlags != 0;
}

DDSURFACEDESC TextureSurfaceDesc(unsigned width, unsigned height, bool colors256) {
  DDSURFACEDESC desc;
  std::memset(&desc, 0, sizeof desc);
  desc.dwSize = kDDSurfaceDescSize;
  desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_3DDEVICE | (HardwareDriver() ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY);
  desc.dwWidth = PowerOfTwoAtLeast(width);
  desc.dwHeight = PowerOfTwoAtLeast(height);
  DDPIXELFORMAT& f = desc.ddpfPixelFormat;
  f.dwSize = sizeof f;
  if (colors256) {
    f.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
    f.dwRGBBitCount = 8;
  } else {
    // The bytes of a pixel are red, green, blue in memory order, as libjpeg gives them.
    f.dwFlags = DDPF_RGB;
    f.dwRGBBitCount = 24;
    f.dwRBitMask = 0x000000FF;
    f.dwGBitMask = 0x0000FF00;
    f.dwBBitMask = 0x00FF0000;
  }
  return desc;
}

// A texture surface; a video-memory request that cannot be met warns once (per `warned`) and
// falls back to system memory.
IUPtr<IDirectDrawSurface> CreateTextureSurface(DDSURFACEDESC surfDesc, bool& warned) {
  IUPtr<IDirectDrawSurface> surface;
  HRESULT result;
  while ((result = GetSceneApp().GetDirectDraw()->CreateSurface(&surfDesc, &surface, NULL)) != DD_OK) {
    if (result == DDERR_OUTOFVIDEOMEMORY || result == DDERR_NOTEXTUREHW) {
      XASSERT_TEXT(surfDesc.ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY, "hardwareDriver", "");
      if (!warned) {
        warned = true;
        XInfoBox(result == DDERR_OUTOFVIDEOMEMORY ? 40206 : 40212);
      }
      surfDesc.ddsCaps.dwCaps = (surfDesc.ddsCaps.dwCaps & ~DDSCAPS_VIDEOMEMORY) | DDSCAPS_SYSTEMMEMORY;
    } else if (result == DDERR_OUTOFMEMORY) {
      NoMemoryHandler(1);
    } else {
      XAssertDDFailed(__FILE__, __LINE__, __DATE__, __TIME__,
                      "XGetApp()->lpDD->CreateSurface( &surfDesc, &surface, NULL )", result);
    }
  }
  return surface;
}

DDSURFACEDESC Lock(IDirectDrawSurface* surface) {
  DDSURFACEDESC lockDesc;
  std::memset(&lockDesc, 0, sizeof lockDesc);
  lockDesc.dwSize = kDDSurfaceDescSize;
  XCHECK_DD(surface->Lock( NULL, &lockDesc, DDLOCK_WRITEONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL ));
  return lockDesc;
}

// Mid grey where the picture does not cover the power-of-two surface.
void FillMargin(IDirectDrawSurface* surface, unsigned width, unsigned height, unsigned bytesPerPixel) {
  const DDSURFACEDESC lockDesc = Lock(surface);
  BYTE* first = DDFirstRow(lockDesc);
  const std::size_t rowBytes = static_cast<std::size_t>(lockDesc.lPitch);
  for (unsigned y = 0; y < lockDesc.dwHeight; ++y) {
    BYTE* row = first + y * rowBytes;
    const std::size_t from = y < height ? std::size_t{width} * bytesPerPixel : 0;
    std::memset(row + from, kMarginByte, rowBytes - from);
  }
  XCHECK_DD(surface->Unlock( lockDesc.lpSurface ));
}

// The block's style may be out of range: an unknown one is Photo; the brush is one the filter takes.
LONG UsableStyle(LONG style) { return style >= 0 && style <= 2 ? style : 0; }
unsigned UsableBrush(LONG brush) {
  return static_cast<unsigned>(std::clamp<LONG>(brush, 1, LONG{kLargestModeFilterRadius}));
}

// The texture of a JPEG picture, or D3DRMERR_BADFILE.
HRESULT LoadJpegTexture(const char* name, const TextureLoadInfo& info, unsigned factor, IDirect3DRMTexture** tex) {
  const bool colors256 = Globals::GetObjectQuality256Colors();
  unsigned w = 0, h = 0;
  if (!GetJPEGSize(name, factor, colors256, 256, &w, &h)) return D3DRMERR_BADFILE;
  const DDSURFACEDESC surfDesc = TextureSurfaceDesc(w, h, colors256);
  IUPtr<IDirectDrawSurface> surface = CreateTextureSurface(surfDesc, warnedFirstSurface);
  BYTE palette[256 * 4] = {};
  const DDSURFACEDESC lockDesc = Lock(surface);
  const BOOL read = ReadJPEG(name, DDFirstRow(lockDesc), lockDesc.lPitch, lockDesc.dwWidth, lockDesc.dwHeight, factor,
                             colors256, 256, palette);
  XCHECK_DD(surface->Unlock( lockDesc.lpSurface ));
  if (!read) return D3DRMERR_BADFILE;
  IUPtr<IDirectDrawPalette> ddPalette;
  if (colors256) {
    XCHECK_DD_TEXT(GetSceneApp().GetDirectDraw()->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256,
                                                                reinterpret_cast<LPPALETTEENTRY>(palette), &ddPalette,
                                                                NULL),
                   "XGetApp()->lpDD->CreatePalette( DDPCAPS_8BIT | DDPCAPS_ALLOW256, palette, &ddPalette, NULL )");
    XCHECK_DD(surface->SetPalette( ddPalette ));
  }

  IUPtr<IDirectDrawSurface> dest = surface;
  const LONG style = UsableStyle(info.style);
  if (style != 0) {
    IUPtr<IDirectDrawSurface> second = CreateTextureSurface(surfDesc, warnedSecondSurface);
    if (colors256) XCHECK_DD(second->SetPalette( ddPalette ));
    const unsigned radius = UsableBrush(info.brushSize);
    ModeFilterSurface(second, surface, radius, w, h);
    if (style == 2) {
      ModeFilterSurface(surface, second, radius, w, h);
      ModeFilterSurface(second, surface, radius, w, h);
    }
    dest = second;
  }
  FillMargin(dest, w, h, colors256 ? 1 : 3);
  XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->CreateTextureFromSurface(dest, tex),
                    "XGetApp()->lpD3DRM->CreateTextureFromSurface( dest, tex )");
  return D3DRM_OK;
}

// A texture name written on Windows ("C:\\Art\\wood.jpg", its separators often doubled).
bool WindowsPath(const std::string& name) { return name.find('\\') != std::string::npos; }

std::string FileNameOf(const std::string& name) {
  const std::size_t separator = name.find_last_of("\\/");
  return separator == std::string::npos ? name : name.substr(separator + 1);
}

// Where a texture is: a Windows path by its file name beside the model (the current folder while
// the model loads) first, then the name as written.
std::string FindTexture(const std::string& name) {
  if (WindowsPath(name))
    if (std::string beside = d3drm::FindFile(FileNameOf(name)); !beside.empty()) return beside;
  return d3drm::FindFile(name);
}

// The place of a missing texture as the user is asked for it and told about it: beside the model
// for a Windows path, with single separators.
std::string ShownTexturePath(const std::string& name) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(WindowsPath(name) ? FileNameOf(name) : name, error);
  return error ? name : path.lexically_normal().string();
}

// The file to load for `name`: found, answered earlier in this load, or answered by the user now
// (the missing place itself when the user gives up). D3DRMERR_BADFILE when the file is there but
// cannot be opened for reading (a folder of that name, or no access): no reader tries it.
std::string LocateTexture(const std::string& name, TextureLoadInfo& info, HRESULT* result) {
  if (const auto answered = info.located.find(name); answered != info.located.end()) return answered->second;
  if (std::string found = FindTexture(name); !found.empty()) {
    if (!d3drm::CanOpenForReading(found)) *result = D3DRMERR_BADFILE;
    return found;
  }
  CFileException why;
  CFile probe;
  if (probe.Open(name.c_str(), CFile::modeRead, &why) || why.m_cause != CFileException::fileNotFound) {
    *result = D3DRMERR_BADFILE;
    return {};
  }
  return info.located[name] = std::string(XLocateMissingFile(ShownTexturePath(name).c_str(), FALSE));
}

}  // namespace

HRESULT LoadTextureCallback(char* name, void* arg, IDirect3DRMTexture** tex) {
  TextureLoadInfo& info = *static_cast<TextureLoadInfo*>(arg);
  *tex = nullptr;
  info.loaded = 0;
  if (!info.load) return D3DRMERR_FILENOTFOUND;
  // A file that failed once in this load fails again without a word.
  if (const auto told = info.reported.find(name); told != info.reported.end()) return told->second;
  const unsigned factor = info.quality >= 0 ? 1u : 1u << std::min<LONG>(-info.quality, 16);

  HRESULT result = D3DRM_OK;
  const std::string used = LocateTexture(name, info, &result);
  if (result == D3DRM_OK) {
    while ((result = GetSceneApp().GetD3DRM()->LoadTexture(used.c_str(), tex)) == D3DRMERR_BADALLOC) NoMemoryHandler(1);
    if (result == D3DRMERR_BADFILE) result = LoadJpegTexture(used.c_str(), info, factor, tex);
  }

  if (result == D3DRM_OK) {
    XCHECK_D3DRM_TEXT((*tex)->SetName(used.c_str()), "(*tex)->SetName( name )");
    info.loaded = 1;
    return D3DRM_OK;
  }
  // One message per file and load, however many parts use the file.
  info.reported.emplace(name, result);
  const std::string shown = ShownTexturePath(used.empty() ? name : used);
  if (result == D3DRMERR_NOTFOUND || result == D3DRMERR_FILENOTFOUND) XErrorBox(40216, shown.c_str());
  if (result == D3DRMERR_BADFILE) XErrorBox(40215, shown.c_str());
  if (*tex) (*tex)->Release();
  *tex = nullptr;
  return result;
}
