// What scene documents ask of the application, answered by the application object.
#pragma once

#include "document/DocumentServices.h"

class XApp;

class XAppDocumentServices final : public DocumentApp {
 public:
  explicit XAppDocumentServices(XApp& app) : app_(app) {}
  int GetInteractiveMode() const override;
  BOOL GetShowGround() const override;
  Ptr<MeshSO> GetGroundMesh() override;
  Ptr<MeshSO> GetCylinderMesh() override;
  XList<Ptr<GroupSO>>& GetObjectList() override;
  // Camera windows are not part of this build: a new scene opens without one.
  BOOL OpenFirstCameraWindow(XDocument& document) override;
  void RefreshDocumentTitles() override;

 private:
  XApp& app_;
};
