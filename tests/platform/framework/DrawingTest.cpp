// Drawing: device contexts, a scroll view, blits from the primary surface, bitmaps, image and list controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QMouseEvent>
#include <QRegion>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>
#include <QWidget>
#include <memory>
#include <strings.h>

#include "platform/ddraw/DirectDraw.h"
#include "platform/framework/DC.h"
#include "platform/framework/DesktopDisplay.h"
#include "platform/framework/ImageList.h"
#include "platform/framework/ListCtrl.h"
#include "platform/framework/PrimarySurfacePresenter.h"
#include "platform/framework/ScrollView.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/Wnd.h"
#include "platform/win/ComPtr.h"
#include "platform/win/Cursors.h"
#include "platform/win/QtTestApplication.h"

namespace {

TEST(CDC, DrawsThroughItsMappingWithTheSelectedPenAndBrushAndClipsToTheWindow) {
  QtTestApplication app;
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    CDC dc(&image);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportExt(2, 2);  // twice the size, logical (1, 1) at the corner
    dc.SetWindowOrg(1, 1);
    const RECT cell{1, 1, 3, 2};
    dc.FillSolidRect(&cell, RGB(255, 0, 0));
    CBrush blue(RGB(0, 0, 255));
    CPen green(PS_SOLID, 1, RGB(0, 255, 0));
    CBrush* oldBrush = dc.SelectObject(&blue);
    CPen* oldPen = dc.SelectObject(&green);
    EXPECT_TRUE(dc.Rectangle(5, 5, 9, 9));
    EXPECT_EQ(dc.SelectObject(oldBrush), &blue);
    EXPECT_EQ(dc.SelectObject(oldPen), &green);
  }
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(3, 1), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(4, 0), qRgb(255, 255, 255));  // right edge is outside
  EXPECT_EQ(image.pixel(0, 2), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(8, 8), qRgb(0, 255, 0));    // outline at device (8, 8)..(15, 15)
  EXPECT_EQ(image.pixel(15, 15), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(12, 12), qRgb(0, 0, 255));  // filled inside
  EXPECT_EQ(image.pixel(16, 16), qRgb(255, 255, 255));

  // A clip box leaves out siblings above but not children, is logical, and is empty when hidden.
  CWnd parent, below, above, inner;
  parent.Create("Frame", WS_VISIBLE, RECT{0, 0, 200, 100}, nullptr);
  below.Create("Below", WS_CHILD | WS_VISIBLE, RECT{0, 0, 80, 60}, &parent);
  inner.Create("Inner", WS_CHILD | WS_VISIBLE, RECT{0, 0, 40, 30}, &below);
  above.Create("Above", WS_CHILD | WS_VISIBLE, RECT{100, 0, 180, 60}, &parent);
  RECT box{};
  EXPECT_EQ(CWindowDC(&below).GetClipBox(&box), SIMPLEREGION);
  EXPECT_EQ(CRect(box), CRect(0, 0, 80, 60));
  above.MoveWindow(60, 40, 80, 60);
  EXPECT_EQ(CWindowDC(&below).GetClipBox(&box), COMPLEXREGION);
  EXPECT_EQ(CClientDC(&above).GetClipBox(&box), SIMPLEREGION);
  EXPECT_EQ(CRect(box), CRect(0, 0, 80, 60));
  CClientDC zoomed(&above);
  zoomed.SetMapMode(MM_ANISOTROPIC);
  zoomed.SetViewportExt(2, 2);
  zoomed.GetClipBox(&box);
  EXPECT_EQ(CRect(box), CRect(0, 0, 40, 30));
  above.ShowWindow(SW_HIDE);
  EXPECT_EQ(CWindowDC(&above).GetClipBox(&box), NULLREGION);
  EXPECT_EQ(CDC::FromHandle(zoomed.GetSafeHdc()), &zoomed);
  auto ended = std::make_unique<CDC>();
  const HDC gone = ended->GetSafeHdc();
  ended.reset();
  EXPECT_EQ(CDC::FromHandle(gone), nullptr);
}

// A red square at (100, 0) of its contents.
class PictureView : public CScrollView {
 public:
  void OnDraw(CDC* dc) override {
    const CRect square(100, 0, 110, 10);
    dc->FillSolidRect(&square, RGB(255, 0, 0));
  }
  void PostNcDestroy() override {}  // lives on the stack here
};

// Bars only where the contents do not fit, positions kept inside the contents, clicks scroll.
TEST(ScrollView, BarsShowWhereTheContentsDoNotFitAndClicksScroll) {
  QtTestApplication qt;
  CWnd parent;
  ASSERT_TRUE(parent.Create("Parent", WS_VISIBLE, {0, 0, 300, 200}, nullptr));
  PictureView view;
  ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {0, 0, 200, 100}, &parent, AFX_IDW_PANE_FIRST));
  QApplication::processEvents();

  view.SetScrollSizes(MM_TEXT, CSize(1000, 80));
  int mode = 0;
  SIZE total{}, page{}, line{};
  view.GetDeviceScrollSizes(mode, total, page, line);
  EXPECT_EQ(CSize(page), CSize(100, 8));
  EXPECT_EQ(CSize(line), CSize(10, 1));
  auto bars = view.GetWidget()->findChildren<QScrollBar*>();
  ASSERT_EQ(bars.size(), 2);
  QScrollBar* horizontal = bars[0]->orientation() == Qt::Horizontal ? bars[0] : bars[1];
  QScrollBar* vertical = horizontal == bars[0] ? bars[1] : bars[0];
  EXPECT_TRUE(horizontal->isVisible());
  EXPECT_FALSE(vertical->isVisible());  // 80 rows fit in 100

  view.ScrollToPosition({5000, 50});
  EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(800, 0));  // 1000 - 200 wide; no room to go down

  // A click on the bar's track left of the handle pages back.
  horizontal->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(view.GetDeviceScrollPosition().x, horizontal->value());
  EXPECT_LT(view.GetDeviceScrollPosition().x, 800);

  // Painting draws the contents moved by the position.
  view.ScrollToPosition({100, 0});
  const QImage shot = view.GetWidget()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_NE(shot.pixelColor(15, 5), QColor(255, 0, 0));

  // Contents of one pixel need no bars and stay at the origin.
  view.SetScrollSizes(MM_TEXT, CSize(1, 1));
  EXPECT_FALSE(horizontal->isVisible());
  EXPECT_EQ(view.GetDeviceScrollPosition(), CPoint(0, 0));
}

// A 4 x 3 image whose pixel (x, y) is 0x00RRGGBB with red 40x + 1, green 50y + 1, blue 7.
QRgb Expected(int x, int y) { return qRgb(40 * x + 1, 50 * y + 1, 7); }

// A framework window that counts its paints and may blit from its paint handler, as a camera window does.
class BlittingWindow : public CWnd {
 public:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == WM_PAINT) {
      ++paints;
      if (blitInPaint) Blit();
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
  }
  void Blit() {
    RECT dest{};
    GetWindowRect(&dest);
    dest.right = dest.left + 4 * zoom;
    dest.bottom = dest.top + 3 * zoom;
    ASSERT_EQ(primary->Blt(&dest, image, nullptr, DDBLT_WAIT, nullptr), DD_OK);
  }
  IDirectDrawSurface* primary = nullptr;
  IDirectDrawSurface* image = nullptr;
  int zoom = 1;
  bool blitInPaint = false;
  int paints = 0;
};

// The display is the desktop: the one offscreen screen of 800 x 800; under the ctest
// DesktopDisplayOverTwoScreens (data/framework/two-screens.json), screens of 1280 x 1024 and
// 1920 x 1080 side by side; under DesktopDisplayOnA16BitScreen, an X screen of 1024 x 768 at 16
// bits per pixel.
TEST(DesktopDisplay, ReachesOverEveryScreenInTheirDepth) {
  QtTestApplication app;
  const SIZE before = DDDisplaySize();
  const DWORD bits = DDDisplayBitsPerPixel();
  {
    DesktopDisplay display;
    const bool two = QGuiApplication::screens().size() == 2;
    const bool x = QGuiApplication::platformName() == "xcb";
    EXPECT_EQ(DDDisplaySize().cx, two ? 3200 : x ? 1024 : 800);
    EXPECT_EQ(DDDisplaySize().cy, two ? 1080 : x ? 768 : 800);
    EXPECT_EQ(DDDisplayBitsPerPixel(), x ? 16u : 32u);
  }
  ASSERT_TRUE(DDSetDisplayMode(static_cast<int>(bits), before.cx, before.cy));  // as the other tests expect
}

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
    ASSERT_EQ(primary_->SetClipper(clipper_.get()), DD_OK);
  }

  QtTestApplication app_;
  ComPtr<IDirectDraw> dd_;
  ComPtr<IDirectDrawSurface> primary_;
  ComPtr<IDirectDrawSurface> image_;
  ComPtr<IDirectDrawClipper> clipper_;
};

// At full size a blit made outside the window's paint is kept; at double size the paint blits too.
TEST_F(PrimarySurfacePresenterTest, AWindowShowsTheBlittedPixelsAtFullAndDoubleSize) {
  for (int zoom : {1, 2}) {
    BlittingWindow window;
    window.primary = primary_.get();
    window.image = image_.get();
    window.zoom = zoom;
    window.blitInPaint = zoom == 2;
    ASSERT_TRUE(window.Create("Camera", WS_VISIBLE, RECT{30, 20, 42, 29}, nullptr));
    window.GetWidget()->setAutoFillBackground(true);
    window.GetWidget()->setPalette(QPalette(Qt::red));
    PrimarySurfacePresenter presenter;
    ASSERT_EQ(clipper_->SetHWnd(0, window.m_hWnd), DD_OK);
    window.Blit();  // before the first paint: the presenter starts watching the window

    const QImage shown = window.GetWidget()->grab().toImage();
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 12; ++x) {
        const bool inImage = x < 4 * zoom && y < 3 * zoom;
        const QRgb want = inImage ? Expected(x / zoom, y / zoom) : qRgb(255, 0, 0);
        ASSERT_EQ(shown.pixel(x, y) & 0xFFFFFF, want & 0xFFFFFF) << "zoom " << zoom << " at " << x << "," << y;
      }
    const int before = window.paints;
    window.GetWidget()->grab();
    EXPECT_EQ(window.paints, before + 1);  // the window still paints itself
  }
}

BITMAPINFO Header(LONG width, LONG height, WORD bits = 24) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
  return info;
}

// A 3 x 2 bottom-up image whose pixels of the key colour (its first stored pixel) are masked.
struct Thumbnail {
  CBitmap colour, mask;
  Thumbnail() {
    BITMAPINFO info = Header(3, 2);
    void* bits = nullptr;
    colour.Attach(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* rows = static_cast<BYTE*>(bits);
    const BYTE bottom[] = {9, 9, 9, 255, 0, 0, 9, 9, 9};  // blue, green, red
    const BYTE top[] = {0, 255, 0, 0, 0, 255, 1, 2, 3};
    std::copy(std::begin(bottom), std::end(bottom), rows);
    std::copy(std::begin(top), std::end(top), rows + 12);
    BYTE maskRows[4] = {0x00, 0, 0xA0, 0};  // top row: none; bottom row: pixels 0 and 2
    BITMAP bm{0, 3, 2, 2, 1, 1, maskRows};
    mask.CreateBitmapIndirect(&bm);
  }
};

// Bitmaps refuse what they cannot hold; image lists take those of their size, masked, and drag them.
TEST(CImageList, AddsBitmapsOfItsSizeWithTheMaskedPixelsTransparentAndDragsThem) {
  QtTestApplication app;
  void* bits = reinterpret_cast<void*>(1);
  BITMAPINFO wrong = Header(5, 3, 32);
  EXPECT_EQ(CreateDIBSection(nullptr, &wrong, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  BITMAPINFO empty = Header(0, 3);
  EXPECT_EQ(CreateDIBSection(nullptr, &empty, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);

  BITMAPINFO info = Header(5, -3);  // top-down
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  BitmapPixels p{};
  ASSERT_TRUE(GetBitmapPixels(dib, &p));
  EXPECT_EQ(p.stride, 16);
  EXPECT_FALSE(p.bottomUp);
  EXPECT_EQ(p.rows, bits);
  EXPECT_TRUE(DeleteObject(dib));
  EXPECT_FALSE(DeleteObject(dib));
  EXPECT_FALSE(GetBitmapPixels(dib, &p));

  Thumbnail t;
  CImageList list;
  EXPECT_EQ(list.Add(&t.colour, &t.mask), -1);  // not created
  ASSERT_TRUE(list.Create(3, 2, ILC_COLOR24 | ILC_MASK, 10, 10));
  EXPECT_EQ(list.Add(&t.colour, &t.mask), 0);
  EXPECT_EQ(list.Add(&t.colour, nullptr), 1);
  const QImage image = list.GetImage(0);
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(2, 0), qRgb(3, 2, 1));
  EXPECT_EQ(qAlpha(image.pixel(0, 1)), 0);
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 255));
  EXPECT_EQ(qAlpha(image.pixel(2, 1)), 0);
  EXPECT_EQ(list.GetImage(1).pixel(0, 1), qRgb(9, 9, 9));

  CImageList other;
  other.Create(4, 2, ILC_COLOR24, 1, 1);
  EXPECT_EQ(other.Add(&t.colour, nullptr), -1);
  EXPECT_EQ(other.GetImageCount(), 0);

  // The drag image follows the pointer by its hot spot.
  EXPECT_FALSE(list.BeginDrag(2, {0, 0}));
  ASSERT_TRUE(list.BeginDrag(0, {1, 1}));
  ASSERT_TRUE(CImageList::DragEnter(nullptr, {100, 50}));
  const auto dragWindow = [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) return w;
    return static_cast<QWidget*>(nullptr);
  };
  ASSERT_NE(dragWindow(), nullptr);
  EXPECT_EQ(dragWindow()->pos(), QPoint(99, 49));
  CImageList::DragMove({200, 60});
  EXPECT_EQ(dragWindow()->pos(), QPoint(199, 59));
  CImageList::DragLeave(nullptr);
  EXPECT_EQ(dragWindow(), nullptr);
  CImageList::EndDrag();
  EXPECT_FALSE(CImageList::DragMove({0, 0}));
}

// The drag image's window holds only the image's unmasked pixels, so that without a compositor the
// screen shows what lies beneath the rest; and the pointer, held over the image, is over the window
// beneath it, whatever pixel of the image it holds.
TEST(CImageList, ADragImageShowsOnlyItsUnmaskedPixelsAndThePointerIsOverTheWindowBeneath) {
  QtTestApplication app;
  CWnd below;
  below.Create("Below", WS_VISIBLE, RECT{0, 0, 200, 100}, nullptr);
  below.GetWidget()->setGeometry(0, 0, 200, 100);
  below.GetWidget()->show();
  Thumbnail t;
  CImageList list;
  list.Create(3, 2, ILC_COLOR24 | ILC_MASK, 1, 1);
  ASSERT_EQ(list.Add(&t.colour, &t.mask), 0);
  const QRegion unmasked = QRegion(0, 0, 3, 1) + QRegion(1, 1, 1, 1);
  const POINT pointer{60, 40};
  for (const POINT hotSpot : {POINT{1, 0}, POINT{1, 1}, POINT{0, 1}}) {  // unmasked, unmasked, masked
    SCOPED_TRACE(testing::Message() << "hot spot " << hotSpot.x << "," << hotSpot.y);
    ASSERT_TRUE(list.BeginDrag(0, hotSpot));
    ASSERT_TRUE(CImageList::DragEnter(nullptr, pointer));
    QApplication::processEvents();
    QWidget* image = QApplication::topLevelAt(pointer.x, pointer.y);
    ASSERT_NE(image, below.GetWidget());  // what the window system finds on top at the point
    EXPECT_EQ(image->mask(), unmasked);
    EXPECT_EQ(WindowFromPoint(pointer), &below);
    below.GetWidget()->setCursor(Qt::CrossCursor);
    QCursor::setPos(pointer.x, pointer.y);
    SetCursor(LoadStandardCursor(IDC_ARROW));
    EXPECT_EQ(below.GetWidget()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(image->mask(), unmasked);  // the lookups leave it as it was
    CImageList::DragLeave(nullptr);
    CImageList::EndDrag();
  }
}

const char* const kLabels[] = {"Banana", "apple", "cherry"};

class Owner : public CWnd {
 public:
  void OnBeginDrag(NMHDR* header, LRESULT*) {
    const auto* note = reinterpret_cast<NMLISTVIEW*>(header);
    dragged = note->iItem;
    from = note->ptAction;
  }
  int dragged = -1;
  POINT from{};
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Owner, CWnd)
  ON_NOTIFY(LVN_BEGINDRAG, 5, OnBeginDrag)
END_MESSAGE_MAP()

int ByLabel(LPARAM a, LPARAM b, LPARAM) { return strcasecmp(kLabels[a], kLabels[b]); }

TEST(CListCtrl, ItemsKeepTextImageAndDataThroughASort) {
  QtTestApplication app;
  Owner owner;
  owner.Create("Objects", WS_VISIBLE, RECT{0, 0, 300, 200}, nullptr);
  CListCtrl list;
  ASSERT_TRUE(list.SubclassWidget(CreateListViewWidget(owner.GetWidget()), 5));
  Thumbnail t;  // image 0 masked, image 1 not
  CImageList images;
  images.Create(3, 2, ILC_COLOR24 | ILC_MASK, 2, 2);
  images.Add(&t.colour, &t.mask);
  images.Add(&t.colour, nullptr);
  EXPECT_EQ(list.SetImageList(&images, LVSIL_NORMAL), nullptr);
  for (int i = 0; i < 3; ++i) {
    LVITEM item{LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, i, 0, 0, 0, const_cast<char*>(kLabels[i]), 0, i, i};
    EXPECT_EQ(list.InsertItem(&item), i);
  }
  EXPECT_TRUE(list.SortItems(ByLabel, 0));
  char text[4];
  LVITEM first{LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, 0, 0, 0, 0, text, sizeof text, -1, -1};
  ASSERT_TRUE(list.GetItem(&first));
  EXPECT_STREQ(text, "app");  // cut to the buffer
  EXPECT_EQ(first.iImage, 1);
  EXPECT_EQ(first.lParam, 1);
  EXPECT_EQ(list.GetItemData(1), 0u);
  EXPECT_EQ(list.GetItemData(2), 2u);
  LVITEM past{LVIF_PARAM, 3, 0, 0, 0, nullptr, 0, 0, 0};
  EXPECT_FALSE(list.GetItem(&past));
  auto* widget = qobject_cast<QListWidget*>(list.GetWidget());
  EXPECT_EQ(widget->item(0)->icon().pixmap(3, 2).toImage().pixel(0, 1), qRgb(9, 9, 9));

  // Pressing on an item and moving the pointer past the drag distance starts a drag.
  owner.GetWidget()->resize(300, 200);
  widget->setGeometry(0, 0, 300, 200);
  widget->show();
  QApplication::processEvents();
  RECT icon{};
  ASSERT_TRUE(list.GetItemRect(1, &icon, LVIR_ICON));
  EXPECT_EQ(icon.right - icon.left, 3);
  const QPoint press(icon.left + 1, icon.top + 1);
  QTest::mousePress(widget->viewport(), Qt::LeftButton, {}, press);
  const QPointF to = press + QPoint(1, 1) * (QApplication::styleHints()->startDragDistance() + 5);
  QMouseEvent move(QEvent::MouseMove, to, widget->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(widget->viewport(), &move);
  EXPECT_EQ(owner.dragged, 1);
  EXPECT_EQ(owner.from.x, press.x());
}

}  // namespace
