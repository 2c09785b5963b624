#include "platform/framework/CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, int code, UINT id) {
  for (; map; map = map->base ? map->base() : nullptr)
    for (const MessageMapEntry* e = map->entries; e->message != 0; ++e)
      if (e->message == message && e->code == code && id >= e->firstId && id <= e->lastId) return e;
  return nullptr;
}

const MessageMap* CCmdTarget::GetThisMessageMap() {
  static const MessageMapEntry entries[] = {{0, 0, 0, 0, nullptr}};
  static const MessageMap map = {nullptr, entries};
  return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::DispatchToMap(UINT message, int code, UINT id, MessageCall& call) {
  // An _EX handler that declines lets the search go on to the entries after it.
  for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr)
    for (const MessageMapEntry* e = map->entries; e->message != 0; ++e)
      if (e->message == message && e->code == code && id >= e->firstId && id <= e->lastId && e->handler(this, call))
        return TRUE;
  return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  UINT message = WM_COMMAND;
  if (code != CN_UPDATE_COMMAND_UI && HIWORD(static_cast<DWORD>(code)) != 0) {
    message = HIWORD(static_cast<DWORD>(code));
    code = static_cast<short>(LOWORD(static_cast<DWORD>(code)));
  }
  if (handlerInfo) {
    if (!FindMessageEntry(GetMessageMap(), message, code, id)) return FALSE;
    handlerInfo->pTarget = this;
    return TRUE;
  }
  MessageCall call{message, MAKEWPARAM(static_cast<int>(id), code), 0, id, extra, 0};
  return DispatchToMap(message, code, id, call);
}
