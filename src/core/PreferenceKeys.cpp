#include "core/PreferenceKeys.h"

#include <string>

#include "core/FatalError.h"

void XPrefRangeCheck(const XPrefKey& k, bool valid, const char* expression) {
  if (valid) return;
  const std::string description =
      k.range.description ? k.range.description
                          : std::string("Invalid default preference resource string IDS_PREF_DEF_") + k.name;
  XASSERT_TEXT(false, expression, description.c_str());
}
