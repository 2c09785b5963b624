// The application a scene file is read under in the fuzz target and its seed writer: the 3D
// objects, no ground, no windows of its own, a silent message box and fatal checks that abort.
#pragma once

#include <cstdlib>
#include <string>

#include "document/DocumentServices.h"
#include "platform/win/MessageBox.h"
#include "resources/Resources.h"
#include "scene/MeshSO.h"
#include "shell/XApp.h"

class SceneFileApp : public XApp, public DocumentApp {
 public:
  SceneFileApp() {
    RegisterProgramResources();
    // New camera windows write their preferences back: keep them out of the user's.
    static std::string config = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/tavrolin-fuzz";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    SetMessageBoxBackend(&boxes);
    SetDocumentApp(this);
    Direct3DRMCreate(&lpD3DRM);
    DirectDrawCreate(nullptr, &lpDD, nullptr);
    cylinder = new MeshSO(16, 1.0, 4.0, 0xFFFF0000);
  }
  int GetInteractiveMode() const override { return kRotateObjectAboutMode; }
  BOOL GetShowGround() const override { return FALSE; }
  Ptr<MeshSO> GetGroundMesh() override { return nullptr; }
  Ptr<MeshSO> GetCylinderMesh() override { return cylinder; }
  XList<Ptr<GroupSO>>& GetObjectList() override { return objects; }
  BOOL OpenFirstCameraWindow(XDocument&) override { return TRUE; }
  void RefreshDocumentTitles() override {}

 private:
  class SilentBoxes final : public MessageBoxBackend {
   public:
    int Show(HWND, const char*, const char*, UINT style) override { return DefaultButtonResult(style); }
  } boxes;
  XList<Ptr<GroupSO>> objects;
  Ptr<MeshSO> cylinder;
};
