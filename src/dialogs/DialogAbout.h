// The About box: the program's picture with its version line. Help/About runs it modally; as the
// start-up splash it shows itself modeless and, when closed, calls the close method its owner gave
// it, which destroys it. Any key or click on it closes it; a splash also closes after 2 seconds.
#pragma once

#include "core/XMethod.h"
#include "dialogs/XDialog.h"

constexpr UINT kAboutTemplate = 10008;

class DialogAbout : public XDialog {
 public:
  // With the NULL method the box is made for DoModal; with a close method it is up, modeless,
  // when the constructor returns.
  explicit DialogAbout(XMethod closeMethod);

  void OnOK() override;
  void OnCancel() override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnTimer(UINT_PTR id);

  XMethod m_closeMethod;
  CString m_versionText;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  DECLARE_MESSAGE_MAP()
};
