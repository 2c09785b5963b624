#include "platform/win/StringResources.h"

#include <algorithm>

const char* FindStringResource(UINT id) {
  const StringResource* end = kStringResources + kStringResourceCount;
  const StringResource* it =
      std::lower_bound(kStringResources, end, id, [](const StringResource& e, UINT key) { return e.id < key; });
  return (it != end && it->id == id) ? it->text : nullptr;
}
