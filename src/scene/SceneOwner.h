// The document that holds a scene, as the scene's lights see it: a light shines on what lies under
// its document's root group, and the scene file names the document for it.
#pragma once

class GroupSO;

class SceneOwner {
 public:
  virtual GroupSO* GetScene() const = 0;

 protected:
  ~SceneOwner() = default;
};
