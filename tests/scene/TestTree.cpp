#include "TestTree.h"

#include "document/XDocument.h"
#include "scene/MeshSO.h"

Ptr<LightSO> MakePinnedLight(D3DRMLIGHTTYPE type, const Color& color) {
  Ptr<LightSO> light = new LightSO;
  light->SetType(type);
  light->SetColor(color);
  light->SetLinearAttenuation(0.5);
  light->SetQuadraticAttenuation(0.25);
  light->SetRange(12.5);
  light->SetUmbra(0.5);
  return light;
}

Ptr<GroupSO> MakePinnedTree(XDocument* doc) {
  Ptr<GroupSO> root = new GroupSO, child = new GroupSO;
  root->SetName("root");
  child->SetName("child");
  child->SetTransform(Transform(1, 0, 0, 1, 0, 1, 0, 2, 0, 0, 1, 3));
  child->scale = Vector(2, 1, 1);
  root->AddGroup(child);
  // The no-mesh state: the record names the file but reading does not reload it.
  Ptr<MeshSO> visual = new MeshSO;
  visual->mesh = nullptr;
  visual->SetFile("vis.x");
  visual->SetName("vis");
  visual->box.min = Vector(0, 0, 0);
  visual->box.max = Vector(2, 4, 4);
  visual->sphere.center = Vector(1, 2, 2);
  visual->sphere.radius = 3;
  visual->sphere.radiusSquared = 9;
  visual->quality = 3;
  visual->style = 1;
  visual->brushSize = 5;
  visual->texturesOn = 1;
  visual->cartoon = 1;
  visual->silhouetteColor = Color(1, 0, 0, 1);
  visual->silhouetteWidth = 2;
  visual->surfaceWidth = 4;
  visual->reverse = 1;
  // One part, with a look in each list as a mesh's load gives it.
  Material part;
  part.name = "part";
  visual->texMats.AddTail(part);
  visual->untexMats.AddTail(part);
  root->AddVisual(visual);
  root->AddLight(MakePinnedLight(D3DRMLIGHT_DIRECTIONAL, Color(1, 0, 0, 1)), doc);
  return root;
}
