#include "platform/win/StringResources.h"

#include <algorithm>

namespace {

struct Table {
  const StringResource* entries = nullptr;
  std::size_t count = 0;
};
Table g_table;

}  // namespace

void RegisterStringResources(const StringResource* table, std::size_t count) { g_table = {table, count}; }

const char* FindStringResource(UINT id) {
  const StringResource* end = g_table.entries + g_table.count;
  const StringResource* it =
      std::lower_bound(g_table.entries, end, id, [](const StringResource& e, UINT key) { return e.id < key; });
  return (it != end && it->id == id) ? it->text : nullptr;
}
