// The Edit Camera sheet: the camera of one camera window (type, background, lens, focus) and the
// preferences of new scenes' cameras. The camera pages edit copies; OK applies what the shown
// pages changed as one "Edit Camera" record and redraws only that window.
#pragma once

#include <memory>

#include "dialogs/PageEditCameraFocus.h"
#include "dialogs/PageEditCameraGeneral.h"
#include "dialogs/PageEditCameraLens.h"
#include "dialogs/PageNewSceneCameraPrefs.h"
#include "dialogs/XPropertySheet.h"
#include "document/DocumentServices.h"

constexpr UINT kEditCameraCaption = 10250;

// The pages in tab order: the start page a caller passes.
enum EditCameraPage : UINT {
  kEditCameraGeneralPage = 0,
  kEditCameraLensPage = 1,
  kEditCameraFocusPage = 2,
  kEditCameraNewScenePage = 3,
};

class PropertySheetEditCamera : public XPropertySheet {
 public:
  // `camera` must be a view of a scene document.
  PropertySheetEditCamera(CameraView* camera, UINT startPage);

  int DoModal() override;
  // The perspective flag changed on one page: the other takes it, controls and all when shown.
  void ShareFocusPerspective(BOOL perspective);
  void ShareLensPerspective(BOOL perspective);

  CameraView* camera;
  std::unique_ptr<PageEditCameraGeneral> general;
  std::unique_ptr<PageEditCameraLens> lens;
  std::unique_ptr<PageEditCameraFocus> focus;
  std::unique_ptr<PageNewSceneCameraPrefs> newScene;
};
