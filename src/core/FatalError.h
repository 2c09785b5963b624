// Fatal checks: the reports and checks of FatalReport.h, and the guarded DirectX calls, which wait
// for memory through the low-memory handler while a call reports a shortage and report any other
// failure as fatal.
#pragma once

#include "core/FatalReport.h"
#include "core/NoMemoryHandler.h"

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

#define XCHECK_D3DRM(call)                                                                    \
  XGuardedCall([&]() -> HRESULT { return (call); }, kD3DRMShortage, &XAssertD3DRMFailed, __FILE__, \
               __LINE__, __DATE__, __TIME__, #call)
// The _TEXT forms give the report a fixed text for the call instead of its source text, so that the
// report reads the same whatever the code names its variables.
#define XCHECK_D3DRM_TEXT(call, text)                                                         \
  XGuardedCall([&]() -> HRESULT { return (call); }, kD3DRMShortage, &XAssertD3DRMFailed, __FILE__, \
               __LINE__, __DATE__, __TIME__, text)
#define XCHECK_DD(call)                                                                       \
  XGuardedCall([&]() -> HRESULT { return (call); }, kDDShortage, &XAssertDDFailed, __FILE__, \
               __LINE__, __DATE__, __TIME__, #call)
#define XCHECK_DD_TEXT(call, text)                                                            \
  XGuardedCall([&]() -> HRESULT { return (call); }, kDDShortage, &XAssertDDFailed, __FILE__, \
               __LINE__, __DATE__, __TIME__, text)
#define XCHECK_D3D(call)                                                                      \
  XGuardedCall([&]() -> HRESULT { return (call); }, kDDShortage, &XAssertD3DFailed, __FILE__, \
               __LINE__, __DATE__, __TIME__, #call)
#define XCHECK_D3D_TEXT(call, text)                                                           \
  XGuardedCall([&]() -> HRESULT { return (call); }, kDDShortage, &XAssertD3DFailed, __FILE__, \
               __LINE__, __DATE__, __TIME__, text)
