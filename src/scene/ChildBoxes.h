// The boxes of a group's child groups in the group's own coordinates, kept in the order of the
// child list and combined pairwise in a balanced tree. A change to one child then costs one path
// of the tree instead of a walk over every child, which keeps edits of big scenes cheap.
#pragma once

#include <cstddef>
#include <vector>

#include "core/XPtSzRect.h"

class GroupSO;

class ChildBoxes {
 public:
  // Appends a child after every child held; its box is taken when first asked for.
  void Add(GroupSO& child);
  void Remove(GroupSO& child);
  // The child's box is taken again when next asked for.
  void Changed(const GroupSO& child);
  // Grows `box` by every child's box in list order, exactly as growing it by one child after the
  // other gives: on a tie the earlier value stays, and a NaN never replaces a value.
  void GrowInto(BoundingBox& box);

 private:
  void MarkStale(std::size_t slot);
  // Drops the places of children that left and makes room for as many again as stay.
  void Reorganize();
  void Update();

  std::vector<GroupSO*> children;  // by place, in list order; null where a child left
  std::vector<bool> isStale;       // by place
  std::vector<std::size_t> stale;  // the places whose boxes are taken again
  std::vector<BoundingBox> tree;   // node 1 combines everything; the leaves start at `capacity`
  std::size_t capacity = 0;        // the leaves, a power of two
};
