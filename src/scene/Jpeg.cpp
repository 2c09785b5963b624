#include "scene/Jpeg.h"

// libjpeg needs FILE and size_t declared first.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <jerror.h>

#include "core/FatalError.h"
#include "core/NoMemoryHandler.h"
#include "core/XMessageBox.h"
#include "platform/win/RegularFile.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

// Where libjpeg's error exit lands: the read failed, or memory ran short.
constexpr int kReadFailed = 1;
constexpr int kMemoryShort = 2;

void JPEGOutputMessage(j_common_ptr cinfo) {
  char text[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, text);
  XErrorBox(40211, text);
}

// A block that malloc refused: the memory manager itself (case 0), a pool (2) or a large block (4).
// The other out-of-memory cases are requests no amount of memory could meet.
bool MemoryRanShort(const jpeg_error_mgr& err) {
  const int which = err.msg_parm.i[0];
  return err.msg_code == JERR_OUT_OF_MEMORY && (which == 0 || which == 2 || which == 4);
}

[[noreturn]] void JPEGErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  if (MemoryRanShort(err->pub)) std::longjmp(err->jump, kMemoryShort);
  (*cinfo->err->output_message)(cinfo);
  std::longjmp(err->jump, kReadFailed);
}

unsigned ScaleDenominator(unsigned factor) {
  unsigned d = 1;
  while (d < factor && d < 8) d *= 2;
  return d;
}

// Everything one decode holds; plain data, since libjpeg's error exit jumps over this frame's
// code back to the decode's start.
struct Decode {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  std::FILE* file = nullptr;
  JSAMPROW* rows = nullptr;
};

void Release(Decode& d) {
  std::free(d.rows);
  d.rows = nullptr;
  jpeg_destroy_decompress(&d.cinfo);
  if (d.file) std::fclose(d.file);
  d.file = nullptr;
}

// Opens the file and runs `read` on it with libjpeg's errors caught: a libjpeg error ends the read
// with FALSE after libjpeg's message; memory that ran short calls the low-memory handler and the
// read starts again from the file's start. FALSE after the damaged-file message when the file
// cannot be opened.
template <typename Read>
BOOL Reading(const char* file, Read read) {
  for (;;) {
    Decode d;
    d.file = OpenRegularFileStream(file);
    if (!d.file) {
      XErrorBox(40045, file);
      return FALSE;
    }
    d.cinfo.err = jpeg_std_error(&d.err.pub);
    d.err.pub.output_message = JPEGOutputMessage;
    d.err.pub.error_exit = JPEGErrorExit;
    switch (setjmp(d.err.jump)) {
      case 0:
        return read(d);
      case kReadFailed:
        Release(d);
        return FALSE;
      default:
        Release(d);
        NoMemoryHandler(1);
        break;
    }
  }
}

void Setup(Decode& d, unsigned factor, BOOL colormapped, unsigned colors) {
  jpeg_create_decompress(&d.cinfo);
  jpeg_stdio_src(&d.cinfo, d.file);
  XASSERT_TEXT(jpeg_read_header(&d.cinfo, TRUE) == JPEG_HEADER_OK, "jpeg_read_header( &cinfo, TRUE ) == JPEG_HEADER_OK",
               "Suspending data source not expected");
  d.cinfo.out_color_space = JCS_RGB;
  d.cinfo.scale_num = 1;
  d.cinfo.scale_denom = ScaleDenominator(factor);
  d.cinfo.quantize_colors = colormapped ? TRUE : FALSE;
  if (colormapped) {
    d.cinfo.desired_number_of_colors = static_cast<int>(colors);
    d.cinfo.two_pass_quantize = TRUE;
  }
}

// The output a texture can take: a non-empty RGB picture within the size limit.
bool OutputUsable(const jpeg_decompress_struct& cinfo) {
  return cinfo.output_width && cinfo.output_height && cinfo.output_width <= kMaxJpegSide &&
         cinfo.output_height <= kMaxJpegSide && cinfo.out_color_components == 3 &&
         cinfo.output_components == (cinfo.quantize_colors ? 1 : cinfo.out_color_components);
}

// A decode that libjpeg warned about (a cut or damaged picture) fails after the damaged-file
// message.
bool Warned(const Decode& d, const char* file) {
  if (d.err.pub.num_warnings == 0) return false;
  XErrorBox(40045, file);
  return true;
}

void CheckArguments(const char* file, BOOL colormapped, unsigned colors) {
  XASSERT(file, "");
  XASSERT(!colormapped || colors, "");
  XASSERT(!colormapped || colors <= 256, "Only 256 colors can be stored in 8-bit per pixel");
}

}  // namespace

BOOL GetJPEGSize(const char* file, unsigned factor, BOOL colormapped, unsigned colors, unsigned* width,
                 unsigned* height) {
  CheckArguments(file, colormapped, colors);
  XASSERT(width, "");
  XASSERT(height, "");
  return Reading(file, [&](Decode& d) {
    Setup(d, factor, colormapped, colors);
    jpeg_calc_output_dimensions(&d.cinfo);
    const bool usable = OutputUsable(d.cinfo);
    *width = d.cinfo.output_width;
    *height = d.cinfo.output_height;
    Release(d);
    return Warned(d, file) || !usable ? FALSE : TRUE;
  });
}

BOOL ReadJPEG(const char* file, BYTE* buffer, LONG pitch, unsigned bufferWidth, unsigned bufferHeight,
              unsigned factor, BOOL colormapped, unsigned colors, BYTE* palette) {
  CheckArguments(file, colormapped, colors);
  XASSERT(buffer, "");
  XASSERT_TEXT(pitch > 0, "pitch", "");  // rows are stored top-down
  XASSERT(!colormapped || palette, "");
  return Reading(file, [&](Decode& d) {
    Setup(d, factor, colormapped, colors);
    XASSERT_TEXT(jpeg_start_decompress(&d.cinfo), "jpeg_start_decompress( &cinfo )",
                 "Suspending data source not expected");
    // The file may have changed since its size was taken: a picture that does not fit fails.
    const unsigned components = static_cast<unsigned>(d.cinfo.output_components);
    if (!OutputUsable(d.cinfo) || d.cinfo.output_width > bufferWidth || d.cinfo.output_height > bufferHeight ||
        static_cast<unsigned long>(pitch) < static_cast<unsigned long>(d.cinfo.output_width) * components) {
      Release(d);
      return FALSE;
    }
    if (colormapped) {
      const int n = d.cinfo.actual_number_of_colors;
      XASSERT_TEXT(n > 0, "cinfo.actual_number_of_colors > 0", "");
      XASSERT_TEXT(n <= static_cast<int>(colors), "cinfo.actual_number_of_colors <= (int)colors", "");
      for (unsigned i = 0; i < 256; ++i) {
        const unsigned from = i < static_cast<unsigned>(n) ? i : 0;
        for (unsigned c = 0; c < 3; ++c) palette[i * 4 + c] = d.cinfo.colormap[c][from];
        palette[i * 4 + 3] = 0;
      }
    }
    d.rows = static_cast<JSAMPROW*>(MallocRetrying(sizeof(JSAMPROW) * d.cinfo.output_height));
    for (unsigned i = 0; i < d.cinfo.output_height; ++i) d.rows[i] = buffer + static_cast<std::size_t>(i) * pitch;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
      XASSERT_TEXT(jpeg_read_scanlines(&d.cinfo, &d.rows[d.cinfo.output_scanline],
                                       d.cinfo.output_height - d.cinfo.output_scanline),
                   "jpeg_read_scanlines( &cinfo, &rows[cinfo.output_scanline], "
                   "cinfo.output_height - cinfo.output_scanline )",
                   "");
    }
    XASSERT_TEXT(jpeg_finish_decompress(&d.cinfo), "jpeg_finish_decompress( &cinfo )", "");
    Release(d);
    return Warned(d, file) ? FALSE : TRUE;
  });
}
