// Typed preferences. A preference is named by three string-table ids: its section, its key and
// its default text. Every value read is written back, so the store shows every key in use; a
// stored value that is empty, does not read as its kind or lies outside the kind's range is
// replaced by the default, in the store too; a default that does not read is a fatal check.
//
// Stored forms: BYTE, WORD and UINT "%u", short and int "%i", long "%li", DWORD "%lu" (read back
// as 32-bit numbers, see PrefText.h); float and double "%g" (read through a float); bool "yes" or
// "no" (strings 268 and 269, exact); colour "%03u%03u%03u" red, green, blue, read as one number
// RRRGGGBBB (each part the number's digit triple, at most 255); RGBA "%03u%03u%03u%03u" red,
// green, blue, alpha; text as is, never empty.
#pragma once

#include "core/XString.h"

// The profile functions behind all of them. A key must not contain "=" (fatal check). Reading
// gives `defaultValue` when nothing is stored, and writes what it read back.
void XWriteProfileString(const char* section, const char* key, const char* value);
XString XGetProfileString(const char* section, const char* key, const char* defaultValue);

void XWritePrefStringRes(UINT sectionId, UINT keyId, UINT valueId);
void XWritePrefString(UINT sectionId, UINT keyId, const char* text);
void XWritePref(UINT sectionId, UINT keyId, const BYTE* value);
void XWritePref(UINT sectionId, UINT keyId, const short* value);
void XWritePref(UINT sectionId, UINT keyId, const WORD* value);
void XWritePref(UINT sectionId, UINT keyId, const int* value);
void XWritePref(UINT sectionId, UINT keyId, const UINT* value);  // UINT and DWORD alike
void XWritePref(UINT sectionId, UINT keyId, const long* value);  // stored as 32 bits
void XWritePref(UINT sectionId, UINT keyId, const float* value);
void XWritePref(UINT sectionId, UINT keyId, const double* value);
// `value` must be 0 or 1 (fatal check).
void XWritePrefBool(UINT sectionId, UINT keyId, int value);
void XWritePrefColor(UINT sectionId, UINT keyId, COLORREF value);
// `value` holds alpha in bits 24-31, then red, green and blue.
void XWritePrefRGBA(UINT sectionId, UINT keyId, DWORD value);

XString XGetPrefString(UINT sectionId, UINT keyId, const char* defaultText);
XString XGetPrefStringRes(UINT sectionId, UINT keyId, UINT defaultId);
void XGetPref(UINT sectionId, UINT keyId, UINT defaultId, short* value);
void XGetPref(UINT sectionId, UINT keyId, UINT defaultId, int* value);
void XGetPref(UINT sectionId, UINT keyId, UINT defaultId, long* value);  // a 32-bit value is read
void XGetPref(UINT sectionId, UINT keyId, UINT defaultId, BYTE* value);
void XGetPref(UINT sectionId, UINT keyId, UINT defaultId, WORD* value);
void XGetPref(UINT sectionId, UINT keyId, UINT defaultId, UINT* value);
// The same number as a DWORD: it differs from the UINT reader only in the check its default
// fails with.
void XGetPrefDword(UINT sectionId, UINT keyId, UINT defaultId, DWORD* value);
void XGetPref(UINT sectionId, UINT keyId, UINT defaultId, float* value);
void XGetPref(UINT sectionId, UINT keyId, UINT defaultId, double* value);
bool XGetPrefBool(UINT sectionId, UINT keyId, UINT defaultId);
COLORREF XGetPrefColor(UINT sectionId, UINT keyId, UINT defaultId);
DWORD XGetPrefRGBA(UINT sectionId, UINT keyId, UINT defaultId);
