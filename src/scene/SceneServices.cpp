#include "scene/SceneServices.h"

#include "core/FatalError.h"

namespace {

SceneApp* sceneApp = nullptr;

}  // namespace

SceneApp* SetSceneApp(SceneApp* app) {
  SceneApp* previous = sceneApp;
  sceneApp = app;
  return previous;
}

SceneApp& GetSceneApp() {
  XASSERT(sceneApp, "No application for the scene");
  return *sceneApp;
}
