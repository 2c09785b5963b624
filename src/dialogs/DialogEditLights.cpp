#include "dialogs/DialogEditLights.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "dialogs/BrightnessSlider.h"
#include "document/XDocument.h"
#include "platform/framework/ControlNotifications.h"
#include "platform/framework/MessageMap.h"
#include "platform/framework/WaitCursor.h"
#include "platform/win/TimeFormat.h"

namespace {

constexpr int kEditLightsKind = 10;
constexpr LPARAM kLightsHint = 10;
constexpr int kMinutesOfHalfDay = 720;
constexpr int kNoon = 360;

// Where `world` carries one of the sun's local axes, in world coordinates.
Vector AxisDirection(const Transform& world, const Vector& axis) {
  const Vector tip = world.TransformPoint(axis);
  const Vector origin = world.TransformPoint(Vector(0, 0, 0));
  return Vector(tip.x - origin.x, tip.y - origin.y, tip.z - origin.z);
}

// The sun's direction: its local z axis.
Vector SunDirection(const Transform& world) { return AxisDirection(world, Vector(0, 0, 1)); }

double Length(const Vector& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// The unit heading of the sun's arc, its 06:00 direction, always on the +z side (+x when square
// to z). An afternoon sun leans against its heading, so its horizontal part is turned round, not
// mirrored, or reading and writing the time would disagree off the z axis. A sun along the vertical
// keeps its heading in its local x axis, which the arc holds horizontal and square to it.
Vector ArcHeading(const Transform& world) {
  constexpr double kFlat = 1e-5;  // well above the single-precision noise of a rotation
  const Vector d = SunDirection(world);
  const double tolerance = kFlat * Length(d);
  Vector h(d.x, 0.0, d.z);
  if (Length(h) <= tolerance) {
    const Vector side = AxisDirection(world, Vector(1, 0, 0));
    h = Vector(-side.z, 0.0, side.x);
  }
  if (Length(h) <= tolerance) return Vector(0, 0, 1);
  if (h.z < -tolerance || (std::fabs(h.z) <= tolerance && h.x < 0.0)) h = Vector(-h.x, 0.0, -h.z);
  const double length = Length(h);
  return Vector(h.x / length, 0.0, h.z / length);
}

double ClampedAcos(double c) { return std::fabs(std::acos(std::clamp(c, -1.0, 1.0))); }

Ptr<LightSO> SunLight(XDocument& doc) {
  const XList<Ptr<LightSO>>& lights = doc.GetSunlight()->GetLights();
  return lights.GetAt(lights.GetHeadPosition());
}

}  // namespace

int SunMinutes(const Transform& world) {
  const Vector d = SunDirection(world);
  const Vector h = ArcHeading(world);
  const double length = Length(d);
  if (length == 0.0) return kNoon;
  const double angle = ClampedAcos((d.x * h.x + d.z * h.z) / length);
  return static_cast<int>(std::lround(angle * kMinutesOfHalfDay / std::numbers::pi));
}

Transform SunTransformAt(int minutes, const Transform& world) {
  const double alpha = minutes * std::numbers::pi / kMinutesOfHalfDay;
  const Vector h = ArcHeading(world);
  const Transform elevation(-alpha, Vector(-h.z, 0.0, h.x));
  const double beta = ClampedAcos(h.z);
  if (beta <= 0.00001) return elevation;
  return elevation * Transform(-beta, Vector(0.0, -h.x, 0.0));
}

CString TimeOfDayText(int minutes) {
  const double hours = minutes / 60.0 + 6.0;
  double whole = 0.0;
  const double fraction = std::modf(hours, &whole);
  SYSTEMTIME time{1997, 1, 1, 1, static_cast<WORD>(whole), static_cast<WORD>(std::floor(fraction * 60.0 + 0.5)), 1, 1};
  const int length = GetTimeFormat(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, nullptr, 0);
  std::vector<char> text(static_cast<std::size_t>(std::max(length, 1)), '\0');
  GetTimeFormat(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text.data(), length);
  return CString(text.data());
}

BEGIN_MESSAGE_MAP(DialogEditLights, XDialog)
  ON_WM_VSCROLL()
  ON_BN_CLICKED(32843, OnShadowColor)
  ON_BN_CLICKED(32844, OnSunColor)
END_MESSAGE_MAP()

DialogEditLights::DialogEditLights(XDocument* doc, CWnd* parent) : XDialog(kEditLightsTemplate, parent), document(doc) {
  m_shadow_color = document->GetAmbient()->GetColor();
  m_shadow_color_button.SetColor(m_shadow_color);
  m_sun_color = SunLight(*document)->GetColor();
  m_sun_color_button.SetColor(m_sun_color);
  m_time = TimeOfDayText(SunMinutes(document->GetSunlight()->GetWorldTransform()));
}

void DialogEditLights::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, 32844, m_sun_color_button);
  DDX_Control(dx, 32843, m_shadow_color_button);
  DDX_Control(dx, 32769, m_sun_brightness);
  DDX_Control(dx, 32770, m_time_of_day);
  DDX_Control(dx, 32768, m_shadow_brightness);
  DDX_Text(dx, 32771, m_time);
}

BOOL DialogEditLights::OnInitDialog() {
  XDialog::OnInitDialog();
  m_shadow_brightness.SetRange(0, kBrightnessSteps, FALSE);
  OnShadowColor();
  m_sun_brightness.SetRange(0, kBrightnessSteps, FALSE);
  OnSunColor();
  m_time_of_day.SetRange(0, kMinutesOfHalfDay, FALSE);
  m_time_of_day.SetPos(std::clamp(SunMinutes(document->GetSunlight()->GetWorldTransform()), 0, kMinutesOfHalfDay));
  m_initial_time = m_time_of_day.GetPos();
  return TRUE;
}

void DialogEditLights::PositionBrightness(const ColorChooserButton& button, Color& working, CSliderCtrl& slider) {
  working = button.m_color;
  slider.SetPos(BrightnessPosition(working));
}

void DialogEditLights::OnShadowColor() { PositionBrightness(m_shadow_color_button, m_shadow_color, m_shadow_brightness); }

void DialogEditLights::OnSunColor() { PositionBrightness(m_sun_color_button, m_sun_color, m_sun_brightness); }

void DialogEditLights::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  CWnd* sender = reinterpret_cast<CWnd*>(bar);
  if (sender == &m_shadow_brightness) {
    FollowBrightness(m_shadow_color, m_shadow_brightness, m_shadow_color_button);
  } else if (sender == &m_sun_brightness) {
    FollowBrightness(m_sun_color, m_sun_brightness, m_sun_color_button);
  } else if (sender == &m_time_of_day) {
    if (!UpdateDataGuarded(TRUE)) return;
    m_time = TimeOfDayText(m_time_of_day.GetPos());
    UpdateDataGuarded(FALSE);
  }
  XDialog::OnVScroll(code, pos, bar);
}

void DialogEditLights::OnOK() {
  const CWaitCursor wait;
  XDialog::OnOK();
  if (!UpdateDataGuarded(TRUE)) return;
  bool recorded = false;
  const auto record = [&] {
    if (!recorded) document->RecordUndo(kEditLightsKind, nullptr, 0);
    recorded = true;
  };
  if (document->GetAmbient()->GetColor() != m_shadow_color) {
    record();
    document->GetAmbient()->SetColor(m_shadow_color);
  }
  if (SunLight(*document)->GetColor() != m_sun_color) {
    record();
    SunLight(*document)->SetColor(m_sun_color);
  }
  if (m_time_of_day.GetPos() != m_initial_time) {
    record();
    const Ptr<GroupSO>& sun = document->GetSunlight();
    sun->SetTransform(SunTransformAt(m_time_of_day.GetPos(), sun->GetWorldTransform()));
  }
  if (recorded) document->UpdateAllViews(nullptr, kLightsHint, nullptr);
}
