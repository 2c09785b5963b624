// Colour buttons: the swatch on pixels, and the chooser telling its owner only of chosen colours.
#include <QImage>

#include "dialogs/ColorButton.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/XDialog.h"
#include "platform/framework/ControlNotifications.h"
#include "platform/framework/MessageMap.h"

namespace {

constexpr int kSize = 40;

// The button face is drawn in the application's style.
class ColorButtonTest : public ::testing::Test, public DialogApp {};

QImage Render(ColorButton& button, UINT state, int width = kSize, int height = kSize) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  CDC dc(&image);
  DRAWITEMSTRUCT item{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, state, nullptr, dc.GetSafeHdc(), RECT{0, 0, width, height}, 0};
  button.DrawItem(&item);
  return image;
}

// The bounding box of the pixels of colour `c`.
QRect Extent(const QImage& image, QRgb c) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == c) box |= QRect(x, y, 1, 1);
  return box;
}

TEST_F(ColorButtonTest, SwatchesKeepTheirSizeAndStripesAndADisabledChooserShowsNone) {
  ColorChooserButton button;
  button.SetColor(Color(1.0, 0.0, 0.0, 1.0));
  button.m_rectSize = SIZE{18, 18};
  const QRect red = Extent(Render(button, 0, 41, 33), qRgb(255, 0, 0));
  EXPECT_EQ(red.size(), QSize(18, 18));
  EXPECT_EQ(red.left(), 11);  // (41 - 8 - 6 - 18) / 2 past the face and the focus inset
  // Larger than the button: filled to its shrunken rectangle.
  button.m_rectSize = SIZE{100, 100};
  EXPECT_EQ(Extent(Render(button, 0), qRgb(255, 0, 0)), QRect(4, 4, 32, 32));

  EXPECT_TRUE(Extent(Render(button, ODS_DISABLED), qRgb(255, 0, 0)).isEmpty());
  EXPECT_NE(Render(button, 0), Render(button, ODS_SELECTED));

  // A plain colour button shows a translucent colour over three backgrounds.
  ColorButton plain;
  plain.SetColor(Color(1.0, 1.0, 1.0, 0.5));
  const QImage striped = Render(plain, 0);
  // (255 - background) * 0.5 + background, truncated.
  EXPECT_EQ(striped.pixel(6, 20), qRgb(191, 159, 127));
  EXPECT_EQ(striped.pixel(34, 20), qRgb(255, 247, 231));
  EXPECT_EQ(Extent(striped, qRgb(191, 159, 127)), QRect(4, 4, 11, 32));  // third = (32 + 1) / 3

  plain.SetColor(Color(1.0, 1.0, 1.0, -0.5));
  const QImage clear = Render(plain, 0);
  EXPECT_EQ(clear.pixel(34, 20), qRgb(255, 240, 208));

  // With a sized swatch the square takes the width for both sides; the backgrounds show around.
  plain.SetColor(Color(1.0, 1.0, 1.0, 0.5));
  plain.m_rectSize = SIZE{10, 2};
  const QImage square = Render(plain, 0);
  EXPECT_EQ(square.pixel(20, 6), qRgb(0, 0, 0));
  EXPECT_EQ(Extent(square, qRgb(127, 127, 127)), QRect(15, 15, 10, 10));
}

std::vector<std::string> heard;

class ChooserDialog : public XDialog {
 public:
  ChooserDialog() : XDialog(10001) {}
  void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, 32843, m_chooser); }
  void OnChooser() { heard.push_back("chosen"); }
  ColorChooserButton m_chooser;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChooserDialog, XDialog)
  ON_BN_CLICKED(32843, OnChooser)
END_MESSAGE_MAP()

TEST_F(ColorButtonTest, OwnerHearsOnlyOfAcceptedColoursWhichKeepTheAlpha) {
  ScriptedColorDialogs colours;
  colours.Answer({std::nullopt, RGB(0, 255, 0)});
  heard.clear();
  ChooserDialog dialog;
  // Before its owner sets one, a button holds white within 0..1, so luminance ranges hold.
  EXPECT_EQ(dialog.m_chooser.m_color, Color(1.0, 1.0, 1.0, 1.0));
  dialog.m_chooser.SetColor(Color(1.0, 0.0, 0.0, 0.25));
  RunModal([&] { return dialog.DoModal(); },
           [&](QDialog*) {
             Click(dialog, 32843);
             EXPECT_TRUE(heard.empty());
             EXPECT_EQ(dialog.m_chooser.m_color.GetCOLORREF(), RGB(255, 0, 0));
             Click(dialog, 32843);
             EXPECT_EQ(heard, std::vector<std::string>{"chosen"});
             dialog.EndDialog(IDCANCEL);
           });
  ASSERT_EQ(colours.requests.size(), 2u);
  EXPECT_EQ(colours.requests[0].rgbResult, RGB(255, 0, 0));
  EXPECT_EQ(dialog.m_chooser.m_color.GetCOLORREF(), RGB(0, 255, 0));
  EXPECT_EQ(dialog.m_chooser.m_color.a, 0.25);
}

}  // namespace
