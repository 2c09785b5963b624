#include <gtest/gtest.h>

#include <functional>
#include <iomanip>
#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "core/Preferences.h"
#include "platform/win/FileProfileStore.h"
#include "platform/win/FileReplace.h"
#include "support/FatalCheck.h"
#include "support/PlatformFakes.h"
#include "support/TemporaryFolder.h"

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
      {"256", Number<BYTE>(kDefault8), "8", "8"},
      {"2147483648", Number<long>(kDefaultMinus2), "-2", "-2"},
      {"0x10", Number<int>(kDefaultMinus2), "16", nullptr},
      {"0.1", Number<double>(kDefaultWidth), "0.10000000149011612", nullptr},
      {"1e300", Number<double>(kDefaultWidth), "10.5", "10.5"},
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

  // A default that is no number fails with the check of the kind it is read as; a key read by
  // its own kind reads a UINT and a DWORD, one type here, each with its own check.
  XPrefKey asDword = XPref::NUM_MRU, asUint = XPref::NUM_MRU;
  asDword.defaultId = asUint.defaultId = kDefaultYes;
  asUint.kind = XPrefKind::Uint;
  DWORD number = 0;
  const std::pair<std::function<void()>, const char*> numbers[] = {
      {Number<WORD>(kDefaultYes), "sscanf( defStr, \"%lu\", &value ) == 1 && value <= USHRT_MAX"},
      {Number<UINT>(kDefaultYes), "sscanf( defStr, \"%lu\", &value ) == 1 && value <= UINT_MAX"},
      {[&] { XGetPrefDword(kSection, kKey, kDefaultYes, &number); },
       "sscanf( defStr, \"%lu\", &value ) == 1 && value <= ULONG_MAX"},
      {[&] { XGetPref(asDword, &number); }, "sscanf( defStr, \"%lu\", &value ) == 1 && value <= ULONG_MAX"},
      {[&] { XGetPref(asUint, &number); }, "sscanf( defStr, \"%lu\", &value ) == 1 && value <= UINT_MAX"},
      {Number<long>(kDefaultYes), "sscanf( defStr, \"%li\", &value ) == 1 && value >= LONG_MIN && value <= LONG_MAX"},
  };
  for (const auto& [read, check] : numbers) {
    XWriteProfileString("General", "NumberRecentScenes(0-16)", "");
    EXPECT_FATAL(read(), check,
                 "Default resource string yes with id 656 for NumberRecentScenes(0-16) key in General section is not "
                 "valid");
  }
}

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

// Every key with its default text, as the preference tables give them.
constexpr const char* kDefaults = R"([General]
Direct3DSoftwareOnlyDriver(yes/no)=yes
NumberRecentScenes(0-16)=8
ShowMainToolbar(yes/no)=yes
ShowInteractiveToolbar(yes/no)=yes
ShowAdvancedToolbar(yes/no)=yes
ShowFileToolbar(yes/no)=no
ShowStatusBar(yes/no)=yes
ShowBeginnerToolbar(yes/no)=yes
InteractiveMode(0-20)=1
GroundTrackSceneExtents(yes/no)=yes
GroundNumGridLines(>eq0)=5
Ground50PercentTransparent(yes/no)=no
GroundColor(rrrgggbbb)=255128000
ShowGround(yes/no)=no
ComputerDisplayWidth(1.0-1200.0inches)=10.5
CurrentDirectory=/home/user
DitherAlways(yes/no)=yes
Warn256ColorDisplay(yes/no)=yes
[NewScenes]
SaveEditHistory(yes/no)=yes
MaxUndoToKeep(0-2147483647)=2147483647
AmbientColor(rrrgggbbb)=064064064
SunlightColor(rrrgggbbb)=191191191
[StatusBar]
BlinkDuration(ms)=1500
Blink(yes/no)=yes
Expand(yes/no)=yes
[NewNonClonedCameraWindows]
CameraFocalLength(meters>0)=0.050
BackgroundColor(rrrgggbbb)=192192192
CameraOrthographicProjectionModeHeight(meters>0)=1.0
CameraOrthographicProjectionMode(yes/no)=no
CameraFrontClippingPlaneDistance(meters>0)=0.1
AutoFocusSelected(yes/no)=no
CameraFocusDistance(meters>0.0)=1.0
AutoAperatureWhenAutoFocusSelected(yes/no)=no
CameraApertureFstop(>eq0.0,0.0isInfinity)=0.0
LinearInsteadOfAperatureModelWhenAutoAperatureAndFocusSelected(yes/no)=yes
LinearModelSensitivity(1-10)=8
[Interactive]
PushPullObjectParallel(yes/no)=no
RotateWithTracking(yes/no)=no
AboutCylinderRadius(percent,0.1-10.0)=2.0
AboutCylinder50PercentTransparent(yes/no)=no
AboutCylinderColor(rrrgggbbb)=000000255
MaximumUpdates(fps,1-64)=12
MinimumUpdates(fps,0-24)=4
ObjectQualityBias=-2
ObjectQuality256Colors(yes/no)=yes
ObjectQualityAlreadySetup(yes/no)=no
[FrontBackTopBottomLeftRightWindows]
TrackSceneExtents(yes/no)=yes
[CopyImage]
SoftenJaggedEdges(yes/no)=yes
DotsPerInchResolution(1-4800)=75
UseDotsPerInchResolution(yes/no)=no
)";

TEST(PreferenceKeys, AnEmptyProfileGetsEveryKeyWithItsDefaultUnderItsExactName) {
  TemporaryFolder folder;
  FileProfileStore store(folder / "Ulmric/Tavrolin.ini");
  ProfileStore* previous = SetProfileStore(&store);
  for (const XPrefKey* k : XPref::kAll) ReadKey(*k);
  SetProfileStore(previous);

  std::string text;
  ASSERT_EQ(ReadWholeFile(store.Path(), text), FileReadStatus::ok);
  const ProfileData written = ProfileData::Parse(text), expected = ProfileData::Parse(kDefaults);
  std::size_t keys = 0;
  for (const ProfileData::Section& section : expected.Sections())
    for (const auto& [key, value] : section.entries) {
      const std::string* stored = written.Find(section.name, key);
      EXPECT_EQ(stored ? *stored : "(missing)", value) << section.name << " " << key;
      ++keys;
    }
  EXPECT_EQ(keys, std::size(XPref::kAll));
}

TEST(PreferenceKeys, AValueOutsideItsUsersRangeIsReplacedByTheDefault) {
  const struct {
    const XPrefKey& key;
    std::vector<std::pair<const char*, double>> readAs;  // stored text, value read
  } cases[] = {
      // Each limit the users check, as the preference tables give it, and one step past it.
      {XPref::NUM_MRU, {{"16", 16}, {"17", 8}}},
      {XPref::INTERACTIVE_MODE, {{"19", 19}, {"20", 1}, {"-1", 1}}},
      {XPref::DISPLAY_WIDTH, {{"1.0", 1.0}, {"0.99", 10.5}, {"1200.0", 1200.0}, {"1200.01", 10.5}}},
      {XPref::MAXUNDOTOKEEP, {{"0", 0}, {"-1", 2147483647}}},
      {XPref::FOCAL, {{"0", 0.05f}, {"0.0001", 0.0001f}}},
      {XPref::HEIGHT, {{"0", 1.0}}},
      {XPref::FRONT, {{"0", 0.1f}}},
      {XPref::FOCUS, {{"0", 1.0}, {"1e10", 1e10}, {"1.1e10", 1.0}}},
      {XPref::FSTOP, {{"0", 0.0}, {"-0.001", 0.0}, {"1e9", 1e9}, {"1e10", 0.0}}},
      {XPref::ABOUT_CYL_RADIUS, {{"0.1", 0.1f}, {"0.099", 2.0}, {"10.0", 10.0}, {"10.01", 2.0}}},
      {XPref::MAX_FPS, {{"1", 1}, {"0", 12}, {"64", 64}, {"65", 12}}},
      {XPref::MIN_FPS, {{"24", 24}, {"25", 4}}},
      {XPref::COPY_IMAGE_DPI, {{"1", 1}, {"0", 75}}},
      // Beyond the tables: a grid line count that no ground could be built with.
      {XPref::GROUND_NUM_GRID_LINES, {{"1000", 1000}, {"1001", 5}}},
  };
  for (const auto& c : cases) {
    for (const auto& [stored, value] : c.readAs) {
      ScopedMemoryProfile profile;
      XWriteProfileString(XString(c.key.section), XString(c.key.key), stored);
      EXPECT_EQ(ReadKey(c.key), value) << c.key.name << " " << stored;
    }
  }

  // A default outside the range is the program's error.
  ScopedMemoryProfile profile;
  XPrefKey mode = XPref::INTERACTIVE_MODE;
  mode.defaultId = XPref::MAX_FPS.defaultId;  // "12"
  mode.range = UpTo(10);
  EXPECT_FATAL(ReadKey(mode, "interactiveMode < numberInteractiveModes"), "interactiveMode < numberInteractiveModes",
               "Invalid default preference resource string IDS_PREF_DEF_INTERACTIVE_MODE");
}

TEST(Globals, InitGlobalsCapturesTheSystemAndThePreferences) {
  ScopedMemoryProfile profile;
  ScopedSystemInfo system;
  system->doubleClickTime = 300;
  system->dragDistance = {3, 5};
  profile->WriteProfileString("Interactive", "RotateWithTracking(yes/no)", "yes");
  InitGlobals();
  using namespace Globals;
  EXPECT_EQ(std::make_tuple(Globals::GetDoubleClickTime(), GetDragWidth(), GetDragHeight(), GetRotateWithTracking(),
                            GetPushPullObjectParallel(), GetMaxFps()),
            std::make_tuple(300u, 3, 5, true, false, 12u));
  system->doubleClickTime = 700;  // the user changed it meanwhile
  InitGlobals();
  EXPECT_EQ(Globals::GetDoubleClickTime(), 700u);
}

}  // namespace
