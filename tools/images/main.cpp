// Draws the toolbar button strips and the program's icon as PNG files, and the strips once more
// as XPM arrays in a C++ source for the program's toolbar resources, with the windows' icon and
// the About box's picture.
//   make_images <folder> [<source.cpp>]
// Toolbar<resource>.png: one image per button of that toolbar resource, left to right in button
// order, on a transparent ground. Tavrolin-<side>.png: the program's icon at each side.
// About168.png: the About box's picture (bitmap resource 168), 256 colours.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "AboutPicture.h"
#include "Pictograms.h"
#include "Toolbars.h"
#include "platform/win/RuntimeFolder.h"

namespace {

constexpr int kIconSides[] = {16, 24, 32, 48, 64, 128, 256};
// The icon the program's windows carry (icon resource 12, the main frame's).
constexpr int kWindowIconSide = 48;

// Centres the square canvas in a width x height cell at `left`.
void FitCanvas(QPainter& p, int left, int width, int height) {
  const double side = std::min(width, height);
  p.resetTransform();
  p.translate(left + (width - side) / 2, (height - side) / 2);
  p.scale(side / images::kCanvas, side / images::kCanvas);
}

bool Save(const QImage& image, const std::filesystem::path& path) {
  if (image.save(QString::fromStdString(path.string()), "PNG")) return true;
  std::fprintf(stderr, "make_images: cannot write %s\n", path.string().c_str());
  return false;
}

// The image as an XPM array named `name`.
std::string XpmArray(const QImage& image, const std::string& name) {
  QByteArray text;
  QBuffer buffer(&text);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "XPM");
  std::string xpm = text.toStdString();
  // Qt names the array after the file; the resources know it by their own name.
  const std::size_t open = xpm.find('[');
  return "extern const char* const " + name + "[];\nconst char* const " + name + xpm.substr(open);
}

// The image as an XPM array named `name`. Pixels less than half covered become the transparent
// colour, the rest are drawn opaque, as XPM knows no partial cover.
std::string OpaqueXpm(QImage image, const std::string& name) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      image.setPixel(x, y, qAlpha(pixel) < 128 ? 0u : (pixel | 0xFF000000u));
    }
  return XpmArray(image, name);
}

// The About picture in 256 colours of its own palette, as the bitmap resource holds it.
QImage AboutPicture() {
  QImage image(images::kAboutWidth, images::kAboutHeight, QImage::Format_RGB32);
  QPainter p(&image);
  images::DrawAboutPicture(p);
  p.end();
  return image.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither | Qt::PreferDither);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: make_images <folder> [<source.cpp>]\n");
    return 2;
  }
  // The About picture's lettering needs the font database, which needs a GUI application; no
  // window is ever shown.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  EnsureRuntimeFolder();  // a build outside a login session has none
  QGuiApplication application(argc, argv);
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  std::string source = "// Drawn by make_images: the toolbar button strips as XPM arrays.\n";
  for (const images::ToolbarStrip& strip : images::ToolbarStrips()) {
    QImage image(strip.width * static_cast<int>(strip.commands.size()), strip.height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < strip.commands.size(); ++i) {
      FitCanvas(p, strip.width * static_cast<int>(i), strip.width, strip.height);
      if (!images::DrawCommand(strip.commands[i], p)) {
        std::fprintf(stderr, "make_images: no picture for command %d\n", strip.commands[i]);
        return 1;
      }
    }
    p.end();
    if (!Save(image, folder / ("Toolbar" + std::to_string(strip.resource) + ".png"))) return 1;
    source += OpaqueXpm(image, "kToolbar" + std::to_string(strip.resource));
  }
  for (int side : kIconSides) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    FitCanvas(p, 0, side, side);
    images::DrawProgramIcon(p);
    p.end();
    if (!Save(image, folder / ("Tavrolin-" + std::to_string(side) + ".png"))) return 1;
    if (side == kWindowIconSide) source += OpaqueXpm(image, "kIcon12");
  }
  const QImage about = AboutPicture();
  if (!Save(about, folder / "About168.png")) return 1;
  source += XpmArray(about, "kBitmap168");
  if (argc == 3) {
    std::ofstream out(argv[2], std::ios::binary);
    out << source;
    if (!out) {
      std::fprintf(stderr, "make_images: cannot write %s\n", argv[2]);
      return 1;
    }
  }
  return 0;
}
