#include "core/DivideTable.h"

#include <memory>

namespace {

const BYTE* BuildDivideTable(unsigned n) {
  // Owned for the whole run; built once at start-up, in the order of the declarations below.
  static std::unique_ptr<BYTE[]> tables[13];
  static int built = 0;
  std::unique_ptr<BYTE[]>& table = tables[built++];
  table = std::make_unique<BYTE[]>(256 * n);
  for (unsigned i = 256 * n; i-- > 0;) table[i] = static_cast<BYTE>((i + (n - 1) / 2) / n);
  return table.get();
}

}  // namespace

const BYTE* const DivideTable3 = BuildDivideTable(3);
const BYTE* const DivideTable9 = BuildDivideTable(9);
const BYTE* const DivideTable15 = BuildDivideTable(15);
const BYTE* const DivideTable25 = BuildDivideTable(25);
const BYTE* const DivideTable35 = BuildDivideTable(35);
const BYTE* const DivideTable49 = BuildDivideTable(49);
const BYTE* const DivideTable63 = BuildDivideTable(63);
const BYTE* const DivideTable81 = BuildDivideTable(81);
const BYTE* const DivideTable99 = BuildDivideTable(99);
const BYTE* const DivideTable121 = BuildDivideTable(121);
const BYTE* const DivideTable143 = BuildDivideTable(143);
const BYTE* const DivideTable169 = BuildDivideTable(169);
const BYTE* const DivideTable195 = BuildDivideTable(195);
