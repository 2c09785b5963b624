#include "core/NoMemoryHandler.h"

#include "core/FatalError.h"

// Until the application object installs the reserve, a shortage cannot be handled.
int NoMemoryHandler(std::size_t size) {
  XASSERT(size == 0, "Insufficient memory condition not handled because handler was not initialized");
  return 1;
}
