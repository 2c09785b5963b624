// Writes the seeds of the document fuzz target into the folder given: a history block holding a
// record of every kind that has undo data, and each undo-data object on its own.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

#include "document/CameraLightsUndoData.h"
#include "document/EditGroupUndoData.h"
#include "document/EditHistory.h"
#include "document/GroupUndoData.h"
#include "document/SelectionUndoData.h"
#include "document/UndoKind.h"
#include "platform/framework/File.h"
#include "resources/ProgramResources.h"

namespace {

class Document : public CObject {};

// An object with an identity, as the groups and views whose handles records hold.
class Thing : public Myself {};

void Write(const std::string& path, const std::function<void(CArchive&)>& store) {
  CFile file;
  if (!file.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
  Document document;
  CArchive ar(&file, CArchive::store);
  ar.m_pDocument = &document;
  store(ar);
  ar.Close();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: document_seed_writer <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  RegisterProgramResources();
  Ptr<Thing> a(new Thing), b(new Thing);

  Ptr<AddGroupsUndoData> add(new AddGroupsUndoData);
  add->groups.AddTail(HandleOf(*a));
  add->selected.AddTail(HandleOf(*b));
  Ptr<DeleteGroupsUndoData> del(new DeleteGroupsUndoData);
  Document imageDocument;
  del->image.Store(&imageDocument, [&](CArchive& ar) { a->Serialize(ar); });
  del->parents.AddTail(HandleOf(*b));
  Ptr<ChangeSelectedUndoData> select(new ChangeSelectedUndoData);
  select->selected.AddTail(HandleOf(*a));
  Ptr<TransformGroupsUndoData> move(new TransformGroupsUndoData);
  move->transforms.AddTail(Transform(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 12));
  move->scales.AddTail(Vector(1, 2, 3));
  move->groups.AddTail(HandleOf(*b));
  CameraFields camera;
  camera.windowKind = 3;
  camera.backgroundImagePath = "sky.bmp";
  Ptr<EditCameraUndoData> cam(new EditCameraUndoData(camera, HandleOf(*a)));
  Ptr<EditGroupUndoData> edit(new EditGroupUndoData);
  edit->name = "Chair";
  edit->scale = Vector(1, 2, 3);
  edit->texMats.AddTail(Material());
  edit->untexMats.AddTail(Material());
  edit->groupMyself = HandleOf(*b);
  Ptr<EditLightsUndoData> lights(new EditLightsUndoData(Color(0.1, 0.2, 0.3, 1), Color(), Transform()));

  EditHistory history;
  history.SetSaveEditHistory(TRUE);
  history.SetMaxUndo(8);
  history.AddRecord(new ModRec(kUndoAddGroups, add, 389, FALSE, "a"));
  history.AddRecord(new ModRec(kUndoDeleteGroups, del, 391, FALSE, std::string(300, 'b').c_str()));
  history.AddRecord(new ModRec(kUndoChangeSelected, select, 393, TRUE, "a"));
  history.AddRecord(new ModRec(kUndoTransformGroups, move, 402, TRUE, "b"));
  history.AddRecord(new ModRec(kUndoEditGroup, edit, 385, TRUE, "Chair"));
  history.AddRecord(new ModRec(kUndoEditCamera, cam, 378, TRUE, ""));
  history.AddRecord(new ModRec(kUndoEditLights, lights, 377, TRUE, ""));
  Write(folder + "/history.bin", [&](CArchive& ar) { history.Serialize(ar); });
  history.SetSaveEditHistory(FALSE);
  Write(folder + "/history-off.bin", [&](CArchive& ar) { history.Serialize(ar); });
  const std::pair<const char*, RefCount*> objects[] = {{"add", add},   {"delete", del},    {"select", select},
                                                       {"move", move}, {"camera", cam},    {"lights", lights},
                                                       {"edit", edit}};
  for (const auto& [name, object] : objects)
    Write(folder + "/" + name + ".bin", [&](CArchive& ar) { ar.WriteObject(object); });
  return 0;
}
