#include "platform/win/Cursors.h"

#include <algorithm>

#include "platform/win/CursorResources.h"

namespace {

// A handle holds the kind in bits 16 and up and the id below; never 0.
HCURSOR MakeHandle(CursorKind kind, UINT id) {
  return reinterpret_cast<HCURSOR>((static_cast<std::uintptr_t>(kind) << 16) | id);
}

struct Table {
  const CursorResource* entries = nullptr;
  std::size_t count = 0;
};
Table g_table;

}  // namespace

void RegisterCursorResources(const CursorResource* table, std::size_t count) { g_table = {table, count}; }

const CursorResource* FindCursorResource(UINT id) {
  const CursorResource* end = g_table.entries + g_table.count;
  const CursorResource* it =
      std::lower_bound(g_table.entries, end, id, [](const CursorResource& c, UINT key) { return c.id < key; });
  return it != end && it->id == id ? it : nullptr;
}

HCURSOR LoadCursorResource(UINT id) {
  return FindCursorResource(id) ? MakeHandle(CursorKind::resource, id) : nullptr;
}

HCURSOR LoadStandardCursor(LPCSTR name) {
  return name == IDC_ARROW ? MakeHandle(CursorKind::standard, 32512) : nullptr;
}

CursorName DescribeCursor(HCURSOR cursor) {
  auto bits = reinterpret_cast<std::uintptr_t>(cursor);
  auto kind = static_cast<CursorKind>(bits >> 16);
  auto id = static_cast<UINT>(bits & 0xFFFF);
  bool known = (kind == CursorKind::resource && FindCursorResource(id)) ||
               (kind == CursorKind::standard && id == 32512);
  return known ? CursorName{kind, id} : CursorName{CursorKind::none, 0};
}
