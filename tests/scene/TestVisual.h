// A serializable visual for trees of scene objects in tests and fuzz seeds.
#pragma once

#include "scene/VisualSO.h"

// A visual with a mesh of its own whose ray pick answers from a script, whatever the ray.
class TestVisual : public VisualSO {
  DECLARE_SERIAL(TestVisual)
 public:
  TestVisual();
  IUPtr<IDirect3DRMVisual> GetD3DRMVisual() override { return IUPtr<IDirect3DRMVisual>(mesh); }
  BOOL Intersect(const Vector& origin, const Vector& direction, double& distance, Vector& point,
                 D3DRMPICKDESC& desc) override;

  IUPtr<IDirect3DRMMesh> mesh;
  bool hits = false;
  double hitDistance = 0.0;
  Vector hitPoint{0, 0, 0};
  ULONG face = 0;
};
