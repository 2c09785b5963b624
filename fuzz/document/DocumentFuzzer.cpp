// Reads arbitrary bytes as the history block of a scene file and as one undo-data object: the
// only acceptable outcomes are a complete read or an archive or memory exception.
#include <cstdint>
#include <cstdlib>

#include "RetainedModeApp.h"
#include "document/EditHistory.h"
#include "document/UndoDataKinds.h"
#include "platform/framework/MemFile.h"

namespace {

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
  } catch (const CUserException&) {  // the search for a missing object file given up
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RetainedModeApp();  // undo data holds scene objects
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
