// Reads arbitrary bytes as a tree of scene objects, as a scene file holds it: the only acceptable
// outcomes are a complete load or an archive or memory exception, and afterwards no retained-mode
// object may be left alive.
#include <cstdint>
#include <cstdlib>

#include "RetainedModeApp.h"
#include "TestDocument.h"
#include "platform/framework/MemFile.h"

namespace {

void CountObject(IDirect3DRMObject* object, LPVOID count) {
  ++*static_cast<int*>(count);
  object->Release();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static XApp* app = &RetainedModeApp();
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
    } catch (const CUserException&) {  // the search for a missing object file given up
    }
  }
  int alive = 0;
  if (app->lpD3DRM->EnumerateObjects(&CountObject, &alive) != D3DRM_OK || alive != 0) std::abort();
  return 0;
}
