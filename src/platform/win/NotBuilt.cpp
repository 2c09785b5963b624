#include "platform/win/NotBuilt.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <string>

HRESULT ReportNotBuilt(const char* layer, const char* what, HRESULT result) {
  static std::mutex mutex;
  static std::set<std::string> logged;
  const std::lock_guard<std::mutex> lock(mutex);
  if (logged.insert(std::string(layer) + ": " + what).second)
    std::fprintf(stderr, "%s: %s is not supported\n", layer, what);
  return result;
}
