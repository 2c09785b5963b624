#include "dialogs/PageEditObjectArtistic.h"

#include <algorithm>
#include <cmath>

#include "core/NoMemoryHandler.h"
#include "dialogs/BrightnessSlider.h"
#include "dialogs/PropertySheetEditObject.h"
#include "platform/framework/ControlNotifications.h"
#include "platform/framework/DataExchange.h"
#include "platform/framework/MessageMap.h"
#include "scene/MeshSO.h"

IMPLEMENT_DYNAMIC(PageEditObjectArtistic, XPropertyPage)

namespace {

constexpr int kStyleRadio = 32852;
constexpr int kCartoonCheck = 32856;
constexpr int kPatternRadio = 32879;
constexpr int kPatternEdit = 32877;
constexpr int kLargestLineWidth = 25;
constexpr double kMostShininess = 2500.0;
constexpr int kPartSwatch = 18;
// The highlight a part gets when it starts to shine.
const Color kDefaultHighlight(1.0, 1.0, 1.0, 1.0);
const Color kBlack(0.0, 0.0, 0.0, 1.0);

Material& EntryAt(XList<Material>& list, int index) {
  POSITION pos = list.GetHeadPosition();
  for (int i = 0; i < index; ++i) list.GetNext(pos);
  return list.GetAt(pos);
}

}  // namespace

int ShininessSliderPosition(double shininess, int steps) {
  if (!(shininess > 0.0)) return 0;  // a value that is no number, too
  return static_cast<int>(steps * std::min(std::pow(shininess / kMostShininess, 0.25), 1.0));
}

double ShininessOfSliderPosition(int position, int steps) {
  return kMostShininess * std::pow(static_cast<double>(position) / steps, 4.0);
}

BEGIN_MESSAGE_MAP(PageEditObjectArtistic, XPropertyPage)
  ON_BN_CLICKED(32863, OnPartColor)
  ON_BN_CLICKED(32868, OnGlowColor)
  ON_BN_CLICKED(32870, OnHighlightColor)
  ON_CBN_SELCHANGE(32862, OnPartOrStyleChanged)
  ON_BN_CLICKED(32852, OnPartOrStyleChanged)
  ON_BN_CLICKED(32853, OnPartOrStyleChanged)
  ON_BN_CLICKED(32854, OnPartOrStyleChanged)
  ON_BN_CLICKED(32855, OnPartOrStyleChanged)
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_BN_CLICKED(32856, OnCartoon)
  ON_BN_CLICKED(32872, UpdateControls)
  ON_BN_CLICKED(32879, UpdateControls)
  ON_BN_CLICKED(32878, UpdateControls)
  ON_BN_CLICKED(32875, UpdateControls)
  ON_EN_CHANGE(32877, OnPatternNumber)
END_MESSAGE_MAP()

PageEditObjectArtistic::PageEditObjectArtistic(PropertySheetEditObject* owner)
    : XPropertyPage(kEditObjectArtisticTemplate), sheet(owner) {
  MeshSO& mesh = sheet->Mesh();
  LONG texturesOn = 0;
  LONG style = 0;
  LONG brushSize = 0;
  LONG cartoon = 0;
  Color silhouetteColor;
  Color surfaceColor;
  DWORD silhouetteWidth = 0;
  DWORD surfaceWidth = 0;
  mesh.GetArtistic(texturesOn, style, brushSize, cartoon, silhouetteColor, silhouetteWidth, surfaceColor,
                   surfaceWidth);
  m_hasTextures = mesh.texturesLoaded;
  m_paintedAllowed = m_hasTextures && mesh.GetQuality() != 0;
  if (!m_hasTextures) texturesOn = 0;
  if (texturesOn) {
    XASSERT_TEXT(style >= 0 && style <= 2, "0", "");
    m_style = style >= 0 && style <= 2 ? static_cast<int>(style) + 1 : kPhoto;
  }
  m_cartoon = cartoon != 0;
  const LONG diameter = 2 * brushSize + 1;
  m_brushPreview.SetColor(kBlack);
  m_brushPreview.m_ellipseSize = SIZE{diameter, diameter};
  m_partColorButton.m_rectSize = SIZE{kPartSwatch, kPartSwatch};
  m_surfaceButton.SetColor(surfaceColor);
  m_surfaceButton.m_rectSize = SIZE{static_cast<LONG>(surfaceWidth), 0};
  m_silhouetteButton.SetColor(silhouetteColor);
  m_silhouetteButton.m_rectSize = SIZE{static_cast<LONG>(silhouetteWidth), 0};
  mesh.GetTexMats(texMats);
  mesh.GetUntexMats(untexMats);
}

void PageEditObjectArtistic::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, 32857, m_brushSlider);
  DDX_Control(dx, 32858, m_surfaceWidthSlider);
  DDX_Control(dx, 32859, m_silhouetteWidthSlider);
  DDX_Control(dx, 32866, m_colorSlider);
  DDX_Control(dx, 32883, m_opacitySlider);
  DDX_Control(dx, 32867, m_glowSlider);
  DDX_Control(dx, 32869, m_highlightSlider);
  DDX_Control(dx, 32871, m_shininessSlider);
  DDX_Control(dx, 32876, m_patternSlider);
  DDX_Control(dx, 32860, m_surfaceButton);
  DDX_Control(dx, 32861, m_silhouetteButton);
  DDX_Control(dx, 32863, m_partColorButton);
  DDX_Control(dx, 32868, m_glowButton);
  DDX_Control(dx, 32870, m_highlightButton);
  DDX_Control(dx, 32864, m_brushPreview);
  DDX_Control(dx, 32862, m_partsList);
  DDX_Check(dx, 32872, m_lighted);
  DDX_Check(dx, 32873, m_smooth);
  DDX_Check(dx, 32874, m_wireframe);
  DDX_Check(dx, kCartoonCheck, m_cartoon);
  DDX_Radio(dx, kStyleRadio, m_style);
  DDX_Radio(dx, kPatternRadio, m_pattern);
  DDX_Text(dx, kPatternEdit, m_patternNumber);
  DDV_MinMaxInt(dx, m_patternNumber, Material::kFirstPatternNumber, Material::kLastPatternNumber);
}

BOOL PageEditObjectArtistic::OnInitDialog() {
  XPropertyPage::OnInitDialog();
  m_brushSlider.SetRange(1, 15);
  const LONG diameter = m_brushPreview.m_ellipseSize.cx;
  XASSERT(diameter >= 3, "");
  m_brushSlider.SetPos(static_cast<int>((diameter - 1) / 2));
  for (auto [slider, button] : {std::pair{&m_surfaceWidthSlider, &m_surfaceButton},
                                std::pair{&m_silhouetteWidthSlider, &m_silhouetteButton}}) {
    const LONG width = button->m_rectSize.cx;
    XASSERT(width >= 0, "");
    slider->SetRange(0, kLargestLineWidth);
    slider->SetPos(static_cast<int>(width));
  }
  for (CSliderCtrl* slider : {&m_opacitySlider, &m_colorSlider, &m_glowSlider, &m_highlightSlider, &m_shininessSlider})
    slider->SetRange(0, kBrightnessSteps);
  m_patternSlider.SetRange(Material::kFirstPatternNumber, Material::kLastPatternNumber);
  UpdateDataGuarded(FALSE);

  XASSERT(texMats.GetCount() == untexMats.GetCount(), "");
  XASSERT(texMats.GetCount() > 0 && untexMats.GetCount() > 0, "");
  POSITION untextured = untexMats.GetHeadPosition();
  for (POSITION pos = texMats.GetHeadPosition(); pos;) {
    const CString& name = texMats.GetNext(pos).GetName();
    XASSERT_TEXT(name == untexMats.GetNext(untextured).GetName(), "texMats[i].GetName() == untexMats[i].GetName()", "");
    int added = CB_ERR;
    while ((added = m_partsList.AddString(name)) == CB_ERR || added == CB_ERRSPACE) NoMemoryHandler(1);
  }
  m_partsList.SetCurSel(0);
  OnPartOrStyleChanged();
  m_lastSurfaceWidth = m_surfaceWidthSlider.GetPos();
  m_lastSilhouetteWidth = m_silhouetteWidthSlider.GetPos();
  return TRUE;
}

void PageEditObjectArtistic::OnOK() {
  if (!UpdateDataGuarded(TRUE)) return;
  XPropertyPage::OnOK();
  OnPartOrStyleChanged();
}

void PageEditObjectArtistic::OnPartOrStyleChanged() {
  if (partsSel >= 0) {
    // The edits belong to the look and part shown until now, whatever the radios say already.
    const int heldStyle = m_style;
    Material& shown = EntryAt(ListOf(heldStyle), partsSel);
    if (m_partsList.GetCurSel() == CB_ERR) return;
    if (!UpdateDataGuarded(TRUE)) {
      m_style = heldStyle;
      RestoreShownPart();
      return;
    }
    StorePart(shown);
  }
  partsSel = m_partsList.GetCurSel();
  XASSERT(partsSel != CB_ERR && partsSel >= 0, "");
  LoadPart(EntryAt(ListOf(m_style), partsSel));
}

void PageEditObjectArtistic::RestoreShownPart() {
  m_partsList.SetCurSel(partsSel);
  static_cast<CButton*>(GetDlgItem(kStyleRadio + m_style))->SetCheck(BST_CHECKED);
}

void PageEditObjectArtistic::StorePart(Material& part) const {
  part.lighting = m_lighted;
  part.smooth = m_smooth;
  part.wireframe = m_wireframe;
  part.burned = m_pattern == kBurned;
  part.patternNumber = m_patternSlider.GetPos();
  part.patternOn = m_pattern != kNoPattern;
  part.diffuse = m_partColor;
  part.emissive = m_glowColor;
  part.specular = m_highlightColor;
  if (m_shininessMoved)
    part.shininess = ShininessOfSliderPosition(m_shininessSlider.GetPos(), m_shininessSlider.GetRangeMax());
}

void PageEditObjectArtistic::LoadPart(const Material& part) {
  m_lighted = part.lighting != 0;
  m_smooth = part.smooth != 0;
  m_wireframe = part.wireframe != 0;
  m_pattern = !part.patternOn ? kNoPattern : part.burned ? kBurned : kPsychedelic;
  m_patternSlider.SetPos(static_cast<int>(part.patternNumber));
  m_patternNumber = static_cast<int>(part.patternNumber);
  m_partColorButton.SetColor(part.diffuse);
  OnPartColor();
  m_glowButton.SetColor(part.emissive);
  OnGlowColor();
  m_highlightButton.SetColor(part.specular);
  OnHighlightColor();
  const int shininess = ShininessSliderPosition(part.shininess, m_shininessSlider.GetRangeMax());
  m_shininessSlider.SetPos(shininess);
  m_shininessMoved = FALSE;
  m_lastShininess = shininess;
  UpdateDataGuarded(FALSE);
  UpdateControls();
}

void PageEditObjectArtistic::OnPartColor() {
  m_partColor = m_partColorButton.m_color;
  m_colorSlider.SetPos(BrightnessPosition(m_partColor));
  m_opacitySlider.SetPos(BrightnessSliderPosition(m_partColor.a));
}

void PageEditObjectArtistic::OnGlowColor() {
  m_glowColor = m_glowButton.m_color;
  m_glowSlider.SetPos(BrightnessPosition(m_glowColor));
}

void PageEditObjectArtistic::OnHighlightColor() {
  m_highlightColor = m_highlightButton.m_color;
  m_highlightSlider.SetPos(BrightnessPosition(m_highlightColor));
}

void PageEditObjectArtistic::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  CWnd* sender = reinterpret_cast<CWnd*>(bar);
  if (sender == &m_colorSlider) {
    FollowBrightness(m_partColor, m_colorSlider, m_partColorButton);
  } else if (sender == &m_glowSlider) {
    FollowBrightness(m_glowColor, m_glowSlider, m_glowButton);
  } else if (sender == &m_highlightSlider) {
    FollowBrightness(m_highlightColor, m_highlightSlider, m_highlightButton);
  } else if (sender == &m_opacitySlider) {
    m_partColor.a = m_opacitySlider.GetPos() / static_cast<double>(kBrightnessSteps);
    m_partColorButton.SetColor(m_partColor);
    m_partColorButton.UpdateWindow();
  } else if (sender == &m_shininessSlider) {
    m_shininessMoved = TRUE;
    const int position = m_shininessSlider.GetPos();
    const int least = m_shininessSlider.GetRangeMin();
    if (position == least && m_lastShininess != least) {
      UpdateControls();
    } else if (position != least && m_lastShininess == least) {
      m_highlightButton.SetColor(kDefaultHighlight);
      OnHighlightColor();
      UpdateControls();
    }
    m_lastShininess = position;
  } else if (sender == &m_surfaceWidthSlider) {
    ShowLineWidth(m_surfaceWidthSlider, m_lastSurfaceWidth, m_surfaceButton);
  } else if (sender == &m_silhouetteWidthSlider) {
    ShowLineWidth(m_silhouetteWidthSlider, m_lastSilhouetteWidth, m_silhouetteButton);
  }
  XPropertyPage::OnHScroll(code, pos, bar);
}

void PageEditObjectArtistic::ShowLineWidth(CSliderCtrl& slider, int& last, ColorChooserButton& button) {
  const int position = slider.GetPos();
  // The colour button is of no use for a line of width 0.
  if (position == slider.GetRangeMin() || last == slider.GetRangeMin()) UpdateControls();
  last = position;
  button.m_rectSize = SIZE{position, 0};
  button.Invalidate(FALSE);
  button.UpdateWindow();
}

void PageEditObjectArtistic::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  CWnd* sender = reinterpret_cast<CWnd*>(bar);
  if (sender == &m_brushSlider) {
    const LONG diameter = 2 * m_brushSlider.GetPos() + 1;
    m_brushPreview.m_ellipseSize = SIZE{diameter, diameter};
    m_brushPreview.Invalidate(FALSE);
    m_brushPreview.UpdateWindow();
  } else if (sender == &m_patternSlider) {
    if (!UpdateDataGuarded(TRUE)) return;
    m_patternNumber = m_patternSlider.GetPos();
    UpdateDataGuarded(FALSE);
  }
  XPropertyPage::OnVScroll(code, pos, bar);
}

void PageEditObjectArtistic::OnPatternNumber() {
  if (GetDlgItem(kPatternEdit)->GetWindowTextLength() == 0) return;
  if (!UpdateDataGuarded(TRUE)) return;
  m_patternSlider.SetPos(std::clamp(m_patternNumber, m_patternSlider.GetRangeMin(), m_patternSlider.GetRangeMax()));
}

void PageEditObjectArtistic::OnCartoon() {
  const int heldStyle = m_style;
  const int heldCartoon = m_cartoon;
  if (!UpdateDataGuarded(TRUE)) {
    // Refused: the check goes back, so that lines never show with a look that has textures.
    m_style = heldStyle;
    m_cartoon = heldCartoon;
    static_cast<CButton*>(GetDlgItem(kCartoonCheck))->SetCheck(heldCartoon ? BST_CHECKED : BST_UNCHECKED);
    return;
  }
  // Cartoon lines go with solid colours; leaving them brings the photograph back when there is one.
  const int shown = m_cartoon && m_style != kSolidColor              ? kSolidColor
                    : !m_cartoon && m_style == kSolidColor && m_hasTextures ? kPhoto
                                                                     : m_style;
  if (shown != m_style) {
    m_style = shown;
    UpdateDataGuarded(FALSE);
    m_style = heldStyle;
    OnPartOrStyleChanged();
  }
  UpdateControls();
}
