// The scene document of the scene tests: the real document with a fresh scene root, which the
// lights of a scene are restricted to.
#pragma once

#include "document/XDocument.h"

class TestDocument : public XDocument {
 public:
  TestDocument() : root(scene()) {}

  GroupSO* const root;

 private:
  GroupSO* scene() {
    DeleteContents();
    return GetScene();
  }
};
