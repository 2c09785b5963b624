// Reads arbitrary bytes as a scene file (header, history, scene, selection, lights, windows): the
// only acceptable outcomes are a complete read, whose camera windows then render, or the
// exceptions by which an open fails. Windows made before a failure are closed with the document.
#include <cstdint>

#include "SceneFileApp.h"
#include "views/X3DView.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SceneFileApp& app = FuzzSceneFileApp();
  XDocument doc;
  doc.m_bAutoDelete = FALSE;
  if (ReadSceneBytes(data, size, doc)) {
    try {
      // A window read from a file renders.
      const XSize renderSize(16, 12);
      for (POSITION pos = doc.GetFirstViewPosition(); pos;)
        static_cast<X3DView*>(doc.GetNextView(pos))->RenderImage(nullptr, FALSE, &renderSize, nullptr);
    } catch (const CArchiveException&) {
    } catch (const CMemoryException&) {
    } catch (const CUserException&) {
    }
  }
  app.CloseWindows(doc);
  return 0;
}
