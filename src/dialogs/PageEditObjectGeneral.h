// The General page of the Edit Object sheet: the object's name, its size in metres along its own
// axes, its quality and whether it shares its look with the objects of its name. While
// "Allow distorted dimensions" is off, typing one dimension makes the other two follow the
// proportions of the object's own box. An object that is flat along an axis shows 0 there, and
// that dimension can be neither typed nor changed. A dimension is refused beyond the sizes an edit
// may give the object (core/Transform.h).
#pragma once

#include "core/XPtSzRect.h"
#include "dialogs/XPropertyPage.h"

class PropertySheetEditObject;

constexpr UINT kEditObjectGeneralTemplate = 10301;

// A vector's width, height and depth, in the order of the page's dimensions.
constexpr double Vector::*kSizeAxes[] = {&Vector::x, &Vector::y, &Vector::z};

// Quality -3..-1 and 1..3 on the slider's positions 0..5, and back.
int QualitySliderPosition(LONG quality);
LONG QualityOfSliderPosition(int position);

class PageEditObjectGeneral : public XPropertyPage {
  DECLARE_DYNAMIC(PageEditObjectGeneral)

 public:
  explicit PageEditObjectGeneral(PropertySheetEditObject* owner);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnAllowDistorted();
  void OnWidthChanged();
  void OnHeightChanged();
  void OnDepthChanged();
  // The dimension the others follow while the box is off, the one typed last: 0 width, 1 height,
  // 2 depth.
  int LeadingAxis() const { return m_leader; }

  CSliderCtrl m_qualitySlider;
  int m_distorted = FALSE;
  int m_editAllCopies = FALSE;
  CString m_name;
  double m_depth = 0.0;
  double m_height = 0.0;
  double m_width = 0.0;
  Vector m_baseSize{0.0, 0.0, 0.0};  // extents of the group's own box, measured once
  BOOL m_exchangeWidth = TRUE;
  BOOL m_exchangeHeight = TRUE;
  BOOL m_exchangeDepth = TRUE;
  int m_qualityPos = 0;             // stored by OnOK
  int m_initialQualityPos = 0;      // where the slider was put for the object's quality
  PropertySheetEditObject* sheet;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  DECLARE_MESSAGE_MAP()

 private:
  enum Axis { kWidth, kHeight, kDepth };
  double m_sizeRange[3][2] = {};  // the least and the most each dimension may be given
  Axis m_leader = kWidth;
  double& Size(Axis axis);
  double Base(Axis axis) const;
  BOOL& ExchangeFlag(Axis axis);
  Axis FirstAxisWithExtent() const;
  // The other two dimensions from `axis`'s, in the base proportions; an axis without extent
  // drives nothing.
  void FollowFrom(Axis axis);
  void OnDimensionChanged(Axis axis);
};
