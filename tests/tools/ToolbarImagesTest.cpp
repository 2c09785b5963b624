// Toolbar strips hold a distinct, visible picture per button at the bar's size; the icon at every side.
#include <gtest/gtest.h>

#include <QImage>

#include <string>

#include "Toolbars.h"

namespace {

std::string ImagePath(const std::string& name) { return std::string(TAVROLIN_IMAGES_DIR) + "/" + name; }

TEST(ToolbarImages, EveryButtonHasItsOwnPictureAtTheBarsSize) {
  for (const images::ToolbarStrip& strip : images::ToolbarStrips()) {
    SCOPED_TRACE(strip.resource);
    const QImage image(QString::fromStdString(ImagePath("Toolbar" + std::to_string(strip.resource) + ".png")));
    ASSERT_EQ(image.width(), strip.width * static_cast<int>(strip.commands.size()));
    ASSERT_EQ(image.height(), strip.height);
    for (std::size_t i = 0; i < strip.commands.size(); ++i) {
      const QImage cell = image.copy(strip.width * static_cast<int>(i), 0, strip.width, strip.height);
      int opaque = 0;
      for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x) opaque += qAlpha(cell.pixel(x, y)) > 128;
      EXPECT_GT(opaque, strip.width * strip.height / 16) << "command " << strip.commands[i];
      for (std::size_t j = 0; j < i; ++j) {
        const QImage other = image.copy(strip.width * static_cast<int>(j), 0, strip.width, strip.height);
        EXPECT_NE(cell, other) << "commands " << strip.commands[j] << " and " << strip.commands[i] << " look the same";
      }
    }
  }
}

TEST(ToolbarImages, ProgramIconAtEverySide) {
  for (int side : {16, 24, 32, 48, 64, 128, 256}) {
    const QImage icon(QString::fromStdString(ImagePath("Tavrolin-" + std::to_string(side) + ".png")));
    EXPECT_EQ(icon.size(), QSize(side, side));
    EXPECT_EQ(qAlpha(icon.pixel(side / 2, side / 2)), 255);
  }
}

}  // namespace
