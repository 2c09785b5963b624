// Undo data of the Edit Object sheet (kind 8): everything the sheet can change on one group.
#pragma once

#include "core/Color.h"
#include "core/XString.h"
#include "document/UndoData.h"
#include "scene/Material.h"

class EditGroupUndoData : public RefCount {
  DECLARE_SERIAL(EditGroupUndoData)
 public:
  void Serialize(CArchive& ar) override;

  XString name;
  Transform transform;
  Vector scale;  // unset until captured or read
  BOOL editAllCopies = FALSE;
  LONG quality = 0;  // 0: no quality setting (or no visual)
  LONG style = 0;
  LONG brushSize = 0;
  BOOL texturesOn = FALSE;
  BOOL cartoonOn = FALSE;
  Color silhouetteColor;
  DWORD silhouetteWidth = 0;
  Color surfaceColor;
  DWORD surfaceWidth = 0;
  XList<Material> texMats;
  XList<Material> untexMats;
  Ptr<PtrMyself> groupMyself;
};
