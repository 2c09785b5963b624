// The scene document. The scene model reaches only its root group, through which a light knows
// the scene it lights.
#pragma once

#include "platform/framework/Object.h"

class GroupSO;

class XDocument : public CObject {
  DECLARE_DYNAMIC(XDocument)
 public:
  // The root group of the document's scene.
  GroupSO* GetScene() const;
};
