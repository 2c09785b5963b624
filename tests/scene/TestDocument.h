// The smallest scene document the scene model needs: a root group that lights are restricted to.
#pragma once

#include "document/XDocument.h"
#include "scene/GroupSO.h"

class TestDocument : public XDocument {
 public:
  TestDocument() : root(new GroupSO) {}

  Ptr<GroupSO> root;
};
