// Reads arbitrary bytes as the history block of a scene file and as one undo-data object: the
// only acceptable outcomes are a complete read or an archive or memory exception.
#include <cstdint>
#include <cstdlib>

#include "document/EditHistory.h"
#include "document/UndoDataKinds.h"
#include "platform/framework/MemFile.h"
#include "platform/win/MessageBox.h"
#include "resources/ProgramResources.h"

namespace {

class SilentBoxes final : public MessageBoxBackend {
 public:
  int Show(HWND, const char*, const char*, UINT style) override { return DefaultButtonResult(style); }
};

[[noreturn]] void AbortOnFatal(const FatalReport&) { std::abort(); }

bool Install() {
  static SilentBoxes boxes;
  RegisterProgramResources();  // descriptions are string-table texts
  SetMessageBoxBackend(&boxes);
  SetFatalHandler(&AbortOnFatal);
  return true;
}

class Document : public CObject {};

template <class Read>
void ReadAll(const std::uint8_t* data, std::size_t size, Read read) {
  CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
  Document document;
  try {
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &document;
    read(ar);
  } catch (const CArchiveException&) {
  } catch (const CMemoryException&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool installed = Install();
  (void)installed;
  ReadAll(data, size, [](CArchive& ar) {
    EditHistory history;
    history.Serialize(ar, &UndoDataFitsKind);
    // A history that read must take new edits and lowered maximums within its checks.
    if (history.GetMaxUndo() > 0) history.AddRecord(new ModRec(history.GetMaxUndo() % 10 + 1, nullptr, 352, TRUE, ""));
    history.SetMaxUndo(history.GetCount() / 2);
  });
  ReadAll(data, size, [](CArchive& ar) { Ptr<RefCount> object = ReadPtr(ar, RUNTIME_CLASS(RefCount)); });
  return 0;
}
