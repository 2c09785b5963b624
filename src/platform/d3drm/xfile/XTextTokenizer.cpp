#include "platform/d3drm/xfile/XTextTokenizer.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace d3drm::xfile {
namespace {

bool IsNameStart(std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80; }
bool IsNamePart(std::uint8_t c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
bool IsNumberPart(std::uint8_t c) {
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}
bool IsSpace(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
  return true;
}

}  // namespace

Token TextTokenizer::Error() {
  pos_ = data_.size();
  return {TokenKind::kError};
}

void TextTokenizer::SkipSeparators() {
  while (pos_ < data_.size()) {
    const std::uint8_t c = data_[pos_];
    if (IsSpace(c) || c == ',' || c == ';') {
      ++pos_;
    } else if (c == '#' || (c == '/' && pos_ + 1 < data_.size() && data_[pos_ + 1] == '/')) {
      while (pos_ < data_.size() && data_[pos_] != '\n') ++pos_;
    } else {
      return;
    }
  }
}

Token TextTokenizer::Next() {
  SkipSeparators();
  if (pos_ >= data_.size()) return {TokenKind::kEnd};
  const std::uint8_t c = data_[pos_];
  const auto* chars = reinterpret_cast<const char*>(data_.data());
  if (c == '{' || c == '}') {
    ++pos_;
    return {c == '{' ? TokenKind::kOpenBrace : TokenKind::kCloseBrace};
  }
  if (c == '"') return Delimited('"', TokenKind::kString);
  if (c == '<') return Delimited('>', TokenKind::kGuid);
  if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.') return Number();
  if (IsNameStart(c)) {
    const std::size_t start = pos_;
    while (pos_ < data_.size() && IsNamePart(data_[pos_])) ++pos_;
    const std::string_view name(chars + start, pos_ - start);
    return {SameIgnoringCase(name, "template") ? TokenKind::kTemplate : TokenKind::kName, name};
  }
  if (c == '[' || c == ']' || c == '(' || c == ')') {
    ++pos_;
    return {TokenKind::kOther};
  }
  return Error();
}

// The characters between the opening character at pos_ and `close`.
Token TextTokenizer::Delimited(char close, TokenKind kind) {
  const std::size_t start = ++pos_;
  while (pos_ < data_.size() && data_[pos_] != close) ++pos_;
  if (pos_ >= data_.size()) return Error();
  const auto* chars = reinterpret_cast<const char*>(data_.data());
  return {kind, std::string_view(chars + start, pos_++ - start)};
}

Token TextTokenizer::Number() {
  const std::size_t start = pos_;
  bool real = false;
  while (pos_ < data_.size() && IsNumberPart(data_[pos_])) {
    const std::uint8_t c = data_[pos_++];
    real = real || c == '.' || c == 'e' || c == 'E';
  }
  const char* first = reinterpret_cast<const char*>(data_.data()) + start;
  const char* last = reinterpret_cast<const char*>(data_.data()) + pos_;
  if (first != last && *first == '+') ++first;
  // Dots alone ("[...]") mean "any further members" in template declarations.
  if (std::all_of(first, last, [](char ch) { return ch == '.'; }) && first != last) return {TokenKind::kOther};
  Token token(real ? TokenKind::kFloat : TokenKind::kInteger);
  const auto result = real ? std::from_chars(first, last, token.real) : std::from_chars(first, last, token.integer);
  if (result.ec != std::errc() || result.ptr != last) return Error();
  return token;
}

}  // namespace d3drm::xfile
