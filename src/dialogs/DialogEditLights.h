// The Edit Lights dialog: colour and brightness of the ambient light ("Shadows") and of the sun,
// and the time of day, which turns the sun along a half circle through the vertical: horizontal
// at 06:00, vertical at 12:00, horizontal the other way at 18:00, on the heading the sun has.
// The dialog works on copies; OK applies what changed as one "Edit Lights" record.
#pragma once

#include "core/Color.h"
#include "core/Transform.h"
#include "dialogs/ColorButton.h"
#include "dialogs/XDialog.h"

class XDocument;
class CScrollBar;

constexpr UINT kEditLightsTemplate = 10001;

// Minutes after 06:00 (0..720) of a sun whose local z axis points along `world`'s, rounded to
// the nearest minute: the angle from the heading of its arc. A sun along the vertical reads as 12:00.
int SunMinutes(const Transform& world);
// The sun's transform at `minutes` after 06:00 on the heading of `world`'s arc, which it keeps:
// SunMinutes gives `minutes` back for every heading.
Transform SunTransformAt(int minutes, const Transform& world);
// The user's time text of `minutes` after 06:00, without seconds.
CString TimeOfDayText(int minutes);

class DialogEditLights : public XDialog {
 public:
  explicit DialogEditLights(XDocument* doc, CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnShadowColor();
  void OnSunColor();
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);

  ColorChooserButton m_sun_color_button;
  ColorChooserButton m_shadow_color_button;
  CSliderCtrl m_sun_brightness;
  CSliderCtrl m_time_of_day;
  CSliderCtrl m_shadow_brightness;
  CString m_time;
  XDocument* document;
  int m_initial_time = 0;
  Color m_shadow_color;
  Color m_sun_color;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  DECLARE_MESSAGE_MAP()

 private:
  // Moves `slider` to where the colour's luminance lies in its feasible range.
  static void PositionBrightness(const ColorChooserButton& button, Color& working, CSliderCtrl& slider);
};
