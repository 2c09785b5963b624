// The tokens of .x data, the same for the text and the binary form, and the tokenizer interface
// the template parser reads them through.
#pragma once

#include <cstdint>
#include <string_view>

namespace d3drm::xfile {

enum class TokenKind {
  kEnd,     // no data left
  kError,   // damaged data; the tokenizer gives nothing else after it
  kName,    // a template, object or reference name
  kString,  // a quoted string
  kInteger,
  kFloat,
  kGuid,
  kOpenBrace,
  kCloseBrace,
  kTemplate,  // the keyword that starts a template declaration
  kOther,     // punctuation and type words of template declarations
};

struct Token {
  Token() = default;
  Token(TokenKind k) : kind(k) {}  // NOLINT: a kind alone is a whole token
  Token(TokenKind k, std::string_view t) : kind(k), text(t) {}
  static Token Integer(std::int64_t value) {
    Token token(TokenKind::kInteger);
    token.integer = value;
    return token;
  }
  static Token Real(double value) {
    Token token(TokenKind::kFloat);
    token.real = value;
    return token;
  }

  TokenKind kind = TokenKind::kEnd;
  std::string_view text;  // name or string, pointing into the data
  std::int64_t integer = 0;
  double real = 0.0;
};

class Tokenizer {
 public:
  virtual ~Tokenizer() = default;
  // Separators (commas and semicolons) are not tokens.
  virtual Token Next() = 0;
  // False when the data left is too short to hold `count` more numbers, so that no count read
  // from the data makes room for more than the data can fill.
  virtual bool CanHoldNumbers(std::uint64_t count) const = 0;
};

}  // namespace d3drm::xfile
