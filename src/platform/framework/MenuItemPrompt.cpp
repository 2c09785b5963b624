#include "platform/framework/MenuItemPrompt.h"

#include "platform/framework/MDIFrameWnd.h"

bool IsSystemCommand(UINT id) { return id >= 0xF000 && id < 0xF1F0; }

UINT MenuItemPromptId(UINT id) {
  if (IsSystemCommand(id)) return AFX_IDS_SCFIRST + (id - 0xF000) / 16;
  if (id >= AFX_IDM_FIRST_MDICHILD && id <= 0xFFFF) return AFX_IDS_MDICHILD;
  return id;
}
