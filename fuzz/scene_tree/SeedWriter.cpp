// Writes the seed corpus of the scene-tree fuzz target into the folder given: the tree the scene
// archive test pins byte for byte (a root with a child group, a mesh object and a light) and a deeper
// one with two lights.
#include <cstdio>
#include <string>

#include "TestDocument.h"
#include "resources/ProgramResources.h"
#include "TestTree.h"
#include "TestVisual.h"
#include "shell/XApp.h"

namespace {

void Write(const std::string& path, TestDocument& doc, const Ptr<GroupSO>& root) {
  CFile file;
  if (!file.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
  CArchive ar(&file, CArchive::store);
  ar.m_pDocument = &doc;
  ar.MapObject(&doc);
  ar << root;
  ar.Close();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: scene_tree_seed_writer <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  RegisterProgramResources();
  XApp app;
  if (Direct3DRMCreate(&app.lpD3DRM) != D3DRM_OK) return 1;
  TestDocument doc;

  Ptr<GroupSO> root = MakePinnedTree(&doc);
  Write(folder + "/tree.bin", doc, root);

  Ptr<GroupSO> leaf = new GroupSO;
  leaf->SetTransform(Transform(0.5, Vector(0, 1, 0), Vector(1, 2, 3)));
  leaf->AddLight(MakePinnedLight(D3DRMLIGHT_SPOT, Color(0.2, 0.4, 0.6, 1)), &doc);
  GroupSO* child = root->GetGroups().GetAt(root->GetGroups().GetHeadPosition());
  child->AddGroup(leaf);
  child->AddVisual(Ptr<VisualSO>(new TestVisual));
  Write(folder + "/deeper.bin", doc, root);
  return 0;
}
