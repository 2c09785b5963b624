// Puts on the screen what blits write to the DirectDraw primary surface. The primary surface is
// the screen's memory: a blit through a clipper bound to a window writes the window's part of it,
// and the window then shows those pixels, drawn by Qt straight from the surface's memory. A blit
// outside the window's paint asks for a repaint; one made while the window paints (the program
// blits from its paint handler) is shown by that same paint.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRegion>
#include <functional>
#include <map>

#include "platform/ddraw/Display.h"
#include "platform/win/ComPtr.h"

class QWidget;

class PrimarySurfacePresenter final : public QObject {
 public:
  // `widgetOf` gives the widget of a window handle (null when there is none). Installs itself as
  // the primary-blit hook; the destructor puts the previous hook back.
  explicit PrimarySurfacePresenter(std::function<QWidget*(HWND)> widgetOf);
  // For the windows of the framework (CWnd handles).
  PrimarySurfacePresenter();
  ~PrimarySurfacePresenter() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Shown {
    QRegion screenRegion;  // what the window shows of the primary, in screen pixels
    ComPtr<IDirectDrawSurface> primary;
    bool painting = false;
  };

  void OnBlt(IDirectDrawSurface* primary, HWND window, const RECT& dest);
  void Paint(QWidget* widget, const Shown& shown);
  void Forget(QObject* widget);

  std::function<QWidget*(HWND)> widgetOf_;
  DDPrimaryBltHook previous_;
  std::map<QObject*, Shown> shown_;
};
