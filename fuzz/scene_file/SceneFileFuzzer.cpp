// Reads arbitrary bytes as a scene file (header, history, scene, selection, lights, windows) and
// the rest as a camera window's part: the only acceptable outcomes are a complete read or the
// exceptions by which an open fails.
#include <cstdint>

#include "SceneFileApp.h"
#include "document/XDocument.h"
#include "platform/framework/MemFile.h"
#include "views/X3DView.h"

namespace {

[[noreturn]] void AbortOnFatal(const FatalReport&) { std::abort(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static SceneFileApp* app = [] {
    SetFatalHandler(&AbortOnFatal);
    return new SceneFileApp;
  }();
  (void)app;
  CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
  XDocument doc;
  doc.m_bAutoDelete = FALSE;
  X3DView view;
  doc.AddView(&view);
  try {
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &doc;
    doc.DeleteContents();
    doc.Serialize(ar);
    view.Serialize(ar);
    // A window read from a file renders.
    const XSize size(16, 12);
    view.RenderImage(nullptr, FALSE, &size, nullptr);
  } catch (const CArchiveException&) {
  } catch (const CMemoryException&) {
  } catch (const CUserException&) {
  }
  doc.RemoveView(&view);
  return 0;
}
