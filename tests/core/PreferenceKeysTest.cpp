#include <gtest/gtest.h>

#include "core/PreferenceKeys.h"
#include "platform/win/FileProfileStore.h"
#include "platform/win/FileReplace.h"
#include "support/FatalCheck.h"
#include "support/PlatformFakes.h"
#include "support/TemporaryFolder.h"

namespace {

// Reads a key as its users do; numbers come back as doubles.
double ReadKey(const XPrefKey& k, const char* expression = "") {
  DWORD number = 0;
  long signedNumber = 0;
  double real = 0;
  BYTE byte = 0;
  switch (k.kind) {
    case XPrefKind::Bool: return XGetPrefBool(k);
    case XPrefKind::Dword:
    case XPrefKind::Uint: XGetPrefInRange(k, &number, expression); return number;
    case XPrefKind::Long: XGetPrefInRange(k, &signedNumber, expression); return signedNumber;
    case XPrefKind::Double: XGetPrefInRange(k, &real, expression); return real;
    case XPrefKind::Byte: XGetPref(k, &byte); return byte;
    case XPrefKind::Color: return XGetPrefColor(k);
    case XPrefKind::Text: XGetPrefString(k.section, k.key, "/home/user"); return 0;
  }
  return 0;
}

TEST(PreferenceKeys, AnEmptyProfileGetsEveryKeyWithItsDefaultUnderItsExactName) {
  TemporaryFolder folder;
  FileProfileStore store(folder / "Ulmric/Tavrolin.ini");
  ProfileStore* previous = SetProfileStore(&store);
  for (const XPrefKey* k : XPref::kAll) ReadKey(*k);
  SetProfileStore(previous);

  std::string text;
  ASSERT_EQ(ReadWholeFile(store.Path(), text), FileReadStatus::ok);
  const ProfileData data = ProfileData::Parse(text);
  for (const XPrefKey* k : XPref::kAll) {
    const std::string* value = data.Find(XString(k->section).str(), XString(k->key).str());
    ASSERT_NE(value, nullptr) << k->name;
    EXPECT_EQ(*value, k->defaultId ? XString(k->defaultId).str() : "/home/user") << k->name;
  }
  EXPECT_EQ(*data.Find("General", "ShowFileToolbar(yes/no)"), "no");
}

TEST(PreferenceKeys, AValueOutsideItsUsersRangeIsReplacedByTheDefault) {
  const struct {
    const XPrefKey& key;
    const char* stored;
    double value;
  } cases[] = {
      {XPref::INTERACTIVE_MODE, "20", 1},       {XPref::INTERACTIVE_MODE, "-1", 1},
      {XPref::INTERACTIVE_MODE, "19", 19},      {XPref::GROUND_NUM_GRID_LINES, "1001", 5},
      {XPref::GROUND_NUM_GRID_LINES, "1000", 1000}, {XPref::MAXUNDOTOKEEP, "-5", 2147483647},
      {XPref::FOCAL, "0", 0.05f},               {XPref::ABOUT_CYL_RADIUS, "0.1", 0.1f},
      {XPref::ABOUT_CYL_RADIUS, "10.01", 2.0},  {XPref::COPY_IMAGE_DPI, "0", 75},
      {XPref::FSTOP, "1e10", 1e10f},
  };
  for (const auto& c : cases) {
    ScopedMemoryProfile profile;
    XWriteProfileString(XString(c.key.section), XString(c.key.key), c.stored);
    EXPECT_EQ(ReadKey(c.key), c.value) << c.key.name << " " << c.stored;
  }

  // A default outside the range is the program's error.
  ScopedMemoryProfile profile;
  XPrefKey mode = XPref::INTERACTIVE_MODE;
  mode.defaultId = XPref::MAX_FPS.defaultId;  // "12"
  mode.range = UpTo(10);
  EXPECT_FATAL(ReadKey(mode, "interactiveMode < numberInteractiveModes"), "interactiveMode < numberInteractiveModes",
               "Invalid default preference resource string IDS_PREF_DEF_INTERACTIVE_MODE");
  XPrefKey radius = XPref::ABOUT_CYL_RADIUS;
  radius.defaultId = XPref::DISPLAY_WIDTH.defaultId;  // "10.5"
  EXPECT_FATAL(ReadKey(radius, "radius"), "radius",
               "Default preference string resource IDS_PREF_DEF_ABOUT_CYL_RADIUS is not valid");
}

}  // namespace
