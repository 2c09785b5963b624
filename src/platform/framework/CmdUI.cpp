#include "platform/framework/CmdUI.h"

#include <QAction>
#include <QActionGroup>

void CCmdUI::Enable(BOOL on) {
  if (m_pAction) m_pAction->setEnabled(on != FALSE);
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check) {
  if (!m_pAction) return;
  m_pAction->setCheckable(true);
  m_pAction->setChecked(check != 0);
}

void CCmdUI::SetRadio(BOOL on) {
  if (!m_pAction) return;
  // Qt draws a dot for the items of an exclusive group; a group of one changes nothing else.
  if (!m_pAction->actionGroup()) {
    auto* group = new QActionGroup(m_pAction);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    group->addAction(m_pAction);
  }
  m_pAction->setCheckable(true);
  m_pAction->setChecked(on != FALSE);
}

void CCmdUI::SetText(const char* text) {
  if (m_pAction) m_pAction->setText(QString::fromUtf8(text ? text : ""));
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
  m_bEnableChanged = FALSE;
  m_bContinueRouting = FALSE;
  const BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
  // An update handler that only checks or renames the item leaves its enabling to the command
  // handler, as when no update handler runs: the item may have been greyed by an earlier update.
  if (disableIfNoHandler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info{nullptr};
    Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return handled;
}
