#include "platform/win/StringResources.h"

#include "platform/win/ResourceTable.h"

namespace {

ResourceTable<StringResource> g_strings;

}  // namespace

void RegisterStringResources(const StringResource* table, std::size_t count) { g_strings.Register(table, count); }

const char* FindStringResource(UINT id) {
  const StringResource* entry = g_strings.Find(id);
  return entry ? entry->text : nullptr;
}
