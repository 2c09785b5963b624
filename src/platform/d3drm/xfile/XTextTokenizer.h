// Tokens of the text form: names, numbers, quoted strings, <GUID>s, braces; commas, semicolons,
// white space and comments ("//" or "#" to the end of the line) separate them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/d3drm/xfile/XToken.h"

namespace d3drm::xfile {

class TextTokenizer final : public Tokenizer {
 public:
  explicit TextTokenizer(std::span<const std::uint8_t> data) : data_(data) {}

  Token Next() override;
  bool CanHoldNumbers(std::uint64_t count) const override { return count <= data_.size() - pos_; }

 private:
  void SkipSeparators();
  Token Number();
  Token Delimited(char close, TokenKind kind);
  Token Error();

  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

}  // namespace d3drm::xfile
