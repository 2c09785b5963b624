// Tokens of the binary form: 16-bit little-endian token words; names, strings, single integers,
// GUIDs and lists of integers or reals carry records. List elements are handed out one by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/d3drm/xfile/XToken.h"

namespace d3drm::xfile {

class BinaryTokenizer final : public Tokenizer {
 public:
  // realSize: 4 or 8 bytes per real.
  BinaryTokenizer(std::span<const std::uint8_t> data, unsigned realSize) : data_(data), realSize_(realSize) {}

  Token Next() override;
  bool CanHoldNumbers(std::uint64_t count) const override { return count <= (data_.size() - pos_) / 4; }

 private:
  enum class ListKind { kNone, kIntegers, kReals };

  bool Read(std::size_t size, const std::uint8_t** bytes);
  bool ReadDword(std::uint32_t* value);
  Token ListElement();
  Token Error();

  std::span<const std::uint8_t> data_;
  unsigned realSize_;
  std::size_t pos_ = 0;
  ListKind list_ = ListKind::kNone;
  std::uint32_t listLeft_ = 0;
};

}  // namespace d3drm::xfile
