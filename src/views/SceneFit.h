// Fitting things into a camera window's view: the distance at which a sphere fills the field,
// and the camera and orthographic height that show a whole box.
#pragma once

#include <optional>

#include "core/Transform.h"

// The distance at which a sphere of `radius` fills the window's field (at least `front`); a window
// without an area counts as square.
double FillDistance(double radius, long zoomNumerator, long zoomDenominator, double focal, int clientWidth,
                    int clientHeight, double front);

// How deep beyond its front plane an orthographic view shows.
constexpr double kOrthographicDepth = 65.535;

// In an orthographic view the distance does not change the picture: a sphere of `radius` that the
// distance `d` would put partly beyond the back plane goes to the middle of the depth shown, or,
// deeper than that, starts at the front plane. Other distances stay.
double OrthographicDistance(double d, double radius, double front);

struct SceneFit {
  double height;  // the orthographic view height
  Transform camera;
};
// The camera (same orientation, moved back along its line of sight) and view height that show
// `box` whole in a window of `kind` (0 Camera, 1-2 Front/Back, 3-4 Top/Bottom, 5-6 Left/Right).
// A point-sized box is shown at `emptyHeight`. A window without an area changes nothing. An
// orthographic view keeps the box before its back plane (OrthographicDistance).
std::optional<SceneFit> FitSceneBox(const Transform& camera, int kind, const BoundingBox& box, int clientWidth,
                                    int clientHeight, double focal, double front, long zoomNumerator,
                                    long zoomDenominator, double emptyHeight, bool orthographic = false);
