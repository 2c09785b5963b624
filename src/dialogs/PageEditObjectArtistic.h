// The Artistic page of the Edit Object sheet: the object's look (solid colours, its photograph,
// two painted looks), cartoon lines, the painting brush, and part by part the looks of its named
// parts. The page edits copies: each look keeps its own list of part looks (`untexMats` for Solid
// color, `texMats` for the looks that show textures), and the controls edit the entry of the look
// chosen at the moment. The sheet reads the copies after OK.
#pragma once

#include "core/Color.h"
#include "core/XList.h"
#include "dialogs/ColorButton.h"
#include "dialogs/XPropertyPage.h"
#include "scene/Material.h"

class CScrollBar;
class PropertySheetEditObject;

constexpr UINT kEditObjectArtisticTemplate = 10302;

// Shininess (0..2500) on a slider of `steps` positions and back.
int ShininessSliderPosition(double shininess, int steps);
double ShininessOfSliderPosition(int position, int steps);

class PageEditObjectArtistic : public XPropertyPage {
  DECLARE_DYNAMIC(PageEditObjectArtistic)

 public:
  // The looks, as the style radios order them.
  enum Style { kSolidColor = 0, kPhoto = 1, kPainted = 2, kVeryPainted = 3 };
  enum Pattern { kNoPattern = 0, kBurned = 1, kPsychedelic = 2 };

  explicit PageEditObjectArtistic(PropertySheetEditObject* owner);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnPartColor();
  void OnGlowColor();
  void OnHighlightColor();
  void OnPartOrStyleChanged();
  void OnCartoon();
  void UpdateControls();
  void OnPatternNumber();
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);

  // The brush size the preview's disc stands for.
  LONG BrushSize() const { return (m_brushPreview.m_ellipseSize.cx - 1) / 2; }

  CSliderCtrl m_brushSlider;
  CSliderCtrl m_surfaceWidthSlider;
  CSliderCtrl m_silhouetteWidthSlider;
  CSliderCtrl m_colorSlider;
  CSliderCtrl m_opacitySlider;
  CSliderCtrl m_glowSlider;
  CSliderCtrl m_highlightSlider;
  CSliderCtrl m_shininessSlider;
  CSliderCtrl m_patternSlider;
  ColorChooserButton m_surfaceButton;
  ColorChooserButton m_silhouetteButton;
  ColorChooserButton m_partColorButton;
  ColorChooserButton m_glowButton;
  ColorChooserButton m_highlightButton;
  ColorButton m_brushPreview;
  CComboBox m_partsList;

  int m_style = kSolidColor;
  int m_cartoon = FALSE;
  int m_lighted = FALSE;
  int m_smooth = FALSE;
  int m_wireframe = FALSE;
  int m_pattern = -1;  // no pattern radio checked until a part is loaded
  int m_patternNumber = 0;
  Color m_partColor;
  Color m_glowColor;
  Color m_highlightColor;
  XList<Material> texMats;
  XList<Material> untexMats;
  int partsSel = -1;
  BOOL m_hasTextures = FALSE;
  BOOL m_paintedAllowed = FALSE;
  BOOL m_shininessMoved = FALSE;
  int m_lastSurfaceWidth = 0;
  int m_lastSilhouetteWidth = 0;
  int m_lastShininess = 0;
  PropertySheetEditObject* sheet;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  DECLARE_MESSAGE_MAP()

 private:
  XList<Material>& ListOf(int style) { return style == kSolidColor ? untexMats : texMats; }
  void StorePart(Material& part) const;
  void LoadPart(const Material& part);
  // Shows the look's radio and the held part again after a refused read, so that what is
  // shown matches what the next store writes and where.
  void RestoreShownPart();
  void ShowLineWidth(CSliderCtrl& slider, int& last, ColorChooserButton& button);
};
