// Fatal reports: a failed check, or a DirectX call that failed for any reason but a lack of memory,
// is reported in one error box naming the place of the failure, and the program then ends with
// exit code 3 without saving anything. The guarded DirectX calls are in FatalError.h.
#pragma once

#include <string>

#include "platform/win/WinTypes.h"

[[noreturn]] void XAssertFailed(const char* file, int line, const char* date, const char* time,
                                const char* expression, const char* message);
[[noreturn]] void XAssertDDFailed(const char* file, int line, const char* date, const char* time,
                                  const char* expression, HRESULT result);
[[noreturn]] void XAssertD3DFailed(const char* file, int line, const char* date, const char* time,
                                   const char* expression, HRESULT result);
[[noreturn]] void XAssertD3DRMFailed(const char* file, int line, const char* date, const char* time,
                                     const char* expression, HRESULT result);

// What a failed check reports: the message id (40042, 40043, 40058 or 40044), the five
// arguments of that message, and the full text shown.
struct FatalReport {
  UINT messageId;
  std::string file;
  int line;
  std::string version;
  std::string expression;
  std::string detail;  // the description, or the low 16 bits of the result code in decimal
  std::string text;
};

// A handler takes over from the error box and the end of the program; it must not return
// (tests install one that throws). Returns the previous handler; nullptr restores the default.
using FatalHandler = void (*)(const FatalReport&);
FatalHandler SetFatalHandler(FatalHandler handler);

#define XASSERT(condition, description)                                                      \
  ((condition) ? static_cast<void>(0)                                                         \
               : XAssertFailed(__FILE__, __LINE__, __DATE__, __TIME__, #condition, description))

// The same, for a check whose reported expression text cannot be the code that tests it.
#define XASSERT_TEXT(condition, expressionText, description)                                  \
  ((condition) ? static_cast<void>(0)                                                         \
               : XAssertFailed(__FILE__, __LINE__, __DATE__, __TIME__, expressionText, description))
