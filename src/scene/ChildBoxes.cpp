#include "scene/ChildBoxes.h"

#include <cmath>
#include <limits>

#include "scene/GroupSO.h"

namespace {

constexpr std::size_t kLeastCapacity = 4;
// Past this share of stale leaves a whole rebuild is cheaper than one path per leaf.
constexpr std::size_t kRebuildShare = 16;

// A box of NaNs adds nothing to any box (a NaN never replaces a value when a box grows).
const BoundingBox& Nothing() {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  static const BoundingBox nothing(Vector(nan, nan, nan), Vector(nan, nan, nan));
  return nothing;
}

// std::min and std::max as a box grows by them, made associative: NaN is neutral on either side
// and a tie keeps the earlier value (0.0 and -0.0 tie too).
double Lower(double earlier, double later) { return std::isnan(earlier) || later < earlier ? later : earlier; }
double Higher(double earlier, double later) { return std::isnan(earlier) || earlier < later ? later : earlier; }

BoundingBox Combined(const BoundingBox& a, const BoundingBox& b) {
  return BoundingBox(Vector(Lower(a.min.x, b.min.x), Lower(a.min.y, b.min.y), Lower(a.min.z, b.min.z)),
                     Vector(Higher(a.max.x, b.max.x), Higher(a.max.y, b.max.y), Higher(a.max.z, b.max.z)));
}

}  // namespace

void ChildBoxes::Add(GroupSO& child) {
  if (children.size() == capacity) Reorganize();
  child.boxSlot = children.size();
  children.push_back(&child);
  isStale.push_back(false);
  MarkStale(child.boxSlot);
}

void ChildBoxes::Remove(GroupSO& child) {
  children[child.boxSlot] = nullptr;
  MarkStale(child.boxSlot);
}

void ChildBoxes::Changed(const GroupSO& child) { MarkStale(child.boxSlot); }

void ChildBoxes::MarkStale(std::size_t slot) {
  if (isStale[slot]) return;
  isStale[slot] = true;
  stale.push_back(slot);
}

void ChildBoxes::Reorganize() {
  std::vector<GroupSO*> staying;
  for (GroupSO* child : children)
    if (child) staying.push_back(child);
  capacity = kLeastCapacity;
  while (capacity < 2 * staying.size()) capacity *= 2;
  children = std::move(staying);
  tree.assign(2 * capacity, Nothing());
  isStale.assign(children.size(), false);
  stale.clear();
  for (std::size_t slot = 0; slot < children.size(); ++slot) {
    children[slot]->boxSlot = slot;
    MarkStale(slot);
  }
}

void ChildBoxes::Update() {
  for (std::size_t slot : stale) {
    BoundingBox& leaf = tree[capacity + slot];
    const GroupSO* child = children[slot];
    if (!child || !child->GetPlacedBox(leaf)) leaf = Nothing();
    isStale[slot] = false;
  }
  if (stale.size() * kRebuildShare >= capacity) {
    for (std::size_t node = capacity - 1; node > 0; --node) tree[node] = Combined(tree[2 * node], tree[2 * node + 1]);
  } else {
    for (std::size_t slot : stale)
      for (std::size_t node = (capacity + slot) / 2; node > 0; node /= 2)
        tree[node] = Combined(tree[2 * node], tree[2 * node + 1]);
  }
  stale.clear();
}

void ChildBoxes::GrowInto(BoundingBox& box) {
  if (capacity == 0) return;
  if (!stale.empty()) Update();
  box = Combined(box, tree[1]);
}
