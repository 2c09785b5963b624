// The retained-mode layer as the program uses it: the interfaces, their values and results, and
// Direct3DRMCreate; with them the immediate-mode interfaces of the devices and viewports.
#pragma once

#include "platform/d3drm/D3DInterfaces.h"
#include "platform/d3drm/D3DRMTypes.h"
#include "platform/d3drm/D3DRMInterfaces.h"
