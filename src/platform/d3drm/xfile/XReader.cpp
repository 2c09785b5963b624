#include "platform/d3drm/xfile/XReader.h"

#include <cstring>
#include <vector>

#include "platform/d3drm/D3DRMTypes.h"
#include "platform/d3drm/xfile/XBinaryTokenizer.h"
#include "platform/d3drm/xfile/XMszip.h"
#include "platform/d3drm/xfile/XParser.h"
#include "platform/d3drm/xfile/XTextTokenizer.h"

namespace d3drm::xfile {
namespace {

// "xof " "03" minor format real-size, e.g. "xof 0302txt 0032".
constexpr std::size_t kHeaderSize = 16;

bool IsDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

bool Is(std::span<const std::uint8_t> data, std::size_t at, const char* text) {
  return std::memcmp(data.data() + at, text, std::strlen(text)) == 0;
}

}  // namespace

HRESULT ReadXData(std::span<const std::uint8_t> data, XScene* scene) {
  if (data.size() < kHeaderSize || !Is(data, 0, "xof 03") || !IsDigit(data[6]) || !IsDigit(data[7]))
    return D3DRMERR_BADFILE;
  const bool compressed = Is(data, 8, "tzip") || Is(data, 8, "bzip");
  const bool text = Is(data, 8, "txt ") || Is(data, 8, "tzip");
  if (!compressed && !text && !Is(data, 8, "bin ")) return D3DRMERR_BADFILE;
  unsigned realSize;
  if (Is(data, 12, "0032")) {
    realSize = 4;
  } else if (Is(data, 12, "0064")) {
    realSize = 8;
  } else {
    return D3DRMERR_BADFILE;
  }

  std::vector<std::uint8_t> inflated;
  if (compressed && !InflateMszipBody(data.subspan(kHeaderSize), &inflated)) return D3DRMERR_BADFILE;
  const auto body = compressed ? std::span<const std::uint8_t>(inflated) : data.subspan(kHeaderSize);
  TextTokenizer textTokens(body);
  BinaryTokenizer binaryTokens(body, realSize);
  Tokenizer& tokens = text ? static_cast<Tokenizer&>(textTokens) : binaryTokens;
  XScene parsed;
  if (!ParseXObjects(tokens, &parsed)) return D3DRMERR_BADFILE;
  if (parsed.meshes.empty()) return D3DRMERR_NOTFOUND;
  *scene = std::move(parsed);
  return D3DRM_OK;
}

}  // namespace d3drm::xfile
