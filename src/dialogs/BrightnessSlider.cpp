#include "dialogs/BrightnessSlider.h"

#include <algorithm>

int BrightnessPosition(const Color& color) {
  double low = 0.0;
  double high = 0.0;
  color.GetDisplayableLuminanceRange(low, high);
  if (high == low) return 0;
  const double ratio = (color.luminance - low) / (high - low);
  return std::clamp(static_cast<int>(kBrightnessSteps * ratio), 0, kBrightnessSteps);
}

void FollowBrightness(Color& color, const CSliderCtrl& slider, ColorButton& button) {
  double low = 0.0;
  double high = 0.0;
  color.GetDisplayableLuminanceRange(low, high);
  color.luminance = (high - low) * (slider.GetPos() / static_cast<double>(kBrightnessSteps)) + low;
  button.SetColor(color);
  button.UpdateWindow();
}
