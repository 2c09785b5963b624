// The preference file is the user's to edit: any bytes must read without harm, and what is read
// must be written back so that it reads the same again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/win/ProfileText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ProfileData read = ProfileData::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const ProfileData::Section& section : read.Sections())
    for (const auto& [key, value] : section.entries)
      if (!IsStorableProfileEntry(section.name, key, value)) std::abort();
  if (!(ProfileData::Parse(read.Format()) == read)) std::abort();
  return 0;
}
