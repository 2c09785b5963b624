// Fatal checks. A failed check, or a DirectX call that fails for any reason but a lack of memory,
// is reported in one error box naming the place of the failure, and the program then ends with
// exit code 3 without saving anything.
#pragma once

#include <string>

#include "core/NoMemoryHandler.h"
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

// The out-of-memory results the guarded call forms retry on.
constexpr HRESULT kD3DRMShortage = ResultFromBits(0x8876030Fu);
constexpr HRESULT kDDShortage = ResultFromBits(0x8007000Eu);

using XCallReporter = void (*)(const char*, int, const char*, const char*, const char*, HRESULT);

// Repeats `call` while it reports a shortage, calling the low-memory handler between attempts;
// any other non-zero result is fatal.
template <class Call>
HRESULT XGuardedCall(Call&& call, HRESULT shortage, XCallReporter reporter, const char* file, int line,
                     const char* date, const char* time, const char* expression) {
  HRESULT result;
  while ((result = call()) == shortage) NoMemoryHandler(1);
  if (result != 0) reporter(file, line, date, time, expression, result);
  return result;
}

#define XASSERT(condition, description)                                                      \
  ((condition) ? static_cast<void>(0)                                                         \
               : XAssertFailed(__FILE__, __LINE__, __DATE__, __TIME__, #condition, description))

// The same, for a check whose reported expression text cannot be the code that tests it.
#define XASSERT_TEXT(condition, expressionText, description)                                  \
  ((condition) ? static_cast<void>(0)                                                         \
               : XAssertFailed(__FILE__, __LINE__, __DATE__, __TIME__, expressionText, description))

#define XCHECK_D3DRM(call)                                                                    \
  XGuardedCall([&]() -> HRESULT { return (call); }, kD3DRMShortage, &XAssertD3DRMFailed, __FILE__, \
               __LINE__, __DATE__, __TIME__, #call)
#define XCHECK_DD(call)                                                                       \
  XGuardedCall([&]() -> HRESULT { return (call); }, kDDShortage, &XAssertDDFailed, __FILE__, \
               __LINE__, __DATE__, __TIME__, #call)
#define XCHECK_D3D(call)                                                                      \
  XGuardedCall([&]() -> HRESULT { return (call); }, kDDShortage, &XAssertD3DFailed, __FILE__, \
               __LINE__, __DATE__, __TIME__, #call)
