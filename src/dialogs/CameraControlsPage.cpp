#include "dialogs/CameraControlsPage.h"

#include <cmath>

#include "dialogs/ExactDoubleExchange.h"
#include "views/CameraLengths.h"

namespace {

constexpr int kShortestFocal = 1;  // millimetres
constexpr int kLongestFocal = 300;

void EnableControls(CWnd& page, std::initializer_list<int> ids, bool enable) {
  for (const int id : ids) page.GetDlgItem(id)->EnableWindow(enable);
}

// Whether the edit box `id` is empty: the user is still typing.
bool EditEmpty(CWnd& page, int id) {
  CString text;
  page.GetDlgItem(id)->GetWindowText(text);
  return text.IsEmpty();
}

int TruncatedWithin(double value, int low, int high) {
  if (!(value < high)) return high;
  if (!(value > low)) return low;
  return static_cast<int>(std::trunc(value));
}

}  // namespace

void LensControls::ExchangeFocal(CDataExchange* dx) {
  DDX_TextExact(dx, 32829, focal);
  DDV_MinMaxDouble(dx, focal, 1e-5, 10000.0);
}

void LensControls::InitSlider() {
  slider.SetRange(kShortestFocal, kLongestFocal, FALSE);
  slider.SetPos(TruncatedWithin(focal, kShortestFocal, kLongestFocal));
}

bool LensControls::SliderMoved() {
  if (!page.UpdateDataGuarded(TRUE)) return false;
  focal = slider.GetPos();
  page.UpdateDataGuarded(FALSE);
  return true;
}

void LensControls::Edited() {
  if (EditEmpty(page, 32829) || !page.UpdateDataGuarded(TRUE)) return;
  slider.SetPos(TruncatedWithin(focal, slider.GetRangeMin(), slider.GetRangeMax()));
}

void LensControls::Enable(CWnd& page, BOOL perspective) {
  EnableControls(page, {1139, 32828, 1140, 32829, 1141}, perspective != FALSE);
}

int FocusControls::SliderPosition(double fstop) {
  return fstop == 0.0 ? kPerfectClarity : TruncatedWithin(fstop, 1, kPerfectClarity);
}

void FocusControls::ExchangeFstop(CDataExchange* dx) {
  DDX_TextExact(dx, 32832, fstop);
  DDV_MinMaxDouble(dx, fstop, 0.0, 10000.0);
  DDX_Check(dx, 32834, autoFocus);
  DDX_Check(dx, 32835, autoFstop);
}

void FocusControls::ExchangeDistance(CDataExchange* dx, BYTE leastSensitive, BYTE mostSensitive) {
  DDX_TextExact(dx, 32833, focus);
  DDV_MinMaxDouble(dx, focus, 0.0, kLargestFocusDistance);
  DDX_Check(dx, 32836, depthCue);
  DDX_Text(dx, 32837, sensitivity);
  DDV_MinMaxByte(dx, sensitivity, leastSensitive, mostSensitive);
}

void FocusControls::InitSlider() {
  slider.SetRange(1, kPerfectClarity, FALSE);
  slider.SetPos(SliderPosition(fstop));
  lastPos = slider.GetPos();
}

bool FocusControls::SliderMoved() {
  const int position = slider.GetPos();
  if (position == slider.GetRangeMax()) {
    page.EnableRules();
    fstop = 0.0;
    page.UpdateDataGuarded(FALSE);
  } else {
    if (lastPos == slider.GetRangeMax()) {
      page.EnableRules();
    } else if (!page.UpdateDataGuarded(TRUE)) {
      return false;
    }
    fstop = position;
    page.UpdateDataGuarded(FALSE);
  }
  lastPos = position;
  return true;
}

void FocusControls::Edited() {
  if (EditEmpty(page, 32832)) return;
  const double old = fstop;
  if (!page.UpdateDataGuarded(TRUE)) return;
  if (fstop == 0.0) {
    slider.SetPos(slider.GetRangeMax());
    page.EnableRules();
  } else {
    slider.SetPos(TruncatedWithin(fstop, slider.GetRangeMin(), slider.GetRangeMax()));
    if (old == 0.0) page.EnableRules();
  }
  // The slider's next move starts from here: leaving "Perfect Clarity" must enable the distance.
  lastPos = slider.GetPos();
}

void FocusControls::ExclusiveClicked(BOOL& other) {
  page.EnableRules();
  if (!autoFstop && !depthCue) return;
  other = FALSE;
  page.UpdateDataGuarded(FALSE);
  page.EnableRules();
}

void FocusControls::Enable() const {
  CWnd& p = page;
  const bool lens = perspective != FALSE;
  EnableControls(p, {1133, 32831, 1134, 1137, 32832}, lens && !(autoFocus && (autoFstop || depthCue)));
  EnableControls(p, {1135, 32833, 1136}, lens && slider.GetPos() != slider.GetRangeMax() && !autoFocus);
  EnableControls(p, {32834}, lens);
  EnableControls(p, {1130, 32835, 32836, 1138}, lens && autoFocus);
  EnableControls(p, {32837}, lens && autoFocus && depthCue);
}
