// Every preference the program keeps: its section, key and default text (string-table ids), the
// kind it is stored as (Preferences.h) and, where its users allow less than the kind, the range
// they accept. The key names carry their range or kind in parentheses ("InteractiveMode(0-20)")
// and are stored exactly as written.
#pragma once

#include <limits>
#include <type_traits>

#include "core/Preferences.h"

enum class XPrefKind { Bool, Byte, Dword, Uint, Long, Double, Color, Text };

// The values a key's users accept. A value outside is replaced by the default; a default
// outside is fatal with `description`, or "Invalid default preference resource string
// IDS_PREF_DEF_<name>" when that is null.
struct XPrefRange {
  bool limited = false;
  double low = 0;
  double high = 0;
  bool lowExclusive = false;
  const char* description = nullptr;

  constexpr bool Contains(double v) const { return !limited || ((lowExclusive ? v > low : v >= low) && v <= high); }
};

constexpr XPrefRange kAnyValue{};
constexpr XPrefRange Between(double low, double high, const char* description = nullptr) {
  return {true, low, high, false, description};
}
constexpr XPrefRange UpTo(double high) { return Between(0, high); }
constexpr XPrefRange AtLeast(double low) { return Between(low, std::numeric_limits<double>::infinity()); }
constexpr XPrefRange Above(double low, double high = std::numeric_limits<double>::infinity()) {
  return {true, low, high, true, nullptr};
}

// The focal lengths, orthographic heights and front clipping distances every camera window renders
// with: the lengths a camera keeps in a scene file. Single precision fails a window past them: from
// 2^30 m (just above 1e9) an orthographic back plane, 65.535 m behind the front, can round to the
// front; from 6.8e34 m a perspective one, 5000 times the front, overflows; a focal length near
// 1e-42 m overflows the perspective field, and a height or front near 1e-45 m makes a field of zero.
constexpr XPrefRange kCameraLength = Between(1e-9, 1e9);
// The focus distances and f-stops a scene file keeps; a focus of 0 is read as the default.
constexpr XPrefRange kCameraFocus = Above(0.0, 1e10);
constexpr XPrefRange kCameraFStop = Between(0.0, 1e9);

struct XPrefKey {
  const char* name;  // the default's short name
  UINT section;
  UINT key;
  UINT defaultId;  // 0: the default is not a string-table text
  XPrefKind kind;
  XPrefRange range;
};

// name, section, key, default, kind, range
#define XPREF_KEY_TABLE(X)                                                                   \
  X(SOFTWARE_ONLY_DRIVER, 652, 655, 656, Bool, kAnyValue)                                    \
  X(NUM_MRU, 652, 657, 658, Dword, UpTo(16))                                                 \
  X(SHOW_MAIN_TOOLBAR, 652, 659, 660, Bool, kAnyValue)                                       \
  X(SHOW_INTERACTIVE_TOOLBAR, 652, 661, 662, Bool, kAnyValue)                                \
  X(SHOW_ADVANCED_TOOLBAR, 652, 663, 664, Bool, kAnyValue)                                   \
  X(SHOW_FILE_TOOLBAR, 652, 665, 667, Bool, kAnyValue)                                       \
  X(SHOW_STATUS_BAR, 652, 668, 669, Bool, kAnyValue)                                         \
  X(SHOW_BEGINNER_TOOLBAR, 652, 682, 683, Bool, kAnyValue)                                   \
  X(INTERACTIVE_MODE, 652, 670, 671, Uint, UpTo(19))                                         \
  X(GROUND_TRACK_SCENE_EXTENTS, 652, 672, 673, Bool, kAnyValue)                              \
  X(GROUND_NUM_GRID_LINES, 652, 674, 675, Dword, UpTo(1000))                                 \
  X(GROUND_TRANSPARENT, 652, 676, 677, Bool, kAnyValue)                                      \
  X(GROUND_COLOR, 652, 678, 679, Color, kAnyValue)                                           \
  X(SHOW_GROUND, 652, 680, 681, Bool, kAnyValue)                                             \
  X(DISPLAY_WIDTH, 652, 684, 685, Double, Between(1.0, 1200.0))                              \
  X(CURRENT_DIRECTORY, 652, 686, 0, Text, kAnyValue)                                         \
  X(DITHER_ALWAYS, 652, 688, 689, Bool, kAnyValue)                                           \
  X(WARN_256_COLOR_DISPLAY, 652, 690, 691, Bool, kAnyValue)                                  \
  X(SAVE_EDIT_HISTORY, 700, 701, 702, Bool, kAnyValue)                                       \
  X(MAXUNDOTOKEEP, 700, 703, 704, Long, AtLeast(0))                                          \
  X(AMBIENT_COLOR, 700, 705, 706, Color, kAnyValue)                                          \
  X(SUNLIGHT_COLOR, 700, 709, 710, Color, kAnyValue)                                         \
  X(BLINK_DURATION, 800, 801, 802, Dword, kAnyValue)                                         \
  X(BLINK, 800, 803, 804, Bool, kAnyValue)                                                   \
  X(EXPAND, 800, 805, 806, Bool, kAnyValue)                                                  \
  X(FOCAL, 900, 901, 902, Double, kCameraLength)                                             \
  X(BACKGROUND_COLOR, 900, 903, 904, Color, kAnyValue)                                       \
  X(HEIGHT, 900, 905, 906, Double, kCameraLength)                                            \
  X(ORTHOGRAPHIC, 900, 907, 908, Bool, kAnyValue)                                            \
  X(FRONT, 900, 909, 910, Double, kCameraLength)                                             \
  X(AUTO_FOCUS_SELECTED, 900, 911, 912, Bool, kAnyValue)                                     \
  X(FOCUS, 900, 913, 914, Double, kCameraFocus)                                              \
  X(AUTO_APERTURE, 900, 915, 916, Bool, kAnyValue)                                           \
  X(FSTOP, 900, 917, 918, Double, kCameraFStop)                                              \
  X(LINEAR_MODEL, 900, 919, 920, Bool, kAnyValue)                                            \
  X(LINEAR_MODEL_SENSITIVITY, 900, 921, 922, Byte, kAnyValue)                                \
  X(PUSH_PULL_OBJECT_PARALLEL, 1000, 1001, 1002, Bool, kAnyValue)                            \
  X(ROTATE_WITH_TRACKING, 1000, 1003, 1004, Bool, kAnyValue)                                 \
  X(ABOUT_CYL_RADIUS, 1000, 1005, 1006, Double,                                              \
    Between(0.1, 10.0, "Default preference string resource IDS_PREF_DEF_ABOUT_CYL_RADIUS is not valid")) \
  X(ABOUT_CYL_TRANSPARENT, 1000, 1007, 1008, Bool, kAnyValue)                                \
  X(ABOUT_CYL_COLOR, 1000, 1009, 1010, Color, kAnyValue)                                     \
  X(MAX_FPS, 1000, 1011, 1012, Dword, Between(1, 64))                                        \
  X(MIN_FPS, 1000, 1013, 1014, Dword, UpTo(24))                                              \
  X(OBJECT_QUALITY_BIAS, 1000, 1015, 1016, Long, kAnyValue)                                  \
  X(OBJECT_QUALITY_256_COLORS, 1000, 1017, 1018, Bool, kAnyValue)                            \
  X(OBJECT_QUALITY_ALREADY_SETUP, 1000, 1019, 1020, Bool, kAnyValue)                         \
  X(TRACK_SCENE_EXTENTS, 1100, 1101, 1102, Bool, kAnyValue)                                  \
  X(SOFTEN_JAGGED_EDGES, 1150, 1151, 1152, Bool, kAnyValue)                                  \
  X(COPY_IMAGE_DPI, 1150, 1153, 1154, Dword, Between(1, 4800))                                \
  X(USE_DPI, 1150, 1155, 1156, Bool, kAnyValue)

namespace XPref {
#define XPREF_DECLARE(name, section, key, defaultId, kind, range) \
  inline constexpr XPrefKey name{#name, section, key, defaultId, XPrefKind::kind, range};
XPREF_KEY_TABLE(XPREF_DECLARE)
#undef XPREF_DECLARE

#define XPREF_LIST(name, section, key, defaultId, kind, range) &name,
inline constexpr const XPrefKey* kAll[] = {XPREF_KEY_TABLE(XPREF_LIST)};
#undef XPREF_LIST
}  // namespace XPref

// The typed access of Preferences.h by key.
inline bool XGetPrefBool(const XPrefKey& k) { return XGetPrefBool(k.section, k.key, k.defaultId); }
inline COLORREF XGetPrefColor(const XPrefKey& k) { return XGetPrefColor(k.section, k.key, k.defaultId); }
template <class T>
void XGetPref(const XPrefKey& k, T* value) {
  if constexpr (std::is_same_v<T, DWORD>)
    if (k.kind == XPrefKind::Dword) return XGetPrefDword(k.section, k.key, k.defaultId, value);
  XGetPref(k.section, k.key, k.defaultId, value);
}
// Resets the key to its default text.
inline void XResetPref(const XPrefKey& k) { XWritePrefStringRes(k.section, k.key, k.defaultId); }

// The fatal check of a default outside its key's range.
void XPrefRangeCheck(const XPrefKey& k, bool valid, const char* expression);

// Reads a number whose users accept only the key's range: a value outside it is replaced by the
// default (the key is reset and read again); a default outside it is the fatal check
// `expression`.
template <class T>
void XGetPrefInRange(const XPrefKey& k, T* value, const char* expression) {
  XGetPref(k, value);
  if (k.range.Contains(static_cast<double>(*value))) return;
  XResetPref(k);
  XGetPref(k, value);
  XPrefRangeCheck(k, k.range.Contains(static_cast<double>(*value)), expression);
}
