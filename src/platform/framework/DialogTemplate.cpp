#include "platform/framework/DialogTemplate.h"

#include "platform/win/MulDiv.h"

namespace {

const DialogTemplate* const* g_templates = nullptr;
std::size_t g_templateCount = 0;

}  // namespace

void RegisterDialogTemplates(const DialogTemplate* const* table, std::size_t count) {
  g_templates = table;
  g_templateCount = count;
}

const DialogTemplate* FindDialogTemplate(UINT id) {
  for (std::size_t i = 0; i < g_templateCount; ++i)
    if (g_templates[i]->id == id) return g_templates[i];
  return nullptr;
}

RECT MapDialogRect(short x, short y, short cx, short cy, DialogBaseUnits base) {
  return {MulDiv(x, base.x, 4), MulDiv(y, base.y, 8), MulDiv(x + cx, base.x, 4), MulDiv(y + cy, base.y, 8)};
}
