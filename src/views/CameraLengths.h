// The lengths a camera window keeps (focal length, clip distances, focus, orthographic height):
// beyond them they reach the 3D layer's single-precision fields as zero or infinity, which it
// refuses. Scene files hold no camera length outside them; the lens drags stop at them.
#pragma once

constexpr double kShortestCameraLength = 1e-9;
constexpr double kLargestCameraLength = 1e9;
