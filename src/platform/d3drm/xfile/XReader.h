// Reads .x data, text ("txt ") or binary ("bin "), plain or compressed ("tzip", "bzip"), with
// 32- or 64-bit reals.
#pragma once

#include <cstdint>
#include <span>

#include "platform/d3drm/xfile/XScene.h"
#include "platform/win/WinTypes.h"

namespace d3drm::xfile {

// D3DRM_OK when the data holds a mesh, D3DRMERR_NOTFOUND when it holds none, D3DRMERR_BADFILE
// for damaged data or a wrong header.
HRESULT ReadXData(std::span<const std::uint8_t> data, XScene* scene);

}  // namespace d3drm::xfile
