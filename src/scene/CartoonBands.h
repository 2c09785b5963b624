// The bands of cartoon lines: two triangles along a line, from its ends P and Q to their copies
// P' and Q' moved sideways by the line's width, and join fans that fill the wedge between bands
// of one batch meeting at one mesh vertex.
#pragma once

#include <vector>

#include "scene/CartoonExecute.h"

// Eight slots per mesh vertex, each holding the moved copy of a band end made at that vertex in
// the current batch.
class CartoonJoins {
 public:
  static constexpr WORD kEmpty = 0xFFFF;
  static constexpr int kSlots = 8;

  explicit CartoonJoins(DWORD vCount) : slots_(std::size_t{vCount} * kSlots, kEmpty) {}
  // Empties every slot used since the last call, for the next batch.
  void Clear();
  const WORD* At(DWORD vertexNumber) const { return &slots_[std::size_t{vertexNumber} * kSlots]; }
  // Stores `moved` in the vertex's slot `slot`, the first empty one.
  void Register(DWORD vertexNumber, int slot, WORD moved);

 private:
  std::vector<WORD> slots_;
  std::vector<DWORD> used_;
};

struct BandEnd {
  // An end cut at the front plane meets no other band there.
  static constexpr DWORD kNoJoin = 0xFFFFFFFF;

  WORD vertex;        // the projected end in the batch
  WORD moved;         // its moved copy
  DWORD meshVertex;   // the mesh vertex the joins are kept at, or kNoJoin
};

// Emits the band's two triangles and the join fans at both ends, registering the moved copies.
// `positive` is whether the sign of the band's side is above 0; it chooses the corner order so
// that every triangle of every band turns the same way on the screen. With `mergeDepth` each
// fan's two outer vertices both take the nearer of their depths.
void AddBand(CartoonBatch& batch, CartoonJoins& joins, const BandEnd& p, const BandEnd& q, bool positive,
             bool mergeDepth);
