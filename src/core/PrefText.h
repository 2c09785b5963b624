// The text forms of stored preference values. Numbers are read the way the C library's scanning
// reads them into 32-bit variables: leading white space is skipped, one number is taken and
// whatever follows it is ignored. Nothing is read from a text without a number, or from a number
// that does not fit in 32 bits. Decimal points are '.', whatever the desktop's language.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/win/WinTypes.h"

// "%lu": decimal digits after an optional sign; a minus sign negates modulo 2^32, so "-1" reads
// as 4294967295.
std::optional<DWORD> ScanUnsigned32(const char* text);
// "%li": decimal, octal after a leading 0, hexadecimal after 0x; -2147483648 to 2147483647.
std::optional<LONG> ScanSigned32(const char* text);
// "%g" into a float: any value a float holds, infinities and NaN included (the caller checks).
std::optional<float> ScanFloat(const char* text);
// "%3lu%3lu%3lu%3lu": four numbers of at most three characters each (sign included).
std::optional<std::array<DWORD, 4>> ScanFourTriples(const char* text);

// "%g" of a double: six significant digits, trailing zeros dropped.
std::string FormatGeneral(double value);
