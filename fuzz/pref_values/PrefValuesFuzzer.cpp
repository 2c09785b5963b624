// Preference values are the user's to edit: any stored text must read as its kind or be replaced
// by the default, and what a read leaves in the store must read back as the same value.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/Preferences.h"
#include "platform/win/ProfileStore.h"
#include "resources/ProgramResources.h"

namespace {

constexpr UINT kSection = 652, kKey = 657;  // "General", "NumberRecentScenes(0-16)"

template <class Read>
void ReadTwice(const std::string& text, Read read) {
  XWriteProfileString("General", "NumberRecentScenes(0-16)", text.c_str());
  const auto first = read();
  const auto again = read();
  if (!(first == again) && !(first != first)) std::abort();  // NaN is never read
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static MemoryProfileStore store;
  static const bool registered = (RegisterProgramResources(), true);  // keys and defaults are strings
  (void)registered;
  SetProfileStore(&store);
  // A stored value is one line of text.
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.substr(0, text.find_first_of(std::string("\r\n\0", 3)));

  ReadTwice(text, [] { UINT v; XGetPref(kSection, kKey, 658, &v); return v; });
  ReadTwice(text, [] { long v; XGetPref(kSection, kKey, 1016, &v); return v; });
  ReadTwice(text, [] { short v; XGetPref(kSection, kKey, 658, &v); return v; });
  ReadTwice(text, [] { BYTE v; XGetPref(kSection, kKey, 658, &v); return v; });
  ReadTwice(text, [] { double v; XGetPref(kSection, kKey, 685, &v); return v; });
  ReadTwice(text, [] { return XGetPrefColor(kSection, kKey, 679); });
  ReadTwice(text, [] { return XGetPrefBool(kSection, kKey, 656); });
  return 0;
}
