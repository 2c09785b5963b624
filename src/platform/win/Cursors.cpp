#include "platform/win/Cursors.h"

#include "platform/win/CursorResources.h"
#include "platform/win/ResourceTable.h"

namespace {

// A handle holds the kind in bits 16 and up and the id below; never 0.
HCURSOR MakeHandle(CursorKind kind, UINT id) {
  return reinterpret_cast<HCURSOR>((static_cast<std::uintptr_t>(kind) << 16) | id);
}

ResourceTable<CursorResource> g_cursors;

}  // namespace

void RegisterCursorResources(const CursorResource* table, std::size_t count) { g_cursors.Register(table, count); }

const CursorResource* FindCursorResource(UINT id) { return g_cursors.Find(id); }

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
