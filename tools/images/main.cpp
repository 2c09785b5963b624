// Draws the toolbar button strips and the program's icon as PNG files, and the strips once more
// as XPM arrays in a C++ source for the program's toolbar resources.
//   make_images <folder> [<source.cpp>]
// Toolbar<resource>.png: one image per button of that toolbar resource, left to right in button
// order, on a transparent ground. Tavrolin-<side>.png: the program's icon at each side.
#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Pictograms.h"
#include "Toolbars.h"

namespace {

constexpr int kIconSides[] = {16, 24, 32, 48, 64, 128, 256};

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

// The strip as an XPM array named kToolbar<resource>. Pixels less than half covered become the
// transparent colour, the rest are drawn opaque, as XPM knows no partial cover.
std::string XpmArray(QImage image, int resource) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      image.setPixel(x, y, qAlpha(pixel) < 128 ? 0u : (pixel | 0xFF000000u));
    }
  QByteArray text;
  QBuffer buffer(&text);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "XPM");
  std::string xpm = text.toStdString();
  // Qt names the array after the file; the resources know it by the strip's resource id.
  const std::size_t open = xpm.find('[');
  return "extern const char* const kToolbar" + std::to_string(resource) + "[];\nconst char* const kToolbar" +
         std::to_string(resource) + xpm.substr(open);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: make_images <folder> [<source.cpp>]\n");
    return 2;
  }
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
    source += XpmArray(image, strip.resource);
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
  }
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
