// Puts what the .x reader found into a mesh builder: the frames are flattened, each mesh placed
// by the transforms of its frame and the frames above it.
#pragma once

#include "platform/d3drm/BuilderData.h"
#include "platform/d3drm/D3DRMInterfaces.h"
#include "platform/d3drm/xfile/XScene.h"

namespace d3drm::xfile {

// Positions go through the frames' transforms and normals through their inverse transposes; a
// mesh without normals gets the averaged normals of its faces. The texture callback is called
// once for each texture name, in order of appearance; a texture it does not give is left out.
void FillBuilder(const XScene& scene, D3DRMLOADTEXTURECALLBACK callback, void* arg, BuilderData* data);

}  // namespace d3drm::xfile
