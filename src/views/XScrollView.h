// A scroll view with an integer zoom per axis (numerator / denominator). The zoom is applied only
// in device contexts prepared for the screen; scrolling itself stays in MM_TEXT, and the scroll
// position is kept as a ratio of the total size so that it survives zoom changes.
#pragma once

#include "core/Pointers.h"
#include "core/XPtSzRect.h"
#include "document/DocumentServices.h"
#include "platform/framework/ScrollView.h"

class CCmdUI;
class XDocument;

// Window menu commands of the zoom.
constexpr UINT kZoomInCommand = 32991;
constexpr UINT kZoomOutCommand = 32992;
constexpr UINT kFirstZoomPreset = 32994;  // 17%
constexpr UINT kNormalZoomPreset = 32999;  // 100%
constexpr UINT kLastZoomPreset = 33008;    // 1000%
// Window menu commands of the window itself.
constexpr UINT kWindowNewCommand = 33020;
constexpr UINT kWindowCloseCommand = 33021;

class XScrollView : public CScrollView, public Myself, public ZoomableView {
  DECLARE_DYNAMIC(XScrollView)
 public:
  explicit XScrollView(BOOL fitToWindow);

  const XSize& GetZoomNumerator() const { return _numerator; }
  const XSize& GetZoomDenominator() const { return _denominator; }
  XDocument* GetDocument() const;

  XDPoint GetScrollRatio() const;
  void SetScrollRatio(const XDPoint& ratio);
  // Changes the zoom; a zoom equal to the current one changes nothing.
  void SetZoom(const XSize& numerator, const XSize& denominator, BOOL record);

  // ZoomableView: the zoom's undo records.
  void GetZoomState(XSize& numerator, XSize& denominator, XDPoint& scrollRatio) const override;
  void RestoreZoomState(const XSize& numerator, const XSize& denominator, const XDPoint& scrollRatio) override;
  Ptr<PtrMyself>& GetZoomMyself() override { return GetMyself(); }
  CObject* GetZoomObject() override { return static_cast<CScrollView*>(this); }

  void Serialize(CArchive& ar) override;
  // The zoom mapping for the screen; printing keeps the framework's mapping.
  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
  virtual void UpdateTitle() = 0;

 protected:
  // Window menu: Zoom In and Zoom Out walk ..., 1/2, 1/1, 2/1, ...; the presets set one zoom.
  void OnZoomIn();
  void OnZoomOut();
  void OnZoomPreset(UINT id);
  void OnUpdateZoomIn(CCmdUI* cmdUI);
  virtual void OnUpdateZoomOut(CCmdUI* cmdUI);
  virtual void OnUpdateZoomPreset(CCmdUI* cmdUI);
  BOOL OnEraseBkgnd(CDC* dc);
  void OnSize(UINT type, int cx, int cy);
  // Window/New and Window/Close (XScrollViewWindows.cpp).
  void OnWindowNew();
  void OnWindowClose();

  BOOL fitToWindow;
  XSize _numerator{1, 1};
  XSize _denominator{1, 1};

  DECLARE_MESSAGE_MAP()
};
