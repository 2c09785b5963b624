// Draws the toolbar button strips and the program's icon as PNG files.
//   make_images <folder>
// Toolbar<resource>.png: one image per button of that toolbar resource, left to right in button
// order, on a transparent ground. Tavrolin-<side>.png: the program's icon at each side.
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <filesystem>
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_images <folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
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
  return 0;
}
