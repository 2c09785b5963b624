#include "Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include <jpeglib.h>

namespace objects {
namespace {

struct File {
  explicit File(const std::string& path, const char* mode) : handle(std::fopen(path.c_str(), mode)) {
    if (!handle) throw std::runtime_error("cannot open " + path);
  }
  ~File() { std::fclose(handle); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  std::FILE* handle;
};

// libjpeg reports errors by calling error_exit, which must not return: jump back to the caller.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf back;
};

void JumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->back, 1); }

}  // namespace

void WriteJpeg(const std::string& path, const Picture& picture, int quality) {
  File file(path, "wb");
  jpeg_compress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpBack;
  if (setjmp(errors.back)) {
    jpeg_destroy_compress(&info);
    throw std::runtime_error("cannot write " + path);
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file.handle);
  info.image_width = picture.width;
  info.image_height = picture.height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&picture.rgb[std::size_t{info.next_scanline} * picture.width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
}

Picture ReadJpeg(const std::string& path) {
  File file(path, "rb");
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JumpBack;
  Picture picture;
  if (setjmp(errors.back)) {
    jpeg_destroy_decompress(&info);
    throw std::runtime_error("cannot read " + path);
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file.handle);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  picture.width = info.output_width;
  picture.height = info.output_height;
  picture.rgb.resize(std::size_t{picture.width} * picture.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &picture.rgb[std::size_t{info.output_scanline} * picture.width * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return picture;
}

}  // namespace objects
