// A place in a framework collection, handed out by the collection and only given back to it.
#pragma once

#include <cstdint>
#include <vector>

struct PositionTag;
using POSITION = PositionTag*;

// Walking a vector with positions: a position is the element's index plus one, null past the end.
template <typename T>
POSITION FirstPosition(const std::vector<T>& items) {
  return items.empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t{1});
}

// The element at `position`, which moves on to the next one.
template <typename T>
T NextAt(const std::vector<T>& items, POSITION& position) {
  const std::uintptr_t index = reinterpret_cast<std::uintptr_t>(position) - 1;
  position = index + 1 < items.size() ? reinterpret_cast<POSITION>(index + 2) : nullptr;
  return items[index];
}
