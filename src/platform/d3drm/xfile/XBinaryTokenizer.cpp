#include "platform/d3drm/xfile/XBinaryTokenizer.h"

#include <cstring>
#include <string_view>

namespace d3drm::xfile {
namespace {

enum : std::uint16_t {
  kTokenName = 1,
  kTokenString = 2,
  kTokenInteger = 3,
  kTokenGuid = 5,
  kTokenIntegerList = 6,
  kTokenRealList = 7,
  kTokenOpenBrace = 10,
  kTokenCloseBrace = 11,
  kTokenComma = 19,
  kTokenSemicolon = 20,
  kTokenTemplate = 31,
};

constexpr std::size_t kGuidSize = 16;

// Punctuation and type words that only template declarations use.
bool IsDeclarationToken(std::uint16_t token) { return (token >= 12 && token <= 18) || (token >= 40 && token <= 52); }

}  // namespace

Token BinaryTokenizer::Error() {
  pos_ = data_.size();
  list_ = ListKind::kNone;
  return {TokenKind::kError};
}

bool BinaryTokenizer::Read(std::size_t size, const std::uint8_t** bytes) {
  if (size > data_.size() - pos_) return false;
  *bytes = data_.data() + pos_;
  pos_ += size;
  return true;
}

bool BinaryTokenizer::ReadDword(std::uint32_t* value) {
  const std::uint8_t* b;
  if (!Read(4, &b)) return false;
  *value = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
  return true;
}

Token BinaryTokenizer::ListElement() {
  --listLeft_;
  const ListKind kind = list_;
  if (listLeft_ == 0) list_ = ListKind::kNone;
  if (kind == ListKind::kIntegers) {
    std::uint32_t value;
    if (!ReadDword(&value)) return Error();
    return Token::Integer(value);
  }
  const std::uint8_t* b;
  if (!Read(realSize_, &b)) return Error();
  if (realSize_ == 4) {
    float value;
    std::memcpy(&value, b, sizeof value);
    return Token::Real(value);
  }
  double value;
  std::memcpy(&value, b, sizeof value);
  return Token::Real(value);
}

Token BinaryTokenizer::Next() {
  if (list_ != ListKind::kNone) return ListElement();
  for (;;) {
    if (pos_ == data_.size()) return {TokenKind::kEnd};
    const std::uint8_t* b;
    if (!Read(2, &b)) return Error();
    const std::uint16_t token = static_cast<std::uint16_t>(b[0] | b[1] << 8);
    switch (token) {
      case kTokenName:
      case kTokenString: {
        std::uint32_t length;
        if (!ReadDword(&length) || !Read(length, &b)) return Error();
        const std::string_view text(reinterpret_cast<const char*>(b), length);
        if (token == kTokenName) return {TokenKind::kName, text};
        // Exporters close a string with the separator as a 16-bit token or as a 32-bit word.
        if (!Read(2, &b)) return Error();
        const std::uint16_t terminator = static_cast<std::uint16_t>(b[0] | b[1] << 8);
        if (terminator != kTokenComma && terminator != kTokenSemicolon) return Error();
        if (data_.size() - pos_ >= 2 && data_[pos_] == 0 && data_[pos_ + 1] == 0) pos_ += 2;
        return {TokenKind::kString, text};
      }
      case kTokenInteger: {
        std::uint32_t value;
        if (!ReadDword(&value)) return Error();
        return Token::Integer(value);
      }
      case kTokenGuid:
        if (!Read(kGuidSize, &b)) return Error();
        return {TokenKind::kGuid};
      case kTokenIntegerList:
      case kTokenRealList: {
        std::uint32_t count;
        if (!ReadDword(&count)) return Error();
        const std::size_t itemSize = token == kTokenIntegerList ? 4 : realSize_;
        if (count > (data_.size() - pos_) / itemSize) return Error();
        if (count == 0) continue;
        list_ = token == kTokenIntegerList ? ListKind::kIntegers : ListKind::kReals;
        listLeft_ = count;
        return ListElement();
      }
      case kTokenOpenBrace:
        return {TokenKind::kOpenBrace};
      case kTokenCloseBrace:
        return {TokenKind::kCloseBrace};
      case kTokenComma:
      case kTokenSemicolon:
        continue;
      case kTokenTemplate:
        return {TokenKind::kTemplate};
      default:
        if (IsDeclarationToken(token)) return {TokenKind::kOther};
        return Error();
    }
  }
}

}  // namespace d3drm::xfile
