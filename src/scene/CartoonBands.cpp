#include "scene/CartoonBands.h"

#include <algorithm>

void CartoonJoins::Clear() {
  for (DWORD vertex : used_) std::fill_n(&slots_[std::size_t{vertex} * kSlots], kSlots, kEmpty);
  used_.clear();
}

void CartoonJoins::Register(DWORD vertexNumber, int slot, WORD moved) {
  if (slot == 0) used_.push_back(vertexNumber);
  slots_[std::size_t{vertexNumber} * kSlots + slot] = moved;
}

namespace {

// One fan triangle for each copy registered at the end, then the end's own copy is registered
// in the first empty slot (or not at all when all are taken). `outward` gives the corner order
// (moved, end, other) instead of (moved, other, end).
void Fan(CartoonBatch& batch, CartoonJoins& joins, const BandEnd& end, bool outward, bool mergeDepth) {
  if (end.meshVertex == BandEnd::kNoJoin) return;
  const WORD* slots = joins.At(end.meshVertex);
  int i = 0;
  for (; i < CartoonJoins::kSlots && slots[i] != CartoonJoins::kEmpty; ++i) {
    const WORD other = slots[i];
    if (outward)
      batch.AddTriangle(end.moved, end.vertex, other);
    else
      batch.AddTriangle(end.moved, other, end.vertex);
    if (mergeDepth) {
      D3DTLVERTEX &a = batch.Vertex(other), &b = batch.Vertex(end.moved);
      a.sz = b.sz = std::min(a.sz, b.sz);
    }
  }
  if (i < CartoonJoins::kSlots) joins.Register(end.meshVertex, i, end.moved);
}

}  // namespace

void AddBand(CartoonBatch& batch, CartoonJoins& joins, const BandEnd& p, const BandEnd& q, bool positive,
             bool mergeDepth) {
  if (positive)
    batch.AddTriangle(p.moved, q.vertex, p.vertex);
  else
    batch.AddTriangle(p.moved, p.vertex, q.vertex);
  Fan(batch, joins, p, positive, mergeDepth);
  if (positive)
    batch.AddTriangle(q.moved, q.vertex, p.moved);
  else
    batch.AddTriangle(q.moved, p.moved, q.vertex);
  Fan(batch, joins, q, !positive, mergeDepth);
}
