// The real document with a fresh scene root, which a scene's lights are restricted to.
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
