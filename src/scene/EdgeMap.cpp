#include "scene/EdgeMap.h"

EdgeMap::EdgeMap(DWORD vCount, DWORD fCount) {
  while ((std::uint64_t{1} << shift_) < vCount) ++shift_;
  mask_ = (std::uint64_t{4} << shift_) - 1;
  buckets_.assign(static_cast<std::size_t>(mask_) + 1, -1);
  associations_.reserve(std::size_t{fCount} * 3);
}

LONG* EdgeMap::Find(std::uint64_t key) {
  for (std::int32_t at = buckets_[key & mask_]; at >= 0; at = associations_[at].next)
    if (associations_[at].key == key) return &associations_[at].value;
  return nullptr;
}

void EdgeMap::Insert(std::uint64_t key, LONG value) {
  std::int32_t& head = buckets_[key & mask_];
  associations_.push_back({key, head, value});
  head = static_cast<std::int32_t>(associations_.size() - 1);
}
