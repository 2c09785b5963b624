#include "shell/XAppSceneServices.h"

#include "shell/XApp.h"

IDirect3DRM* XAppSceneServices::GetD3DRM() { return app_.lpD3DRM; }
IDirectDraw* XAppSceneServices::GetDirectDraw() { return app_.lpDD; }
const D3DFINDDEVICERESULT* XAppSceneServices::GetDevice() { return app_.device; }
const XString& XAppSceneServices::GetProgramPath() { return app_.programPath; }
void XAppSceneServices::RegenerateAllViews() { app_.RegenerateAllViews(); }
