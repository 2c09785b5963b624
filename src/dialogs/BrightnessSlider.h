// Brightness sliders: positions 0..1000 run a colour's luminance linearly across the range in which
// the colour shows its chroma unclamped, so that the slider changes the brightness and never the hue.
#pragma once

#include "core/Color.h"
#include "dialogs/ColorButton.h"

constexpr int kBrightnessSteps = 1000;

// The position of a fraction of the slider's travel: 0 up to 0 and for no number, the last
// position from 1 on.
int BrightnessSliderPosition(double fraction);
// Where the colour's luminance lies in its range; 0 when the range is a single value.
int BrightnessPosition(const Color& color);
// Gives `color` the luminance of the slider's position and shows it on `button` at once.
void FollowBrightness(Color& color, const CSliderCtrl& slider, ColorButton& button);
