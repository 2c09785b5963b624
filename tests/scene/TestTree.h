// The small tree the scene archive test pins byte for byte and the fuzz target takes as its first
// seed: a root holding a child group placed at (1, 2, 3) with scale 2 on x, a mesh object "vis"
// of the file vis.x without its mesh, and a red directional light of `doc`.
#pragma once

#include "scene/GroupSO.h"

Ptr<GroupSO> MakePinnedTree(XDocument* doc);
// A light with the pinned tree's values.
Ptr<LightSO> MakePinnedLight(D3DRMLIGHTTYPE type, const Color& color);
