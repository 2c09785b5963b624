// A table of resources sorted by id, registered by the program at start-up and searched by id.
#pragma once

#include <algorithm>
#include <cstddef>

#include "platform/win/WinTypes.h"

template <class Entry>
class ResourceTable {
 public:
  void Register(const Entry* entries, std::size_t count) {
    entries_ = entries;
    count_ = count;
  }

  // The entry of `id`, or nullptr when the table has none (or nothing is registered).
  const Entry* Find(UINT id) const {
    const Entry* end = entries_ + count_;
    const Entry* it = std::lower_bound(entries_, end, id, [](const Entry& e, UINT key) { return e.id < key; });
    return it != end && it->id == id ? it : nullptr;
  }

 private:
  const Entry* entries_ = nullptr;
  std::size_t count_ = 0;
};
