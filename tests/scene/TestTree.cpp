#include "TestTree.h"

#include "TestVisual.h"

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
  Ptr<TestVisual> visual = new TestVisual;
  visual->SetName("vis");
  root->AddVisual(Ptr<VisualSO>(visual));
  root->AddLight(MakePinnedLight(D3DRMLIGHT_DIRECTIONAL, Color(1, 0, 0, 1)), doc);
  return root;
}
