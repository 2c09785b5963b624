// Writes a scene of shipped objects in one camera window: shipped_scene_writer <objects> <file.tvr>
#include <cstdio>

#include "document/XDocument.h"
#include "views/ShippedObjectScene.h"
#include "views/WindowedApp.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: shipped_scene_writer <objects folder> <file.tvr>\n");
    return 2;
  }
  WindowedApp app;
  XDocument doc;
  doc.m_bAutoDelete = FALSE;
  doc.OnNewDocument();
  AddShippedCopies(doc, ShippedObjects(argv[1], 10), 1);
  POSITION pos = doc.GetFirstViewPosition();
  auto* view = static_cast<X3DView*>(doc.GetNextView(pos));
  view->GetParentFrame()->MoveWindow(0, 0, 660, 520);
  // Standing 12 m back and 7 m up, looking down at the rows.
  Transform camera(0.5, Vector(1, 0, 0));
  camera.t[1] = 7.0;
  camera.t[2] = -12.0;
  view->settings.transform = camera;
  const BOOL saved = doc.OnSaveDocument(argv[2]);
  app.CloseWindows(doc);
  return saved ? 0 : 1;
}
