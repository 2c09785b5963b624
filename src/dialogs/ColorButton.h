// Owner-drawn buttons that show a Color as a swatch. Translucent colours are shown over three
// fixed backgrounds so that their opacity can be judged. ColorChooserButton opens the colour
// dialog on a click, and its owner hears of the click only when a colour was chosen; ColorButton
// only shows the colour, on a face that is always sunken.
#pragma once

#include <memory>

#include "core/Color.h"
#include "platform/framework/Controls.h"

class ColorButton : public CButton {
 public:
  ColorButton();
  ~ColorButton() override;

  // Takes all five values; the button repaints when it has a window.
  void SetColor(const Color& color);
  void DrawItem(LPDRAWITEMSTRUCT item) override;

  Color m_color;
  std::unique_ptr<CBrush> m_brush;
  std::unique_ptr<CPen> m_pen;
  SIZE m_ellipseSize{0, 0};  // 0 in either: no ellipse
  SIZE m_rectSize{0, 0};     // 0: no limit in that direction

 protected:
  // Whether the face is drawn pushed for this item state.
  virtual bool IsFacePushed(UINT itemState) const;
  virtual bool DrawsFocus() const { return false; }
};

class ColorChooserButton : public ColorButton {
 public:
  // The click: the colour dialog starts from the colour; TRUE (the owner is not told) when it
  // was cancelled.
  BOOL OnClicked();

 protected:
  bool IsFacePushed(UINT itemState) const override;
  bool DrawsFocus() const override { return true; }
  DECLARE_MESSAGE_MAP()
};
