#include "core/Preferences.h"

#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>

#include "core/FatalError.h"
#include "core/PrefText.h"
#include "platform/win/ProfileStore.h"

namespace {

constexpr UINT kYes = 268;
constexpr UINT kNo = 269;

// How one kind of value is read: its parser and the text of the check on a default.
template <class T>
struct Kind {
  std::optional<T> (*parse)(const char* text);
  const char* defaultCheck;
};

template <class T, long long low, long long high>
std::optional<T> SignedIn(const char* text) {
  std::optional<LONG> v = ScanSigned32(text);
  if (!v || *v < low || *v > high) return std::nullopt;
  return static_cast<T>(*v);
}

template <class T, unsigned long long high>
std::optional<T> UnsignedUpTo(const char* text) {
  std::optional<DWORD> v = ScanUnsigned32(text);
  if (!v || *v > high) return std::nullopt;
  return static_cast<T>(*v);
}

template <class T>
std::optional<T> FiniteFloat(const char* text) {
  std::optional<float> v = ScanFloat(text);
  if (!v || !(*v >= -FLT_MAX && *v <= FLT_MAX)) return std::nullopt;
  return static_cast<T>(*v);
}

std::optional<COLORREF> ColorNumber(const char* text) {
  std::optional<DWORD> v = ScanUnsigned32(text);
  if (!v) return std::nullopt;
  const DWORD red = (*v / 1000000) % 1000, green = (*v / 1000) % 1000, blue = *v % 1000;
  if (red > 255 || green > 255 || blue > 255) return std::nullopt;
  return RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue));
}

std::optional<DWORD> RGBANumbers(const char* text) {
  std::optional<std::array<DWORD, 4>> v = ScanFourTriples(text);
  if (!v) return std::nullopt;
  for (DWORD part : *v)
    if (part > 255) return std::nullopt;
  const auto [red, green, blue, alpha] = *v;
  return alpha << 24 | red << 16 | green << 8 | blue;
}

constexpr Kind<short> kShort{&SignedIn<short, SHRT_MIN, SHRT_MAX>,
                             "sscanf( defStr, \"%li\", &value ) == 1 && value >= SHRT_MIN && value <= SHRT_MAX"};
constexpr Kind<int> kInt{&SignedIn<int, INT_MIN, INT_MAX>,
                         "sscanf( defStr, \"%li\", &value ) == 1 && value >= INT_MIN && value <= INT_MAX"};
constexpr Kind<long> kLong{&SignedIn<long, INT_MIN, INT_MAX>,
                           "sscanf( defStr, \"%li\", &value ) == 1 && value >= LONG_MIN && value <= LONG_MAX"};
constexpr Kind<BYTE> kByte{&UnsignedUpTo<BYTE, UCHAR_MAX>,
                           "sscanf( defStr, \"%lu\", &value ) == 1 && value <= UCHAR_MAX"};
constexpr Kind<WORD> kWord{&UnsignedUpTo<WORD, USHRT_MAX>,
                           "sscanf( defStr, \"%lu\", &value ) == 1 && value <= USHRT_MAX"};
constexpr Kind<UINT> kUint{&UnsignedUpTo<UINT, UINT_MAX>,
                           "sscanf( defStr, \"%lu\", &value ) == 1 && value <= UINT_MAX"};
constexpr Kind<DWORD> kDword{&UnsignedUpTo<DWORD, UINT_MAX>,
                            "sscanf( defStr, \"%lu\", &value ) == 1 && value <= ULONG_MAX"};
constexpr Kind<float> kFloat{&FiniteFloat<float>,
                             "sscanf( defStr, \"%g\", &value ) == 1 && value >= -FLT_MAX && value <= FLT_MAX"};
constexpr Kind<double> kDouble{&FiniteFloat<double>,
                               "sscanf( defStr, \"%g\", &value ) == 1 && value >= -DBL_MAX && value <= DBL_MAX"};
constexpr Kind<COLORREF> kColor{&ColorNumber,
                                "sscanf( defStr, \"%lu\", &val ) == 1 && (val/1000000L) % 1000 <= 255 && "
                                "(val/1000L) % 1000 <= 255 && val % 1000 <= 255"};
constexpr Kind<DWORD> kRGBA{&RGBANumbers,
                            "sscanf( defStr, \"%3lu%3lu%3lu%3lu\", &r, &g, &b, &a ) == 4 && r <= 255 && g <= 255 && "
                            "b <= 255 && a <= 255"};

XString InvalidDefault(const XString& defaultText, UINT defaultId, const XString& key, const XString& section) {
  return XString(XString("Default resource string %1 with id %2 for %3 key in %4 section is not valid"), defaultText,
                 XString(static_cast<long>(defaultId)), key, section);
}

// The stored value when it reads as the kind, else the default's, which then replaces it.
template <class T>
T Read(UINT sectionId, UINT keyId, UINT defaultId, const Kind<T>& kind) {
  const XString section(sectionId), key(keyId), defaultText(defaultId);
  const XString text = XGetProfileString(section, key, defaultText);
  if (std::optional<T> value = kind.parse(text)) return *value;
  const XString description = InvalidDefault(defaultText, defaultId, key, section);
  const std::optional<T> value = kind.parse(defaultText);
  XASSERT_TEXT(value.has_value(), kind.defaultCheck, description);
  XWriteProfileString(section, key, defaultText);
  return *value;
}

// Formats into the writers' buffer of 260 characters and stores the text.
template <class... Args>
void WriteFormatted(UINT sectionId, UINT keyId, const char* check, const char* format, Args... args) {
  char s[260];
  const int length = std::snprintf(s, sizeof s, format, args...);
  XASSERT_TEXT(length >= 0 && length < static_cast<int>(sizeof s), check, "Buffer overrun");
  XWriteProfileString(XString(sectionId), XString(keyId), s);
}

void WriteGeneral(UINT sectionId, UINT keyId, const char* check, double value) {
  WriteFormatted(sectionId, keyId, check, "%s", FormatGeneral(value).c_str());
}

}  // namespace

void XWriteProfileString(const char* section, const char* key, const char* value) {
  XASSERT(!strstr( key, "=" ), "= can not appear in a key or errors occur");
  // A value the store cannot keep is dropped: preferences never stop the program.
  CurrentProfileStore().WriteProfileString(section, key, value);
}

XString XGetProfileString(const char* section, const char* key, const char* defaultValue) {
  XASSERT(!strstr( key, "=" ), "= can not appear in a key or errors occur");
  XString text(CString(CurrentProfileStore().GetProfileString(section, key, defaultValue)));
  XWriteProfileString(section, key, text);
  return text;
}

void XWritePrefStringRes(UINT sectionId, UINT keyId, UINT valueId) {
  XWriteProfileString(XString(sectionId), XString(keyId), XString(valueId));
}

void XWritePrefString(UINT sectionId, UINT keyId, const char* text) {
  XWriteProfileString(XString(sectionId), XString(keyId), text);
}

void XWritePref(UINT sectionId, UINT keyId, const BYTE* value) {
  WriteFormatted(sectionId, keyId, "sprintf( s, \"%u\", (unsigned)*value ) < sizeof s", "%u", unsigned{*value});
}
void XWritePref(UINT sectionId, UINT keyId, const short* value) {
  WriteFormatted(sectionId, keyId, "sprintf( s, \"%i\", (int)*value ) < sizeof s", "%i", int{*value});
}
void XWritePref(UINT sectionId, UINT keyId, const WORD* value) {
  WriteFormatted(sectionId, keyId, "sprintf( s, \"%u\", (unsigned)*value ) < sizeof s", "%u", unsigned{*value});
}
void XWritePref(UINT sectionId, UINT keyId, const int* value) {
  WriteFormatted(sectionId, keyId, "sprintf( s, \"%i\", *value ) < sizeof s", "%i", *value);
}
void XWritePref(UINT sectionId, UINT keyId, const UINT* value) {
  WriteFormatted(sectionId, keyId, "sprintf( s, \"%u\", *value ) < sizeof s", "%u", *value);
}
void XWritePref(UINT sectionId, UINT keyId, const long* value) {
  // A long preference holds 32 bits wherever it is read.
  WriteFormatted(sectionId, keyId, "sprintf( s, \"%li\", *value ) < sizeof s", "%li",
                 static_cast<long>(static_cast<LONG>(*value)));
}
void XWritePref(UINT sectionId, UINT keyId, const float* value) {
  WriteGeneral(sectionId, keyId, "sprintf( s, \"%g\", (double)*value ) < sizeof s", *value);
}
void XWritePref(UINT sectionId, UINT keyId, const double* value) {
  WriteGeneral(sectionId, keyId, "sprintf( s, \"%g\", *value ) < sizeof s", *value);
}

void XWritePrefBool(UINT sectionId, UINT keyId, int value) {
  XASSERT(value == 0 || value == 1, "Invalid boolean.  Use cast to DWORD for BYTE values");
  XWritePrefStringRes(sectionId, keyId, value ? kYes : kNo);
}

void XWritePrefColor(UINT sectionId, UINT keyId, COLORREF value) {
  WriteFormatted(sectionId, keyId,
                 "sprintf( s, \"%03u%03u%03u\", GetRValue( value ), GetGValue( value ), GetBValue( value ) ) "
                 "< sizeof s",
                 "%03u%03u%03u", unsigned{GetRValue(value)}, unsigned{GetGValue(value)}, unsigned{GetBValue(value)});
}

void XWritePrefRGBA(UINT sectionId, UINT keyId, DWORD value) {
  WriteFormatted(sectionId, keyId,
                 "sprintf( s, \"%03u%03u%03u%03u\", (value>>16)&0xFF, (value>>8)&0xFF, value&0xFF, value>>24 ) "
                 "< sizeof s",
                 "%03u%03u%03u%03u", (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF, value >> 24);
}

XString XGetPrefString(UINT sectionId, UINT keyId, const char* defaultText) {
  const XString section(sectionId), key(keyId), defaultValue(defaultText);
  const XString text = XGetProfileString(section, key, defaultValue);
  if (!text.IsEmpty()) return text;
  const XString description(XString("Default resource string %1 for %2 key in %3 section is not valid"), defaultValue,
                            key, section);
  XASSERT_TEXT(!defaultValue.IsEmpty(), "!defStr.IsEmpty()", description);
  XWriteProfileString(section, key, defaultValue);
  return defaultValue;
}

XString XGetPrefStringRes(UINT sectionId, UINT keyId, UINT defaultId) {
  const XString section(sectionId), key(keyId), defaultValue(defaultId);
  const XString text = XGetProfileString(section, key, defaultValue);
  if (!text.IsEmpty()) return text;
  XASSERT_TEXT(!defaultValue.IsEmpty(), "!defStr.IsEmpty()", InvalidDefault(defaultValue, defaultId, key, section));
  XWriteProfileString(section, key, defaultValue);
  return defaultValue;
}

void XGetPref(UINT s, UINT k, UINT d, short* value) { *value = Read(s, k, d, kShort); }
void XGetPref(UINT s, UINT k, UINT d, int* value) { *value = Read(s, k, d, kInt); }
void XGetPref(UINT s, UINT k, UINT d, long* value) { *value = Read(s, k, d, kLong); }
void XGetPref(UINT s, UINT k, UINT d, BYTE* value) { *value = Read(s, k, d, kByte); }
void XGetPref(UINT s, UINT k, UINT d, WORD* value) { *value = Read(s, k, d, kWord); }
void XGetPref(UINT s, UINT k, UINT d, UINT* value) { *value = Read(s, k, d, kUint); }
void XGetPrefDword(UINT s, UINT k, UINT d, DWORD* value) { *value = Read(s, k, d, kDword); }
void XGetPref(UINT s, UINT k, UINT d, float* value) { *value = Read(s, k, d, kFloat); }
void XGetPref(UINT s, UINT k, UINT d, double* value) { *value = Read(s, k, d, kDouble); }
COLORREF XGetPrefColor(UINT s, UINT k, UINT d) { return Read(s, k, d, kColor); }
DWORD XGetPrefRGBA(UINT s, UINT k, UINT d) { return Read(s, k, d, kRGBA); }

bool XGetPrefBool(UINT sectionId, UINT keyId, UINT defaultId) {
  const XString section(sectionId), key(keyId), defaultText(defaultId), yes(kYes), no(kNo);
  const XString text = XGetProfileString(section, key, defaultText);
  if (text == yes || text == no) return text == yes;
  const XString description = InvalidDefault(defaultText, defaultId, key, section);
  XASSERT_TEXT(defaultText == yes || defaultText == no, "defStr == yes || defStr == no", description);
  XWriteProfileString(section, key, defaultText);
  return defaultText == yes;
}
