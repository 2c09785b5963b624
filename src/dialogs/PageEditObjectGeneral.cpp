#include "dialogs/PageEditObjectGeneral.h"

#include <algorithm>

#include "dialogs/PropertySheetEditObject.h"
#include "platform/framework/ControlNotifications.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/MessageMap.h"
#include "scene/GroupSO.h"
#include "scene/MeshSO.h"

IMPLEMENT_DYNAMIC(PageEditObjectGeneral, XPropertyPage)

BEGIN_MESSAGE_MAP(PageEditObjectGeneral, XPropertyPage)
  ON_BN_CLICKED(32772, OnAllowDistorted)
  ON_EN_CHANGE(32775, OnWidthChanged)
  ON_EN_CHANGE(32774, OnHeightChanged)
  ON_EN_CHANGE(32773, OnDepthChanged)
END_MESSAGE_MAP()

namespace {

constexpr int kQualitySlider = 32841;
constexpr int kWidthEdit = 32775;
constexpr int kHeightEdit = 32774;
constexpr int kDepthEdit = 32773;
constexpr int kDimensionEdits[] = {kWidthEdit, kHeightEdit, kDepthEdit};
constexpr int kQualityLabels[] = {kQualitySlider, 1147, 1148, 1149, 1150};
constexpr int kQualityBox = 1146;
constexpr int kNoQualityNote = 1151;
constexpr double kSmallestSize = 1e-20;
constexpr double kLargestSize = 1e20;

// A dimension is exchanged only where the object has an extent: 0 is shown but never read back.
void ExchangeDimension(CDataExchange* dx, int id, double& value, BOOL exchange, double base, const double (&range)[2]) {
  if (!exchange || (base == 0.0 && dx->m_bSaveAndValidate)) return;
  DDX_Text(dx, id, value);
  if (base != 0.0) DDV_MinMaxDouble(dx, value, range[0], range[1]);
}

}  // namespace

int QualitySliderPosition(LONG quality) {
  const LONG position = quality > 0 ? quality + 2 : quality + 3;
  return static_cast<int>(std::clamp<LONG>(position, 0, 5));
}

LONG QualityOfSliderPosition(int position) { return position <= 2 ? position - 3 : position - 2; }

PageEditObjectGeneral::PageEditObjectGeneral(PropertySheetEditObject* owner)
    : XPropertyPage(kEditObjectGeneralTemplate), sheet(owner) {
  MeshSO& mesh = sheet->Mesh();
  m_name = mesh.GetName();
  m_editAllCopies = mesh.reference;
  const Vector& scale = sheet->group->scale;
  const BoundingBox box = sheet->group->GetBox(nullptr);
  m_baseSize = Vector(box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z);
  // Distorted when the axes with extent differ in scale; a flat axis has no size to keep in step.
  m_leader = FirstAxisWithExtent();
  for (double Vector::*axis : kSizeAxes)
    if (m_baseSize.*axis != 0.0 && scale.*axis != scale.*kSizeAxes[m_leader]) m_distorted = TRUE;
  m_width = m_baseSize.x * scale.x;
  m_height = m_baseSize.y * scale.y;
  m_depth = m_baseSize.z * scale.z;
  // A size scales its axis of the object's transform by its ratio to the size now, which must stay
  // within the scales an edit may give; the size now is always allowed.
  const Transform& transform = sheet->group->GetTransform();
  for (Axis axis : {kWidth, kHeight, kDepth}) {
    const double now = Size(axis), axisScale = AxisScale(transform, axis);
    double(&range)[2] = m_sizeRange[axis];
    range[0] = std::min(now, std::max(kSmallestSize, now / axisScale * kSmallestAxisScale));
    range[1] = std::max(now, std::min(kLargestSize, now / axisScale * kLargestAxisScale));
  }
}

double& PageEditObjectGeneral::Size(Axis axis) {
  return axis == kWidth ? m_width : axis == kHeight ? m_height : m_depth;
}

double PageEditObjectGeneral::Base(Axis axis) const {
  return axis == kWidth ? m_baseSize.x : axis == kHeight ? m_baseSize.y : m_baseSize.z;
}

BOOL& PageEditObjectGeneral::ExchangeFlag(Axis axis) {
  return axis == kWidth ? m_exchangeWidth : axis == kHeight ? m_exchangeHeight : m_exchangeDepth;
}

void PageEditObjectGeneral::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, kQualitySlider, m_qualitySlider);
  DDX_Check(dx, 32772, m_distorted);
  DDX_Check(dx, 32880, m_editAllCopies);
  DDX_Text(dx, 32842, m_name);
  ExchangeDimension(dx, kDepthEdit, m_depth, m_exchangeDepth, m_baseSize.z, m_sizeRange[kDepth]);
  ExchangeDimension(dx, kHeightEdit, m_height, m_exchangeHeight, m_baseSize.y, m_sizeRange[kHeight]);
  ExchangeDimension(dx, kWidthEdit, m_width, m_exchangeWidth, m_baseSize.x, m_sizeRange[kWidth]);
}

BOOL PageEditObjectGeneral::OnInitDialog() {
  XPropertyPage::OnInitDialog();
  for (Axis axis : {kWidth, kHeight, kDepth}) GetDlgItem(kDimensionEdits[axis])->EnableWindow(Base(axis) != 0.0);
  m_qualitySlider.SetRange(0, 5, FALSE);
  const LONG quality = sheet->Mesh().GetQuality();
  m_initialQualityPos = QualitySliderPosition(quality);
  m_qualitySlider.SetPos(m_initialQualityPos);
  const bool hasQuality = quality != 0;
  for (int id : kQualityLabels) GetDlgItem(id)->ShowWindow(hasQuality ? SW_SHOW : SW_HIDE);
  GetDlgItem(kQualityBox)->EnableWindow(hasQuality);
  GetDlgItem(kNoQualityNote)->ShowWindow(hasQuality ? SW_HIDE : SW_SHOW);
  return TRUE;
}

void PageEditObjectGeneral::OnOK() {
  if (!UpdateDataGuarded(TRUE)) return;
  XPropertyPage::OnOK();
  m_qualityPos = m_qualitySlider.GetPos();
}

// The width leads; on an object flat across its width the first axis with an extent does.
PageEditObjectGeneral::Axis PageEditObjectGeneral::FirstAxisWithExtent() const {
  return m_baseSize.x != 0.0 ? kWidth : m_baseSize.y != 0.0 ? kHeight : kDepth;
}

void PageEditObjectGeneral::FollowFrom(Axis axis) {
  const double base = Base(axis);
  if (base == 0.0) return;
  for (Axis other : {kWidth, kHeight, kDepth})
    if (other != axis) Size(other) = (Base(other) / base) * Size(axis);
}

void PageEditObjectGeneral::OnDimensionChanged(Axis axis) {
  if (m_distorted) return;
  if (GetDlgItem(kWidthEdit)->GetWindowTextLength() == 0) return;
  if (!UpdateDataGuarded(TRUE)) return;
  if (Base(axis) != 0.0) m_leader = axis;
  FollowFrom(axis);
  BOOL& exchange = ExchangeFlag(axis);
  exchange = FALSE;
  UpdateDataGuarded(FALSE);
  exchange = TRUE;
}

void PageEditObjectGeneral::OnWidthChanged() { OnDimensionChanged(kWidth); }
void PageEditObjectGeneral::OnHeightChanged() { OnDimensionChanged(kHeight); }
void PageEditObjectGeneral::OnDepthChanged() { OnDimensionChanged(kDepth); }

void PageEditObjectGeneral::OnAllowDistorted() {
  if (!UpdateDataGuarded(TRUE)) return;
  if (m_distorted) return;
  m_leader = FirstAxisWithExtent();
  FollowFrom(m_leader);
  UpdateDataGuarded(FALSE);
}
