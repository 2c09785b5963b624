// A scene of copies of shipped objects in rows, with an edit history of a given length.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "document/XDocument.h"
#include "scene/MeshSO.h"

// The first `count` object files of the folder, in name order.
inline std::vector<std::string> ShippedObjects(const std::string& folder, int count) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".ulm") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  files.resize(std::min(files.size(), static_cast<std::size_t>(count)));
  return files;
}

// `copies` copies of each object with cartoon lines, in rows of five 3 m apart, one record each.
inline void AddShippedCopies(XDocument& doc, const std::vector<std::string>& files, int copies) {
  int placed = 0;
  for (const std::string& file : files) {
    Ptr<MeshSO> mesh(new MeshSO(file.c_str(), TRUE, nullptr, FALSE, FALSE));
    mesh->cartoon = TRUE;
    mesh->silhouetteWidth = 2;
    Ptr<GroupSO> object(new GroupSO);
    object->AddVisual(mesh);
    for (int copy = 0; copy < copies; ++copy, ++placed) {
      Ptr<GroupSO> group = copy == 0 ? object : object->Copy(FALSE);
      Transform place(0.4 * placed, Vector(0, 1, 0));
      place.t[0] = 3.0 * (placed % 5) - 6.0;
      place.t[2] = 3.0 * (placed / 5);
      group->SetTransform(place);
      doc.AddGroup(group, FALSE, TRUE, 0);
    }
  }
}

// Records that select and turn the scene's groups in turn, up to `records` records in all.
inline void AddSelectAndTurnRecords(XDocument& doc, int records) {
  std::vector<Ptr<GroupSO>> groups;
  const XList<Ptr<GroupSO>>& all = doc.GetScene()->GetGroups();
  for (POSITION pos = all.GetHeadPosition(); pos;)
    if (Ptr<GroupSO> group = all.GetNext(pos); group != doc.GetSunlight()) groups.push_back(group);
  for (int i = doc.GetHistory().GetCount(); i < records; ++i) {
    const Ptr<GroupSO>& group = groups[static_cast<std::size_t>(i) % groups.size()];
    if (i % 2) {
      doc.SelectOnly(group, TRUE, 0);
      continue;
    }
    XList<Ptr<GroupSO>> turned;
    turned.AddTail(group);
    doc.RecordUndo(kUndoTransformGroups, &turned, 0);
    group->SetTransform(Transform(0.1 * i, Vector(0, 1, 0)) * group->GetTransform());
  }
}
