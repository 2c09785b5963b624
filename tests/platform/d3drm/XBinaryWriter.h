// Writes binary .x data token by token, for fixtures and damaged inputs.
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class XBinaryWriter {
 public:
  // A header ending in "0064" makes Floats write 64-bit reals.
  explicit XBinaryWriter(const char* header = "xof 0302bin 0032")
      : doubles_(std::string(header, 16).ends_with("0064")) {
    bytes_.assign(header, header + 16);
  }

  // Strings end with a 32-bit separator word by default; some exporters write a 16-bit token.
  XBinaryWriter& ShortStringEnds() {
    shortStringEnds_ = true;
    return *this;
  }

  XBinaryWriter& Name(const std::string& name) { return Text(1, name); }
  XBinaryWriter& String(const std::string& text) {
    Text(2, text);
    return shortStringEnds_ ? Word(20) : Dword(20);  // ends with a semicolon
  }
  XBinaryWriter& Integers(std::initializer_list<std::uint32_t> values) {
    Word(6);
    Dword(static_cast<std::uint32_t>(values.size()));
    for (std::uint32_t v : values) Dword(v);
    return *this;
  }
  XBinaryWriter& Floats(std::initializer_list<float> values) {
    Word(7);
    Dword(static_cast<std::uint32_t>(values.size()));
    for (float v : values) {
      if (doubles_) {
        const auto bits = std::bit_cast<std::uint64_t>(double{v});
        Dword(static_cast<std::uint32_t>(bits)).Dword(static_cast<std::uint32_t>(bits >> 32));
      } else {
        Dword(std::bit_cast<std::uint32_t>(v));
      }
    }
    return *this;
  }
  XBinaryWriter& Open() { return Word(10); }
  XBinaryWriter& Close() { return Word(11); }
  XBinaryWriter& Word(std::uint16_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    return *this;
  }
  XBinaryWriter& Dword(std::uint32_t value) {
    Word(static_cast<std::uint16_t>(value));
    return Word(static_cast<std::uint16_t>(value >> 16));
  }

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }

 private:
  XBinaryWriter& Text(std::uint16_t token, const std::string& text) {
    Word(token);
    Dword(static_cast<std::uint32_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }

  std::vector<std::uint8_t> bytes_;
  bool doubles_;
  bool shortStringEnds_ = false;
};
