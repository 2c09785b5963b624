// The Undo page of the Preferences sheet: the edit history kept by scenes created from now on,
// and by the active scene, which takes its values at once.
#pragma once

#include "dialogs/XPropertyPage.h"

class XDocument;

constexpr UINT kUndoPrefsTemplate = 10202;

class PageUndoPrefs : public XPropertyPage {
 public:
  PageUndoPrefs();

  BOOL OnInitDialog() override;
  void OnOK() override;

  int m_new_max_undo = 0;
  int m_active_max_undo = 0;
  int m_new_save_history = FALSE;
  int m_active_save_history = FALSE;
  XDocument* m_doc = nullptr;  // the active scene when the page was made, not owned

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
