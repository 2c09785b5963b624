// Whether a drag move in a given interactive mode may run in a camera window; a refused move is
// ignored and the status prompt says why.
#pragma once

class Transform;

struct DragConditions {
  bool picked = false;           // the press hit an object
  bool pickedIsSelected = false;  // ... which is selected
  int selectedCount = 0;
  bool cameraKind = true;  // a general Camera window, not a fixed-direction one
  bool trackSceneExtents = false;
  bool orthographic = false;
  bool autoFocus = false;
  bool autoAperture = false;
  double fStop = 0.0;
  bool sightHorizontal = false;  // the camera looks exactly parallel to the ground
};

// Whether the camera looks exactly parallel to the ground (y of its view direction is 0).
bool IsSightHorizontal(const Transform& camera);

bool DragModeAccepted(int mode, const DragConditions& c);
