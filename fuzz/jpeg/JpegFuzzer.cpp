// Feeds arbitrary bytes, as a texture file, to the JPEG path of the texture loader: the size
// after shrinking, the decoding into a power-of-two buffer (24-bit or 256 colours) and the mode
// filter of the painted looks. The last byte of the file also picks the shrink factor, the colour
// mode and the brush (a JPEG ends at its end marker, so whole files make good seeds).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win/MessageBox.h"
#include "resources/ProgramResources.h"
#include "scene/Jpeg.h"
#include "scene/ModeFilter.h"

namespace {

class SilentBoxes final : public MessageBoxBackend {
 public:
  int Show(HWND, const char*, const char*, UINT) override { return 1; }
};

unsigned PowerOfTwo(unsigned n) {
  unsigned p = 1;
  while (p < n) p *= 2;
  return p;
}

void RemoveFile();

// The one file every input is written to, in $TMPDIR (or /tmp); removed when the process ends.
const std::string& FilePath() {
  static const std::string path = [] {
    static SilentBoxes boxes;
    SetMessageBoxBackend(&boxes);
    RegisterProgramResources();  // the messages' texts
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/tavrolin-jpeg-fuzz-" + std::to_string(getpid()) +
           ".jpg";
  }();
  // Registered once the path is made, so it runs before the path is destroyed.
  static const bool removedAtExit = std::atexit(&RemoveFile) == 0;
  (void)removedAtExit;
  return path;
}

void RemoveFile() { std::remove(FilePath().c_str()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t control = data[size - 1];
  const unsigned factor = 1u << (control & 3);
  const BOOL colormapped = (control & 4) ? TRUE : FALSE;
  const unsigned brush = 1 + (control >> 3) % 4;
  const std::string& path = FilePath();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);

  unsigned width = 0, height = 0;
  if (!GetJPEGSize(path.c_str(), factor, colormapped, 256, &width, &height)) return 0;
  // Pictures this large decode slowly without reaching other code.
  if (std::size_t{width} * height > 512 * 512) return 0;
  const unsigned w = PowerOfTwo(width), h = PowerOfTwo(height);
  const unsigned bytes = colormapped ? 1 : 3;
  std::vector<BYTE> pixels(std::size_t{w} * h * bytes), painted(pixels.size());
  std::vector<BYTE> palette(256 * 4);
  if (!ReadJPEG(path.c_str(), pixels.data(), static_cast<LONG>(w * bytes), w, h, factor, colormapped, 256,
                palette.data()))
    return 0;
  ModeFilterPixels(painted.data(), w * bytes, pixels.data(), w * bytes, bytes, brush, width, height);
  return 0;
}
