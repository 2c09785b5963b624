// What the scene objects ask of the application, answered by the application object.
#pragma once

#include "scene/SceneServices.h"

class XApp;

class XAppSceneServices final : public SceneApp {
 public:
  explicit XAppSceneServices(XApp& app) : app_(app) {}
  IDirect3DRM* GetD3DRM() override;
  IDirectDraw* GetDirectDraw() override;
  const D3DFINDDEVICERESULT* GetDevice() override;
  const XString& GetProgramPath() override;
  void RegenerateAllViews() override;

 private:
  XApp& app_;
};
