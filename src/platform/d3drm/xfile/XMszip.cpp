#include "platform/d3drm/xfile/XMszip.h"

#include <zlib.h>

#include <algorithm>

namespace d3drm::xfile {
namespace {

constexpr std::size_t kHistory = 32768;     // what one block may refer back to
constexpr std::size_t kMaxBlockOut = 32768;  // the most one block may stand for

std::uint32_t Word(const std::uint8_t* b) { return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8; }

// One raw deflate stream with a history, for the life of one body.
class Inflater {
 public:
  Inflater() { ok_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
  ~Inflater() {
    if (ok_) inflateEnd(&stream_);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Inflates `in` (one whole deflate stream) into exactly `out.size()` bytes.
  bool Block(std::span<const std::uint8_t> in, std::span<const std::uint8_t> history, std::span<std::uint8_t> out) {
    if (!ok_ || inflateReset(&stream_) != Z_OK) return false;
    if (!history.empty() &&
        inflateSetDictionary(&stream_, history.data(), static_cast<uInt>(history.size())) != Z_OK)
      return false;
    stream_.next_in = const_cast<Bytef*>(in.data());
    stream_.avail_in = static_cast<uInt>(in.size());
    stream_.next_out = out.data();
    stream_.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream_, Z_FINISH);
    return result == Z_STREAM_END && stream_.avail_out == 0;
  }

 private:
  z_stream stream_{};
  bool ok_ = false;
};

}  // namespace

bool InflateMszipBody(std::span<const std::uint8_t> afterHeader, std::vector<std::uint8_t>* body) {
  // The whole file's size is not needed: every block states its own.
  if (afterHeader.size() < 4) return false;
  std::span<const std::uint8_t> rest = afterHeader.subspan(4);
  Inflater inflater;
  std::vector<std::uint8_t> out;
  while (!rest.empty()) {
    if (rest.size() < 6) return false;
    const std::size_t outSize = Word(rest.data());
    const std::size_t inSize = Word(rest.data() + 2);
    rest = rest.subspan(4);
    if (outSize == 0 || outSize > kMaxBlockOut || inSize < 2 || inSize > rest.size()) return false;
    if (rest[0] != 'C' || rest[1] != 'K') return false;
    const std::size_t start = out.size();
    out.resize(start + outSize);
    const std::size_t historySize = std::min(start, kHistory);
    const std::span<const std::uint8_t> history(out.data() + start - historySize, historySize);
    if (!inflater.Block(rest.subspan(2, inSize - 2), history, std::span(out).subspan(start))) return false;
    rest = rest.subspan(inSize);
  }
  *body = std::move(out);
  return true;
}

}  // namespace d3drm::xfile
