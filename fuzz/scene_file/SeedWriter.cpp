// Writes the seed of the scene-file fuzz target: a scene with a lit group selected, shown in two
// camera windows, with a history that holds a closed third window. Usage:
// scene_file_seed_writer <file>.
#include <cstdio>

#include "SceneFileApp.h"
#include "document/XDocument.h"
#include "platform/framework/File.h"
#include "views/X3DView.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: scene_file_seed_writer <file>\n");
    return 2;
  }
  SceneFileApp app;
  XDocument doc;
  doc.m_bAutoDelete = FALSE;
  doc.SetSaveEditHistory(TRUE);
  doc.OnNewDocument();
  Ptr<GroupSO> group(new GroupSO);
  group->AddLight(new LightSO, &doc);
  doc.AddGroup(group, TRUE, TRUE, 0);
  for (int window = 0; window < 2; ++window) {
    CFrameWnd& frame = app.CreateFrame(doc, kCameraWindowTemplate);
    app.InitialUpdateFrame(doc, kCameraWindowTemplate, frame);
  }
  CView* third = nullptr;
  int left = 0;
  for (POSITION pos = doc.GetFirstViewPosition(); pos; left += 330) {
    third = doc.GetNextView(pos);
    third->GetParentFrame()->MoveWindow(left, 0, 320, 240);
  }
  third->GetParentFrame()->SendMessage(WM_CLOSE);
  CFile file;
  if (!file.Open(argv[1], CFile::modeWrite | CFile::modeCreate)) return 1;
  CArchive ar(&file, CArchive::store);
  ar.m_pDocument = &doc;
  doc.Serialize(ar);
  ar.Close();
  app.CloseWindows(doc);
  return 0;
}
