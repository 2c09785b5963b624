// Reads arbitrary bytes as a tree of scene objects, as a scene file holds it: the only acceptable
// outcomes are a complete load or an archive or memory exception, and afterwards no retained-mode
// object may be left alive.
#include <cstdint>
#include <cstdlib>

#include "TestDocument.h"
#include "resources/ProgramResources.h"
#include "platform/framework/MemFile.h"
#include "platform/win/MessageBox.h"
#include "shell/XApp.h"

namespace {

// Message boxes answer at once; a fatal check is a finding.
class SilentBoxes final : public MessageBoxBackend {
 public:
  int Show(HWND, const char*, const char*, UINT style) override { return DefaultButtonResult(style); }
};

[[noreturn]] void AbortOnFatal(const FatalReport&) { std::abort(); }

void CountObject(IDirect3DRMObject* object, LPVOID count) {
  ++*static_cast<int*>(count);
  object->Release();
}

XApp* Install() {
  RegisterProgramResources();  // the messages' texts
  static SilentBoxes boxes;
  RegisterProgramResources();  // the document names its groups from the string table
  SetMessageBoxBackend(&boxes);
  SetFatalHandler(&AbortOnFatal);
  static XApp app;
  if (Direct3DRMCreate(&app.lpD3DRM) != D3DRM_OK) std::abort();
  return &app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static XApp* app = Install();
  {
    TestDocument doc;
    CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
    try {
      CArchive ar(&file, CArchive::load);
      ar.m_pDocument = &doc;
      ar.MapObject(&doc);
      Ptr<GroupSO> root;
      ar >> root;
    } catch (const CArchiveException&) {
    } catch (const CMemoryException&) {
    }
  }
  int alive = 0;
  if (app->lpD3DRM->EnumerateObjects(&CountObject, &alive) != D3DRM_OK || alive != 0) std::abort();
  return 0;
}
