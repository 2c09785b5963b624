// The archive the fuzz target reads: a mode byte (0: scene-document context, 1: an archive map,
// stored first), a list of counted nodes, a string, and a count of bytes that follow. Nodes carry an identity, texts,
// a transform, a colour, a window placement, lists of handles, vectors and transforms, and a
// counted leaf, so that every archive form of the core is reached.
#pragma once

#include "core/Color.h"
#include "core/WindowPlacement.h"
#include "core/XList.h"

class FuzzLeaf : public RefCount {
  DECLARE_SERIAL(FuzzLeaf)
 public:
  CString text;
  Color color;
  void Serialize(CArchive& ar) override;
};

class FuzzNode : public Myself {
  DECLARE_SERIAL(FuzzNode)
 public:
  CString name;
  Transform place;
  WINDOWPLACEMENT placement{44, 0, 1, {0, 0}, {0, 0}, {0, 0, 0, 0}};
  XList<Ptr<PtrMyself>> handles;
  XList<Vector> points;
  XList<Transform> moves;
  Ptr<FuzzLeaf> leaf;
  void Serialize(CArchive& ar) override;
};

using FuzzNodes = XList<Ptr<FuzzNode>>;

// Reads a whole fuzz archive; damage ends in an archive or memory exception.
void LoadFuzzArchive(CArchive& ar);
// Writes `nodes` as a fuzz archive in document (mapMode false) or map mode.
void StoreFuzzArchive(CArchive& ar, FuzzNodes& nodes, bool mapMode, const char* tail, DWORD count);
