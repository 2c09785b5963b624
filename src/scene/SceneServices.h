// What the scene objects need of the running application: the 3D layer's root object, the
// DirectDraw object and the device chosen at start-up, the program's own file (the objects folder
// lies beside it), and a way to have every camera window rebuild its picture. The application
// installs them when it is made, so that the scene never names the application.
#pragma once

#include "core/XString.h"
#include "platform/d3drm/D3DRM.h"
#include "platform/ddraw/DirectDraw.h"

class SceneApp {
 public:
  virtual ~SceneApp() = default;
  virtual IDirect3DRM* GetD3DRM() = 0;
  virtual IDirectDraw* GetDirectDraw() = 0;
  virtual const D3DFINDDEVICERESULT* GetDevice() = 0;
  virtual const XString& GetProgramPath() = 0;
  virtual void RegenerateAllViews() = 0;
};

// Installs the application (nullptr removes it); returns the previous one.
SceneApp* SetSceneApp(SceneApp* app);
// The installed application; a fatal check when there is none.
SceneApp& GetSceneApp();
