#include "platform/win/MulDiv.h"

#include <cstdint>
#include <cstdlib>

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = std::llabs(product);
  const std::int64_t divisor = std::llabs(static_cast<std::int64_t>(c));
  const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
  if (rounded > INT32_MAX) return -1;
  return static_cast<int>(negative ? -rounded : rounded);
}
