// Device contexts: the drawing the program does on windows and images, over a QPainter, with the
// mapping of DCMapping applied by the context itself (so every coordinate rounds as the display's
// own conversions do). Pens and brushes are selected into a context and restored by the caller.
#pragma once

#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/framework/DCMapping.h"
#include "platform/framework/Object.h"

class CPalette;
class CWnd;
class QImage;

constexpr int PS_SOLID = 0;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_TOP = 0;
// Clip-box kinds.
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;
// DrawFrameControl.
constexpr UINT DFC_BUTTON = 4;
constexpr UINT DFCS_BUTTONPUSH = 0x0010;
constexpr UINT DFCS_PUSHED = 0x0200;

class CGdiObject : public CObject {
 public:
  BOOL DeleteObject();
  bool IsCreated() const { return created_; }

 protected:
  bool created_ = false;
};

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  BOOL CreatePen(int style, int width, COLORREF color);  // PS_SOLID only
  int width = 1;
  COLORREF color = 0;
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF c) { CreateSolidBrush(c); }
  BOOL CreateSolidBrush(COLORREF c);
  COLORREF color = 0;
};

class CDC : public CObject {
  DECLARE_DYNAMIC(CDC)
 public:
  CDC();  // draws nowhere until attached
  // Draws on `image`, which must outlive the context.
  explicit CDC(QImage* image);
  // Draws through a painter someone else opened (a window's erase step), which outlives it.
  explicit CDC(QPainter* painter);
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC GetSafeHdc() const { return reinterpret_cast<HDC>(const_cast<CDC*>(this)); }
  // The context of a handle from GetSafeHdc; null once that context is gone, or for any other.
  static CDC* FromHandle(HDC dc);
  // The painter the context draws with; null when it draws nowhere.
  QPainter* GetPainter() const { return painter_ ? painter_.get() : borrowed_; }

  int SetMapMode(int mode) { return mapping_.SetMapMode(mode); }
  int GetMapMode() const { return mapping_.GetMapMode(); }
  CSize SetWindowExt(int cx, int cy) { return mapping_.SetWindowExt(cx, cy); }
  CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
  CSize SetViewportExt(int cx, int cy) { return mapping_.SetViewportExt(cx, cy); }
  CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
  CPoint SetWindowOrg(int x, int y) { return mapping_.SetWindowOrg(x, y); }
  CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
  CPoint SetViewportOrg(int x, int y) { return mapping_.SetViewportOrg(x, y); }
  CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
  CPoint OffsetWindowOrg(int dx, int dy);
  CPoint OffsetViewportOrg(int dx, int dy);
  CPoint GetWindowOrg() const { return mapping_.GetWindowOrg(); }
  CPoint GetViewportOrg() const { return mapping_.GetViewportOrg(); }
  CSize GetWindowExt() const { return mapping_.GetWindowExt(); }
  CSize GetViewportExt() const { return mapping_.GetViewportExt(); }

  void LPtoDP(LPPOINT points, int count = 1) const;
  void LPtoDP(LPRECT rect) const;
  void LPtoDP(SIZE* size) const;
  void DPtoLP(LPPOINT points, int count = 1) const;
  void DPtoLP(LPRECT rect) const;
  void DPtoLP(SIZE* size) const;

  // The smallest rectangle, in logical units, around what drawing can reach, and its kind
  // (NULLREGION when nothing can be drawn, e.g. a covered or hidden window).
  int GetClipBox(LPRECT rect) const;

  // The palette realised through this context; a foreground palette of a window's context puts
  // its colours into the display's palette (GdiPalette.h).
  CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
  // The number of display palette entries that changed.
  UINT RealizePalette();

  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  COLORREF SetTextColor(COLORREF color);
  COLORREF SetBkColor(COLORREF color);
  int SetBkMode(int mode);
  UINT SetTextAlign(UINT align);  // TA_LEFT | TA_TOP only

  void FillSolidRect(LPCRECT rect, COLORREF color);
  // Outlined with the pen and filled with the brush; right and bottom are outside.
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Ellipse(int left, int top, int right, int bottom);
  BOOL Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
  void DrawFocusRect(LPCRECT rect);
  BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state);
  BOOL TextOut(int x, int y, const char* text);

 protected:
  // The widget the context belongs to, for the clip box; drawing goes to `painter_`, if any.
  void AttachWidget(QWidget* widget) { widget_ = widget; }
  void BeginPaint(QPaintDevice* device);

 private:
  QRect DeviceRect(int left, int top, int right, int bottom) const;

  DCMapping mapping_;
  std::unique_ptr<QPainter> painter_;
  QPainter* borrowed_ = nullptr;
  QImage* image_ = nullptr;
  QPointer<QWidget> widget_;
  CPen defaultPen_{PS_SOLID, 1, 0};
  CBrush defaultBrush_{0xFFFFFF};
  CPalette* palette_ = nullptr;
  bool foreground_ = false;
  CPen* pen_ = &defaultPen_;
  CBrush* brush_ = &defaultBrush_;
  COLORREF textColor_ = 0;
  COLORREF bkColor_ = 0xFFFFFF;
  int bkMode_ = OPAQUE;
};

// The client area of a window, for measuring and converting; nothing is drawn through it.
class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
 public:
  explicit CClientDC(CWnd* window);
};

// The whole of a window, for the clip-box test of whether it lies uncovered.
class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)
 public:
  explicit CWindowDC(CWnd* window);
};

// Drawing on a window while it paints; made only inside the window's paint handling.
class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
 public:
  explicit CPaintDC(CWnd* window);
};
