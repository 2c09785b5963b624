// Fitting things into a camera window's view: the distance at which a sphere fills the field,
// and the camera and orthographic height that show a whole box.
#pragma once

#include <optional>

#include "core/Transform.h"

// The distance at which a sphere of `radius` fills the window's field (at least `front`); a window
// without an area counts as square.
double FillDistance(double radius, long zoomNumerator, long zoomDenominator, double focal, int clientWidth,
                    int clientHeight, double front);

struct SceneFit {
  double height;  // the orthographic view height
  Transform camera;
};
// The camera (same orientation, moved back along its line of sight) and view height that show
// `box` whole in a window of `kind` (0 Camera, 1-2 Front/Back, 3-4 Top/Bottom, 5-6 Left/Right).
// A point-sized box is shown at `emptyHeight`. A window without an area changes nothing.
std::optional<SceneFit> FitSceneBox(const Transform& camera, int kind, const BoundingBox& box, int clientWidth,
                                    int clientHeight, double focal, double front, long zoomNumerator,
                                    long zoomDenominator, double emptyHeight);
