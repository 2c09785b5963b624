// The root of every class that receives commands: it looks commands and their update requests up
// in its message map.
#pragma once

#include "platform/framework/MessageMap.h"
#include "platform/framework/Object.h"

// Filled instead of running the handler when a caller only asks who would handle a command.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
};

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  // Offers command `id` to this target. `code` is CN_COMMAND, CN_UPDATE_COMMAND_UI (with the
  // CCmdUI in `extra`) or a control notification; a WM_NOTIFY notification carries WM_NOTIFY in
  // its high word and its NMHDR in `extra`. TRUE when a handler took it. With `handlerInfo` the
  // handler is only found, not run.
  virtual BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo);

  static const MessageMap* GetThisMessageMap();
  virtual const MessageMap* GetMessageMap() const;

 protected:
  // Runs the first handler of the class chain for the message; TRUE when one took it. `call`
  // keeps what the handler produced.
  BOOL DispatchToMap(UINT message, int code, UINT id, MessageCall& call);
};
