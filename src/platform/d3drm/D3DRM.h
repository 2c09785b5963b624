// The 3D layer as the program uses it: the retained-mode interfaces, their values and results,
// and Direct3DRMCreate; with them the immediate-mode interfaces of the devices and viewports and
// Direct3D's device search.
#pragma once

#include "platform/d3drm/D3DInterfaces.h"
#include "platform/d3drm/D3DRMInterfaces.h"
#include "platform/d3drm/D3DRMTypes.h"
#include "platform/d3drm/Direct3D.h"
