// The lens and focus controls that the Lens, Focus and New Scene Camera pages share: the two
// sliders with their edit boxes, the controls each enables, and what the user's moves do.
#pragma once

#include "dialogs/XPropertyPage.h"
#include "platform/framework/Controls.h"
#include "platform/framework/DataExchange.h"

// A page with camera controls: its enable rules run after every change the user makes.
class CameraControlsPage : public XPropertyPage {
 public:
  using XPropertyPage::XPropertyPage;
  // Reads the controls and enables what the values allow.
  virtual void EnableRules() = 0;
};

// The focal length in millimetres: a slider over the common lengths and an edit box for any.
struct LensControls {
  CameraControlsPage& page;
  CSliderCtrl& slider;
  double& focal;

  void ExchangeFocal(CDataExchange* dx);
  void InitSlider();
  // Returns false when the page's values were refused.
  bool SliderMoved();
  void Edited();
  // The lens controls are used only in perspective.
  static void Enable(CWnd& page, BOOL perspective);
};

// The f-stop slider, whose right end is "Perfect Clarity" (f-stop 0), and the controls that
// depend on the focus settings.
struct FocusControls {
  CameraControlsPage& page;
  CSliderCtrl& slider;
  double& fstop;
  int& lastPos;
  BOOL& perspective;
  BOOL& autoFocus;
  BOOL& autoFstop;
  BOOL& depthCue;
  double& focus;
  BYTE& sensitivity;

  static constexpr int kPerfectClarity = 65;
  static int SliderPosition(double fstop);

  // The exchange of the f-stop and the auto-focus boxes, then of the distance and the depth cue,
  // whose sensitivity each page limits in its own way.
  void ExchangeFstop(CDataExchange* dx);
  void ExchangeDistance(CDataExchange* dx, BYTE leastSensitive, BYTE mostSensitive);
  void InitSlider();
  // Returns false when the page's values were refused.
  bool SliderMoved();
  void Edited();
  // "Auto f-stop" and "Depth cue enhanced" exclude each other: a click on one that leaves either
  // on clears `other`.
  void ExclusiveClicked(BOOL& other);
  void Enable() const;
};
