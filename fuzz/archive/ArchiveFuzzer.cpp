// Reads arbitrary bytes as an archive of counted, identified objects: the only acceptable
// outcomes are a complete load or an archive or memory exception.
#include <cstdint>
#include <cstdlib>

#include "FuzzArchive.h"
#include "platform/framework/MemFile.h"
#include "platform/win/MessageBox.h"
#include "resources/ProgramResources.h"

namespace {

// Message boxes answer at once; a fatal check is a finding.
class SilentBoxes final : public MessageBoxBackend {
 public:
  int Show(HWND, const char*, const char*, UINT style) override { return DefaultButtonResult(style); }
};

[[noreturn]] void AbortOnFatal(const FatalReport&) { std::abort(); }

bool Install() {
  static SilentBoxes boxes;
  RegisterProgramResources();
  SetMessageBoxBackend(&boxes);
  SetFatalHandler(&AbortOnFatal);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool installed = Install();
  (void)installed;
  CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
  try {
    CArchive ar(&file, CArchive::load);
    LoadFuzzArchive(ar);
  } catch (const CArchiveException&) {
  } catch (const CMemoryException&) {
  }
  return 0;
}
