// Point Sun Light: the scene's sun takes the camera's place and direction, so that it shines along
// the line of sight. A camera looking up at the sky cannot give the sun its direction.
#pragma once

#include "core/Transform.h"

class XDocument;

constexpr UINT kSunPointsUpMessage = 40210;

// Whether the camera looks upwards, even slightly; a level camera does not.
bool LooksUpward(const Transform& camera);
// Gives the sun the camera's transform as one undoable step and updates the views; refused (false)
// for a camera that looks upwards.
bool PointSunLight(XDocument& doc, const Transform& camera);
