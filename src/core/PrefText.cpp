#include "core/PrefText.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <cstdint>

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int DigitValue(char c, int base) {
  const int d = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'z' ? c - 'a' + 10
                : c >= 'A' && c <= 'Z' ? c - 'A' + 10
                                       : 99;
  return d < base ? d : -1;
}

struct Scanned {
  bool negative;
  std::uint64_t magnitude;  // saturated above 2^32
  const char* end;
};

// One integer in `base` (0: by its prefix) of at most `width` characters, sign included.
std::optional<Scanned> ScanInteger(const char* text, int base, int width) {
  if (!text) return std::nullopt;
  while (IsSpace(*text)) ++text;
  const char* limit = text + width;
  const char* p = text;
  bool negative = false;
  if (p < limit && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (base == 0) {
    base = 10;
    if (p < limit && *p == '0') {
      base = 8;
      if (p + 1 < limit && (p[1] == 'x' || p[1] == 'X') && p + 2 < limit && DigitValue(p[2], 16) >= 0) {
        base = 16;
        p += 2;
      }
    }
  }
  std::uint64_t magnitude = 0;
  const char* digits = p;
  for (int d; p < limit && (d = DigitValue(*p, base)) >= 0; ++p)
    magnitude = magnitude > 0xFFFFFFFFull ? magnitude : magnitude * base + d;
  if (p == digits) return std::nullopt;
  return Scanned{negative, magnitude, p};
}

constexpr int kNoWidth = 1 << 30;

}  // namespace

std::optional<DWORD> ScanUnsigned32(const char* text) {
  std::optional<Scanned> n = ScanInteger(text, 10, kNoWidth);
  if (!n || n->magnitude > 0xFFFFFFFFull) return std::nullopt;
  const DWORD value = static_cast<DWORD>(n->magnitude);
  return n->negative ? static_cast<DWORD>(0u - value) : value;
}

std::optional<LONG> ScanSigned32(const char* text) {
  std::optional<Scanned> n = ScanInteger(text, 0, kNoWidth);
  if (!n || n->magnitude > (n->negative ? 0x80000000ull : 0x7FFFFFFFull)) return std::nullopt;
  const auto magnitude = static_cast<std::int64_t>(n->magnitude);
  return static_cast<LONG>(n->negative ? -magnitude : magnitude);
}

std::optional<float> ScanFloat(const char* text) {
  // The C library's own reading, in its "C" locale so that the decimal point is always '.'.
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  if (!text || !cLocale) return std::nullopt;
  char* end = nullptr;
  const float value = strtof_l(text, &end, cLocale);
  if (end == text) return std::nullopt;
  return value;
}

std::optional<std::array<DWORD, 4>> ScanFourTriples(const char* text) {
  std::array<DWORD, 4> values{};
  for (DWORD& value : values) {
    std::optional<Scanned> n = ScanInteger(text, 10, 3);
    if (!n) return std::nullopt;
    value = n->negative ? static_cast<DWORD>(0u - static_cast<DWORD>(n->magnitude)) : static_cast<DWORD>(n->magnitude);
    text = n->end;
  }
  return values;
}

std::string FormatGeneral(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  return std::string(buffer, result.ptr);
}
