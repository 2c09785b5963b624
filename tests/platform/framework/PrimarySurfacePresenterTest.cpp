#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "platform/ddraw/DirectDraw.h"
#include "platform/framework/PrimarySurfacePresenter.h"
#include "platform/win/ComPtr.h"
#include "platform/framework/Wnd.h"
#include "platform/win/QtTestApplication.h"

namespace {

// A 4 x 3 image whose pixel (x, y) is 0x00RRGGBB with red 40x + 1, green 50y + 1, blue 7.
QRgb Expected(int x, int y) { return qRgb(40 * x + 1, 50 * y + 1, 7); }

// A window that blits the image from its paint handler at a zoom, as a camera window does.
class BlittingWindow : public QWidget {
 public:
  BlittingWindow(IDirectDrawSurface* primary, IDirectDrawSurface* image, int zoom)
      : primary_(primary), image_(image), zoom_(zoom) {}
  void Blit() {
    const QPoint at = mapToGlobal(QPoint(0, 0));
    RECT dest{at.x(), at.y(), at.x() + 4 * zoom_, at.y() + 3 * zoom_};
    ASSERT_EQ(primary_->Blt(&dest, image_, nullptr, DDBLT_WAIT, nullptr), DD_OK);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), Qt::red);
    Blit();
  }

 private:
  IDirectDrawSurface* primary_;
  IDirectDrawSurface* image_;
  int zoom_;
};

class PrimarySurfacePresenterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(DirectDrawCreate(nullptr, dd_.put(), nullptr), DD_OK);
    DDSURFACEDESC desc{};
    desc.dwSize = kDDSurfaceDescSize;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    ASSERT_EQ(dd_->CreateSurface(&desc, primary_.put(), nullptr), DD_OK);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    desc.dwWidth = 4;
    desc.dwHeight = 3;
    ASSERT_EQ(dd_->CreateSurface(&desc, image_.put(), nullptr), DD_OK);
    DDSURFACEDESC locked{};
    locked.dwSize = kDDSurfaceDescSize;
    ASSERT_EQ(image_->Lock(nullptr, &locked, DDLOCK_WRITEONLY | DDLOCK_WAIT, nullptr), DD_OK);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x)
        reinterpret_cast<DWORD*>(static_cast<BYTE*>(locked.lpSurface) + y * locked.lPitch)[x] =
            Expected(x, y) & 0xFFFFFF;
    image_->Unlock(nullptr);
    ASSERT_EQ(DirectDrawCreateClipper(0, clipper_.put(), nullptr), DD_OK);
    ASSERT_EQ(clipper_->SetHWnd(0, kWindow), DD_OK);
    ASSERT_EQ(primary_->SetClipper(clipper_.get()), DD_OK);
  }

  static inline const HWND kWindow = reinterpret_cast<HWND>(0x1234);
  QtTestApplication app_;
  ComPtr<IDirectDraw> dd_;
  ComPtr<IDirectDrawSurface> primary_;
  ComPtr<IDirectDrawSurface> image_;
  ComPtr<IDirectDrawClipper> clipper_;
};

TEST_F(PrimarySurfacePresenterTest, WindowShowsTheBlittedPixelsAtFullAndDoubleSize) {
  for (int zoom : {1, 2}) {
    BlittingWindow window(primary_.get(), image_.get(), zoom);
    PrimarySurfacePresenter presenter([&](HWND h) { return h == kWindow ? &window : nullptr; });
    window.setGeometry(30, 20, 12, 9);
    window.show();
    window.Blit();  // before the first paint: the presenter starts watching the window

    const QImage shown = window.grab().toImage();
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 12; ++x) {
        const bool inImage = x < 4 * zoom && y < 3 * zoom;
        const QRgb want = inImage ? Expected(x / zoom, y / zoom) : qRgb(255, 0, 0);
        ASSERT_EQ(shown.pixel(x, y) & 0xFFFFFF, want & 0xFFFFFF) << "zoom " << zoom << " at " << x << "," << y;
      }
  }
}

// A framework window that counts its paints.
class CountingWindow : public CWnd {
 public:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == WM_PAINT) ++paints;
    return CWnd::OnWndMsg(message, wParam, lParam, result);
  }
  int paints = 0;
};

// A framework window keeps a blit made outside its paint, and still paints itself.
TEST_F(PrimarySurfacePresenterTest, AFrameworkWindowKeepsABlitMadeOutsideItsPaint) {
  CountingWindow window;
  window.Create("Camera", WS_VISIBLE, RECT{100, 40, 110, 50}, nullptr);
  window.GetWidget()->setAutoFillBackground(true);
  window.GetWidget()->setPalette(QPalette(Qt::red));
  PrimarySurfacePresenter presenter;
  ASSERT_EQ(clipper_->SetHWnd(0, window.m_hWnd), DD_OK);
  RECT dest{};
  window.GetWindowRect(&dest);
  dest.right = dest.left + 8;
  dest.bottom = dest.top + 6;
  ASSERT_EQ(primary_->Blt(&dest, image_.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
  const QImage shown = window.GetWidget()->grab().toImage();
  EXPECT_EQ(shown.pixel(7, 5) & 0xFFFFFF, Expected(3, 2) & 0xFFFFFF);
  EXPECT_EQ(shown.pixel(8, 6) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF);
  const int before = window.paints;
  window.GetWidget()->grab();
  EXPECT_EQ(window.paints, before + 1);
}

}  // namespace
