// The templates of the Edit Camera sheet's pages and of the New Scene Camera page.
#pragma once

#include "platform/framework/DialogTemplate.h"

extern const DialogTemplate kNewSceneCameraPrefsPage;
extern const DialogTemplate kEditCameraGeneralPage;
extern const DialogTemplate kEditCameraLensPage;
extern const DialogTemplate kEditCameraFocusPage;
