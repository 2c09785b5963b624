// Writes JPEG files for tests through libjpeg: a picture of three-component colour, grey or CMYK.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

// `pixel(x, y, channel)` gives each sample.
inline bool WriteJpeg(const std::string& path, unsigned width, unsigned height,
                      const std::function<unsigned char(unsigned, unsigned, unsigned)>& pixel,
                      J_COLOR_SPACE space = JCS_RGB, int quality = 95) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, file);
  c.image_width = width;
  c.image_height = height;
  c.input_components = space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
  c.in_color_space = space;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * c.input_components);
  for (unsigned y = 0; y < height; ++y) {
    for (unsigned x = 0; x < width; ++x)
      for (int k = 0; k < c.input_components; ++k) row[x * c.input_components + k] = pixel(x, y, k);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  return std::fclose(file) == 0;
}
