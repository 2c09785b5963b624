// The tree pinned byte for byte and the fuzz target's first seed: a root holding a child group at
// (1, 2, 3) scaled 2 on x, a mesh object "vis" of vis.x without its mesh, a red light of `doc`.
#pragma once

#include "scene/GroupSO.h"

class XDocument;

Ptr<GroupSO> MakePinnedTree(XDocument* doc);
// A light with the pinned tree's values.
Ptr<LightSO> MakePinnedLight(D3DRMLIGHTTYPE type, const Color& color);
