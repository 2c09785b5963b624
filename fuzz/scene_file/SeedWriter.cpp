// Writes the seed of the scene-file fuzz target: a scene with a lit group selected, followed by a
// default camera window's part. Usage: scene_file_seed_writer <file>.
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
  doc.OnNewDocument();
  Ptr<GroupSO> group(new GroupSO);
  group->AddLight(new LightSO, &doc);
  doc.AddGroup(group, TRUE, TRUE, 0);
  X3DView view;
  doc.AddView(&view);
  CFile file;
  if (!file.Open(argv[1], CFile::modeWrite | CFile::modeCreate)) return 1;
  CArchive ar(&file, CArchive::store);
  ar.m_pDocument = &doc;
  doc.SetSaveEditHistory(TRUE);
  doc.Serialize(ar);
  view.Serialize(ar);
  ar.Close();
  doc.RemoveView(&view);
  return 0;
}
