// Writes binary .x data token by token, for fixtures and damaged inputs.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

class XBinaryWriter {
 public:
  explicit XBinaryWriter(const char* header = "xof 0302bin 0032") { bytes_.assign(header, header + 16); }

  XBinaryWriter& Name(const std::string& name) {
    Word(1);
    Dword(static_cast<std::uint32_t>(name.size()));
    bytes_.insert(bytes_.end(), name.begin(), name.end());
    return *this;
  }
  XBinaryWriter& String(const std::string& text) {
    Word(2);
    Dword(static_cast<std::uint32_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    Dword(20);  // ends with a semicolon
    return *this;
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
      std::uint32_t bits;
      std::memcpy(&bits, &v, sizeof bits);
      Dword(bits);
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
  std::vector<std::uint8_t> bytes_;
};
