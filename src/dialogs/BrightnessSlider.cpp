#include "dialogs/BrightnessSlider.h"

int BrightnessSliderPosition(double fraction) {
  if (!(fraction > 0.0)) return 0;  // a value that is no number, too
  return fraction >= 1.0 ? kBrightnessSteps : static_cast<int>(kBrightnessSteps * fraction);
}

int BrightnessPosition(const Color& color) {
  double low = 0.0;
  double high = 0.0;
  color.GetDisplayableLuminanceRange(low, high);
  if (high == low) return 0;
  return BrightnessSliderPosition((color.luminance - low) / (high - low));
}

void FollowBrightness(Color& color, const CSliderCtrl& slider, ColorButton& button) {
  double low = 0.0;
  double high = 0.0;
  color.GetDisplayableLuminanceRange(low, high);
  color.luminance = (high - low) * (slider.GetPos() / static_cast<double>(kBrightnessSteps)) + low;
  button.SetColor(color);
  button.UpdateWindow();
}
