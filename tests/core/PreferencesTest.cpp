#include <gtest/gtest.h>

#include <functional>
#include <iomanip>
#include <sstream>

#include "core/Preferences.h"
#include "support/FatalCheck.h"
#include "support/PlatformFakes.h"

namespace {

// Every case reads section "General", key "NumberRecentScenes(0-16)", with the default it names.
constexpr UINT kSection = 652, kKey = 657;
constexpr UINT kDefault8 = 658, kDefaultYes = 656, kDefaultColor = 679, kDefaultWidth = 685, kDefaultMinus2 = 1016;

std::string Stored(ScopedMemoryProfile& profile) {
  return *profile->Data().Find("General", "NumberRecentScenes(0-16)");
}

template <class T>
std::function<std::string()> Number(UINT defaultId) {
  return [defaultId] {
    T value{};
    XGetPref(kSection, kKey, defaultId, &value);
    std::ostringstream text;
    text << std::setprecision(17) << +value;
    return text.str();
  };
}

TEST(Preferences, StoredTextsReadAsTheirKindOrAreReplacedByTheDefault) {
  const auto color = [] { return std::to_string(XGetPrefColor(kSection, kKey, kDefaultColor)); };
  const auto rgba = [] { return std::to_string(XGetPrefRGBA(kSection, kKey, kDefaultColor)); };
  const auto yesNo = [] { return std::to_string(XGetPrefBool(kSection, kKey, kDefaultYes)); };
  const struct {
    const char* stored;
    std::function<std::string()> read;
    std::string value;
    const char* storedAfter;  // nullptr: the stored text stays
  } cases[] = {
      {" 12 fps", Number<UINT>(kDefault8), "12", nullptr},
      {"fps", Number<UINT>(kDefault8), "8", "8"},
      {"-1", Number<UINT>(kDefault8), "4294967295", nullptr},
      {"4294967296", Number<UINT>(kDefault8), "8", "8"},
      {"-1", Number<WORD>(kDefault8), "8", "8"},
      {"256", Number<BYTE>(kDefault8), "8", "8"},
      {"2147483648", Number<long>(kDefaultMinus2), "-2", "-2"},
      {"0x10", Number<int>(kDefaultMinus2), "16", nullptr},
      {"0.1", Number<double>(kDefaultWidth), "0.10000000149011612", nullptr},
      {"1e300", Number<double>(kDefaultWidth), "10.5", "10.5"},
      {"064064064", color, std::to_string(RGB(64, 64, 64)), nullptr},
      {"255255255", color, std::to_string(RGB(255, 255, 255)), nullptr},
      {"256000000", color, std::to_string(RGB(255, 128, 0)), "255128000"},
      {"255256000", color, std::to_string(RGB(255, 128, 0)), "255128000"},
      {"000000256", color, std::to_string(RGB(255, 128, 0)), "255128000"},
      {"1255128000", color, std::to_string(RGB(255, 128, 0)), nullptr},
      {"255128000064", rgba, std::to_string(0x40FF8000u), nullptr},
      {"Yes", yesNo, "1", "yes"},
  };
  for (const auto& c : cases) {
    ScopedMemoryProfile profile;
    XWriteProfileString("General", "NumberRecentScenes(0-16)", c.stored);
    EXPECT_EQ(c.read(), c.value) << '"' << c.stored << '"';
    EXPECT_EQ(Stored(profile), c.storedAfter ? c.storedAfter : c.stored) << '"' << c.stored << '"';
  }
}

TEST(Preferences, WritersUseTheStoredFormsAndAnInvalidDefaultIsFatal) {
  ScopedMemoryProfile profile;
  const float third = 1.0f / 3;
  const long bias = -4;
  const UINT all = 0xFFFFFFFF;
  const std::pair<std::function<void()>, const char*> writes[] = {
      {[] { XWritePrefColor(kSection, kKey, RGB(0, 0, 255)); }, "000000255"},
      {[] { XWritePrefRGBA(kSection, kKey, 0x01020304); }, "002003004001"},
      {[] { XWritePrefBool(kSection, kKey, 1); }, "yes"},
      {[&] { XWritePref(kSection, kKey, &third); }, "0.333333"},
      {[&] { XWritePref(kSection, kKey, &bias); }, "-4"},
      {[&] { XWritePref(kSection, kKey, &all); }, "4294967295"},
  };
  for (const auto& [write, text] : writes) {
    write();
    EXPECT_EQ(Stored(profile), text);
  }
  EXPECT_FATAL(XWritePrefBool(kSection, kKey, 255), "value == 0 || value == 1",
               "Invalid boolean.  Use cast to DWORD for BYTE values");
  EXPECT_FATAL(XWriteProfileString("General", "a=b", "1"), "!strstr( key, \"=\" )",
               "= can not appear in a key or errors occur");

  EXPECT_FATAL(XGetPrefBool(kSection, kKey, kDefault8), "defStr == yes || defStr == no",
               "Default resource string 8 with id 658 for NumberRecentScenes(0-16) key in General section is not "
               "valid");
  profile->WriteProfileString("General", "NumberRecentScenes(0-16)", "x");
  EXPECT_FATAL(XGetPrefColor(kSection, kKey, kDefaultMinus2),
               "sscanf( defStr, \"%lu\", &val ) == 1 && (val/1000000L) % 1000 <= 255 && "
               "(val/1000L) % 1000 <= 255 && val % 1000 <= 255",
               "Default resource string -2 with id 1016 for NumberRecentScenes(0-16) key in General section is not "
               "valid");
  profile->WriteProfileString("General", "NumberRecentScenes(0-16)", "");
  EXPECT_FATAL(XGetPrefString(kSection, kKey, ""), "!defStr.IsEmpty()",
               "Default resource string  for NumberRecentScenes(0-16) key in General section is not valid");
}

}  // namespace
