// Test support for the Edit Object sheet: objects of two parts, each look with colours of its own.
#pragma once

#include "dialogs/DialogTestSupport.h"
#include "dialogs/PropertySheetEditObject.h"

namespace edit_object_test {

struct Look {
  bool textured = false;  // the object has textures and shows them (Photo)
  LONG quality = 0;
  bool flat = false;  // without height
};

inline MeshSO& MeshOf(const GroupSO& group) {
  return *dynamic_cast<MeshSO*>(static_cast<VisualSO*>(group.GetFirstVisual()));
}

inline Material& Part(XList<Material>& list, int index) {
  POSITION pos = list.GetHeadPosition();
  while (index-- > 0) list.GetNext(pos);
  return list.GetAt(pos);
}

// An object named `name` added to the scene and selected; its parts are lit, not shiny, unpatterned.
inline Ptr<GroupSO> NewObject(XDocument& doc, const char* name, Look look = {}) {
  Ptr<MeshSO> mesh(new MeshSO(8, 0.5, 2.0, 0xFF0000FF));
  mesh->SetName(name);
  if (look.flat) mesh->box.max.y = mesh->box.min.y;
  mesh->texMats.RemoveAll();  // parts of its own instead of the generated mesh's one
  mesh->untexMats.RemoveAll();
  mesh->groupMats.RemoveAll();
  for (const char* part : {"Body", "Trim"}) {
    Material textured;
    textured.name = part;
    textured.diffuse = Color(0.8, 0.6, 0.2, 1.0);
    Material solid = textured;
    solid.diffuse = Color(0.1, 0.3, 0.9, 1.0);
    mesh->texMats.AddTail(textured);
    mesh->untexMats.AddTail(solid);
    mesh->groupMats.AddTail(GroupIndexList());
    mesh->groupMats.GetTail().AddTail(DWORD{0});
  }
  mesh->texturesLoaded = mesh->texturesOn = look.textured;
  mesh->quality = look.quality;
  Ptr<GroupSO> group(new GroupSO);
  group->AddVisual(mesh);
  doc.AddGroup(group, TRUE, FALSE, 0);
  return group;
}

}  // namespace edit_object_test
