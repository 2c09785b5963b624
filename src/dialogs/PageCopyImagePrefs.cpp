#include "dialogs/PageCopyImagePrefs.h"

#include <cmath>

#include "core/FatalError.h"
#include "core/Globals.h"
#include "core/NoMemoryHandler.h"
#include "core/PreferenceKeys.h"
#include "core/XString.h"
#include "platform/framework/ControlNotifications.h"
#include "platform/framework/MessageMap.h"

namespace {

constexpr UINT IDS_INCHES = 85;
constexpr UINT IDS_CENTIMETRES = 86;
constexpr int kInches = 0;
constexpr double kCentimetresPerInch = 2.54;
constexpr double kNarrowest = 1.0;  // inches
constexpr double kWidest = 1200.0;
constexpr UINT kMostDpi = 4800;

// The width shown for `inches` in `units`: centimetres to the nearest hundredth.
double Shown(double inches, int units) {
  return units == kInches ? inches : std::round(inches * kCentimetresPerInch * 100.0) / 100.0;
}

double Factor(int units) { return units == kInches ? 1.0 : kCentimetresPerInch; }

}  // namespace

BEGIN_MESSAGE_MAP(PageCopyImagePrefs, XPropertyPage)
  ON_CBN_SELCHANGE(32850, OnSelChangeDisplayUnits)
  ON_BN_CLICKED(32851, OnDontUseDpi)
END_MESSAGE_MAP()

PageCopyImagePrefs::PageCopyImagePrefs() : XPropertyPage(kCopyImagePrefsTemplate) {
  m_always_improve = XGetPrefBool(XPref::SOFTEN_JAGGED_EDGES);
  // Only a 0 is repaired here: a value above the range is shown as stored, and OK refuses it.
  XGetPref(XPref::COPY_IMAGE_DPI, &m_dpi);
  if (m_dpi == 0) XGetPrefInRange(XPref::COPY_IMAGE_DPI, &m_dpi, "m_dpi >= 1");
  XGetPrefInRange(XPref::DISPLAY_WIDTH, &m_width_inches, "m_display_width >= 1.0 && m_display_width <= 1200.0");
  m_display_width = m_width_inches;
  m_dont_use_dpi = !XGetPrefBool(XPref::USE_DPI);
}

BOOL PageCopyImagePrefs::OnInitDialog() {
  XPropertyPage::OnInitDialog();
  UpdateDataGuarded(FALSE);
  for (const UINT unit : {IDS_INCHES, IDS_CENTIMETRES})
    while (m_display_units.AddString(XString(unit)) < 0) NoMemoryHandler(1);
  m_cur_display_units = kInches;
  XASSERT(m_display_units.SetCurSel( m_cur_display_units ) >= 0, "");
  OnDontUseDpi();
  return TRUE;
}

void PageCopyImagePrefs::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, 32850, m_display_units);
  DDX_Check(dx, 32847, m_always_improve);
  DDX_Text(dx, 32848, m_dpi);
  DDV_MinMaxUInt(dx, m_dpi, 1, kMostDpi);
  DDX_Text(dx, 32849, m_display_width);
  // The range follows the unit shown; inches are checked in single precision, centimetres as
  // shown, since 2.54 has no exact single-precision value.
  const double factor = Factor(m_cur_display_units);
  const double checked = m_cur_display_units == kInches ? static_cast<float>(m_display_width) : m_display_width;
  DDV_MinMaxDouble(dx, checked, kNarrowest * factor, kWidest * factor);
  DDX_Check(dx, 32851, m_dont_use_dpi);
}

void PageCopyImagePrefs::ShowWidthIn(int units) {
  if (m_display_width != Shown(m_width_inches, m_cur_display_units))
    m_width_inches = m_display_width / Factor(m_cur_display_units);
  m_cur_display_units = units;
  m_display_width = Shown(m_width_inches, units);
  UpdateDataGuarded(FALSE);
}

void PageCopyImagePrefs::OnSelChangeDisplayUnits() {
  UpdateDataGuarded(TRUE);
  const int sel = m_display_units.GetCurSel();
  XASSERT(sel >= 0 && sel <= 1, "No selection or selection out of expected bounds");
  ShowWidthIn(sel);
}

void PageCopyImagePrefs::OnOK() {
  if (m_cur_display_units != kInches) {
    // Validated in the unit shown; taken as inches from here on.
    if (!UpdateDataGuarded(TRUE)) return;
    XASSERT_TEXT(m_display_units.SetCurSel(kInches) >= 0, "m_display_units.SetCurSel( 0 ) >= 0", "");
    ShowWidthIn(kInches);
  }
  if (!UpdateDataGuarded(TRUE)) return;
  if (m_display_width != Shown(m_width_inches, kInches)) m_width_inches = m_display_width;
  XPropertyPage::OnOK();
  XWritePrefBool(XPref::SOFTEN_JAGGED_EDGES.section, XPref::SOFTEN_JAGGED_EDGES.key, m_always_improve);
  XWritePref(XPref::COPY_IMAGE_DPI.section, XPref::COPY_IMAGE_DPI.key, &m_dpi);
  XWritePref(XPref::DISPLAY_WIDTH.section, XPref::DISPLAY_WIDTH.key, &m_width_inches);
  XWritePrefBool(XPref::USE_DPI.section, XPref::USE_DPI.key, !m_dont_use_dpi);
  InitGlobals();
}

void PageCopyImagePrefs::OnDontUseDpi() {
  // The box alone decides: exchanging the whole page here would refuse a stored resolution out of
  // range as the page opens, before the user has had a chance to change it.
  m_dont_use_dpi = static_cast<CButton*>(GetDlgItem(32851))->GetCheck() == BST_CHECKED;
  GetDlgItem(32848)->EnableWindow(!m_dont_use_dpi);
}
