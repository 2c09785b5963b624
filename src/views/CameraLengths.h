// The lengths a camera window keeps. Its lens (focal length, front clipping distance) beyond
// these reaches the 3D layer's single-precision fields as zero or infinity, which it refuses; the
// lens drags stop at them.
#pragma once

#include <cfloat>

constexpr double kShortestCameraLength = 1e-9;
constexpr double kLargestCameraLength = 1e9;
// The orthographic height follows the scene's extent, far past the lens lengths. The 3D layer's
// field is at most eight times the height (half of it, widened by the blur's band on a window
// one pixel wide), so it stays within single precision below this.
constexpr double kLargestCameraHeight = FLT_MAX / 16;
// The focus distance the Focus page takes; the blur raises a shorter one to the focal length.
constexpr double kLargestFocusDistance = 1e10;
