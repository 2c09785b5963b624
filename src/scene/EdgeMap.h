// The map of the silhouette search: from the key of an edge between two welded vertices to the
// registration of the first face that met it. Keys hold both vertex numbers side by side in 64
// bits, so they are exact for any mesh; a key's bucket is found with a mask.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win/WinTypes.h"

class EdgeMap {
 public:
  // Room for 3 x fCount edges in 4 x 2^s buckets, where 2^s is the smallest power of two not
  // below vCount.
  EdgeMap(DWORD vCount, DWORD fCount);

  std::uint64_t Key(DWORD i, DWORD j) const {
    return i < j ? (std::uint64_t{i} << shift_) | j : (std::uint64_t{j} << shift_) | i;
  }
  // The value stored under `key`, or null.
  LONG* Find(std::uint64_t key);
  // Stores a key that is not in the map.
  void Insert(std::uint64_t key, LONG value);

 private:
  struct Association {
    std::uint64_t key;
    std::int32_t next;
    LONG value;
  };
  unsigned shift_ = 0;
  std::uint64_t mask_ = 0;
  std::vector<std::int32_t> buckets_;
  std::vector<Association> associations_;
};
