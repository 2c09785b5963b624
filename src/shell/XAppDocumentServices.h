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
  BOOL OpenFirstCameraWindow(XDocument& document) override;
  void RefreshDocumentTitles() override;

  // The windows of scenes (XAppSceneWindows.cpp).
  void SerializeWindows(XDocument& document, CArchive& ar) override;
  int FindDocTemplate(CView* view) override;
  void SerializeFrameLayout(CFrameWnd& frame, XDocument& document, CArchive& ar) override;
  CFrameWnd& CreateFrame(XDocument& document, int templateIndex) override;
  void InitialUpdateFrame(XDocument& document, int templateIndex, CFrameWnd& frame) override;
  Ptr<PtrMyself> GetFrameMyself(CFrameWnd& frame) override;
  CFrameWnd* FrameOf(const Ptr<PtrMyself>& handle) override;

 private:
  XApp& app_;
};
