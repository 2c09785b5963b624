#include "shell/CommandProbe.h"

#include "platform/framework/CmdUI.h"

namespace {

constexpr UINT kFirstRecentFile = 0xE110;
constexpr UINT kLastRecentFile = 0xE11F;

// Starts enabled and records only what Enable is given.
class EnableProbe final : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    enabled = on;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(const char*) override {}
  BOOL enabled = TRUE;
};

}  // namespace

BOOL XCommandDisabledByUpdate(CFrameWnd* updateTarget, UINT id, int code, AFX_CMDHANDLERINFO* handlerInfo) {
  if (code != CN_COMMAND || handlerInfo || (id >= kFirstRecentFile && id <= kLastRecentFile) || !updateTarget)
    return FALSE;
  EnableProbe probe;
  probe.m_nID = id;
  const BOOL handled = updateTarget->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
  return handled && !probe.enabled;
}
