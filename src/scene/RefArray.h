// A counted holder of one heap array of a mesh's cartoon edge data. The mesh objects that share
// one mesh share its holders; the array is freed with the last holder.
#pragma once

#include "core/Pointers.h"

class RefArray : public Myself {
 public:
  RefArray() = default;
  ~RefArray() override = default;
};
