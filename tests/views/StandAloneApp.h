// An application that shows or reads scenes without the shell, and a scene of cylinder rows.
#pragma once

#include "document/XDocument.h"
#include "resources/ProgramResources.h"
#include "scene/MeshSO.h"
#include "shell/XApp.h"

class StandAloneApp : public XApp, public DocumentApp {
 public:
  explicit StandAloneApp(int interactiveMode = 0) : mode(interactiveMode), previous(SetDocumentApp(this)) {
    RegisterProgramResources();
    Direct3DRMCreate(&lpD3DRM);
    DirectDrawCreate(nullptr, &lpDD, nullptr);
    cylinder = new MeshSO(16, 1.0, 4.0, 0xFFFF0000);
  }
  ~StandAloneApp() override { SetDocumentApp(previous); }
  int GetInteractiveMode() const override { return mode; }
  BOOL GetShowGround() const override { return FALSE; }
  Ptr<MeshSO> GetGroundMesh() override { return nullptr; }
  Ptr<MeshSO> GetCylinderMesh() override { return cylinder; }
  XList<Ptr<GroupSO>>& GetObjectList() override { return objects; }
  BOOL OpenFirstCameraWindow(XDocument&) override { return TRUE; }
  void RefreshDocumentTitles() override {}

 private:
  int mode;
  DocumentApp* previous;
  XList<Ptr<GroupSO>> objects;
  Ptr<MeshSO> cylinder;
};

// 20 cartoon-lined cylinders in four rows along the default camera's sight, 1.2 m to 3 m away.
inline void AddCylinderRows(XDocument& doc, int segments) {
  for (int i = 0; i < 20; ++i) {
    Ptr<MeshSO> mesh(new MeshSO(segments, 0.06, 0.25, 0xFF3060C0));
    mesh->cartoon = 1;
    mesh->silhouetteWidth = 2;
    Ptr<GroupSO> group(new GroupSO);
    group->AddVisual(mesh);
    Transform place(0.3 * i, Vector(0, 1, 0));
    const double distance = 1.2 + 0.6 * (i / 5);
    place.t[0] = (-0.4 + 0.2 * (i % 5)) * distance;
    place.t[1] = 0.25 - 0.5 * distance;
    place.t[2] = -0.5 + 0.866 * distance;
    group->SetTransform(place);
    doc.AddGroup(group, FALSE, FALSE, 0);
  }
}
