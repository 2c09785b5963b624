// Test support for the scene document: its application, a recording camera view, scene snapshots.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/XDocument.h"
#include "platform/framework/View.h"
#include "scene/MeshSO.h"
#include "shell/XApp.h"

namespace document_test {

// A camera view: its camera values, its identity, and the updates and fits it was given.
class RecordingView : public CView, public CameraView, public Myself {
 public:
  // A window's depth-cue sensitivity is never 0: the Focus page would refuse it.
  explicit RecordingView(int windowKind = 0) {
    camera.windowKind = windowKind;
    camera.linearSensitivity = 8;
  }
  void OnDraw(CDC*) override {}
  void OnUpdate(CView*, LPARAM hint, CObject* object) override;
  CameraFields& GetCameraFields() override { return camera; }
  Ptr<PtrMyself>& GetViewMyself() override { return GetMyself(); }
  void ShowEntireScene(BoundingBox) override { ++fits; }
  void UpdateTitle() override { ++titles; }
  void OnUpdateAfterFit() override { ++fitUpdates; }

  CameraFields camera;
  std::vector<std::string> updates;  // "hint" or "hint:ObjectClass"
  int fits = 0;
  int fitUpdates = 0;
  int titles = 0;
};

// The application serving the document; a new scene's first window is a recording view.
class DocumentTestApp : public XApp, public DocumentApp {
 public:
  DocumentTestApp();
  ~DocumentTestApp() override;
  int GetInteractiveMode() const override { return mode; }
  BOOL GetShowGround() const override { return showGround; }
  Ptr<MeshSO> GetGroundMesh() override { return groundMesh; }
  Ptr<MeshSO> GetCylinderMesh() override { return cylinderMesh; }
  XList<Ptr<GroupSO>>& GetObjectList() override { return objects; }
  BOOL OpenFirstCameraWindow(XDocument& document) override;
  void RefreshDocumentTitles() override {}
  void SerializeWindows(XDocument& document, CArchive& ar) override;

  int mode = 0;
  BOOL showGround = FALSE;
  Ptr<MeshSO> groundMesh;
  Ptr<MeshSO> cylinderMesh;
  XList<Ptr<GroupSO>> objects;
  bool failWritingWindows = false;  // the windows part of a file being written fails
  std::vector<RecordingView*> views;  // owned
  DocumentApp* previous;
};

// A new scene (document not deleting itself), with its first recording view.
struct SceneFixture : ::testing::Test {
  SceneFixture();
  ~SceneFixture() override;
  RecordingView& View() { return *app.views.front(); }

  DocumentTestApp app;
  XDocument doc;
};

// A group named `name`, optionally with a light of `doc` and a generated mesh of that length.
Ptr<GroupSO> NewGroup(XDocument& doc, const char* name, bool light = false, double meshLength = 0.0);

// The archive bytes of the scene: the root tree, the selection, the lights and every view's camera.
std::vector<BYTE> Snapshot(XDocument& doc);

// The description of the record that Undo would apply.
std::string UndoText(XDocument& doc);

}  // namespace document_test
