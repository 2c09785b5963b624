// The template parser: reads the data objects the mesh builder needs (Frame,
// FrameTransformMatrix, Mesh, MeshNormals, MeshTextureCoords, MeshVertexColors, MeshMaterialList,
// Material, TextureFilename) and steps over template declarations and every other object.
#pragma once

#include "platform/d3drm/xfile/XScene.h"
#include "platform/d3drm/xfile/XToken.h"

namespace d3drm::xfile {

// False for damaged data: a broken structure, a count the data cannot fill, an index out of
// range, a number that is not finite in single precision, frames nested too deeply.
[[nodiscard]] bool ParseXObjects(Tokenizer& tokenizer, XScene* scene);

}  // namespace d3drm::xfile
