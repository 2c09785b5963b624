#include "platform/framework/DialogTemplate.h"

#include "platform/win/MulDiv.h"

const DialogTemplate* FindDialogTemplate(UINT id) {
  for (std::size_t i = 0; i < kDialogTemplateCount; ++i)
    if (kDialogTemplates[i]->id == id) return kDialogTemplates[i];
  return nullptr;
}

RECT MapDialogRect(short x, short y, short cx, short cy, DialogBaseUnits base) {
  return {MulDiv(x, base.x, 4), MulDiv(y, base.y, 8), MulDiv(x + cx, base.x, 4), MulDiv(y + cy, base.y, 8)};
}
