// Writes valid fuzz archives, the seeds of the fuzz target's corpus, into the folder given.
#include <cstdio>
#include <string>

#include "FuzzArchive.h"

namespace {

void Write(const std::string& path, FuzzNodes& nodes, bool mapMode) {
  CFile file;
  if (!file.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::exit(1);
  }
  CArchive ar(&file, CArchive::store);
  StoreFuzzArchive(ar, nodes, mapMode, "tail", 3);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: archive_seed_writer <folder>\n");
    return 2;
  }
  const std::string folder = argv[1];

  Ptr<FuzzNode> a(new FuzzNode), b(new FuzzNode);
  Ptr<FuzzLeaf> leaf(new FuzzLeaf);
  leaf->text = "shared leaf";
  leaf->color.SetCOLORREF(0x00336699);
  a->name = "first";
  a->place = Transform(0.5, Vector(0, 1, 0), Vector(1, 2, 3));
  a->points.AddTail(Vector(1, 2, 3));
  a->moves.AddTail(Transform());
  a->leaf = leaf;
  a->handles.AddTail(b->GetMyself());
  a->handles.AddTail(b->GetMyself());
  b->name = std::string(300, 'n').c_str();
  b->placement = WINDOWPLACEMENT{44, 2, 3, {-1, -1}, {5, 6}, {10, 20, 300, 400}};
  b->leaf = leaf;
  b->handles.AddTail(a->GetMyself());

  FuzzNodes nodes;
  nodes.AddTail(a);
  nodes.AddTail(b);
  nodes.AddTail(a);
  Write(folder + "/document.bin", nodes, false);
  FuzzNodes two;
  two.AddTail(a);
  two.AddTail(b);
  Write(folder + "/snapshot.bin", two, true);
  FuzzNodes none;
  Write(folder + "/empty.bin", none, false);
  return 0;
}
