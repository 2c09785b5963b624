// Wrappers of a dialog's controls. The program's setters change a control quietly: only the
// user's actions notify (see ControlNotifications.h), and an edit's text set by the program
// notifies as typing does.
#pragma once

#include "platform/framework/DC.h"
#include "platform/framework/String.h"
#include "platform/framework/Wnd.h"

constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;
constexpr int CB_ERR = -1;
constexpr int CB_ERRSPACE = -2;
constexpr int LB_ERR = -1;
constexpr int LB_ERRSPACE = -2;

// Owner drawing.
constexpr UINT ODT_BUTTON = 4;
constexpr UINT ODA_DRAWENTIRE = 1;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_FOCUS = 0x0010;

struct DRAWITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemAction;
  UINT itemState;  // ODS_*
  HWND hwndItem;
  HDC hDC;  // a CDC (CDC::FromHandle)
  RECT rcItem;
  DWORD_PTR itemData;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)
 public:
  int GetCheck() const;  // BST_CHECKED or BST_UNCHECKED
  void SetCheck(int check);
  // Draws an owner-drawn button (BS_OWNERDRAW) whenever it needs painting.
  virtual void DrawItem(LPDRAWITEMSTRUCT item);
};

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
 public:
  // Selects characters start..end-1; end -1 selects to the end of the text.
  void SetSel(int start, int end);
  BOOL SetReadOnly(BOOL readOnly = TRUE);
};

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
};

// A drop-down list, not sorted.
class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)
 public:
  int AddString(const char* text);  // the new item's index
  int GetCount() const;
  int GetCurSel() const;             // -1 when nothing is selected
  int SetCurSel(int index);          // the index; CB_ERR (nothing selected) when out of range
  void ResetContent();
  int GetLBText(int index, CString& text) const;  // the length, or CB_ERR
};

// A list box, not sorted.
class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)
 public:
  int AddString(const char* text);
  int InsertString(int index, const char* text);  // -1 appends
  int DeleteString(UINT index);  // the items left, or LB_ERR
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);  // LB_ERR when out of range (and -1, which clears the selection)
  int GetTopIndex() const;
  int SetTopIndex(int index);
  void ResetContent();
  int GetText(int index, CString& text) const;
  // One tab stop every `dialogUnits` (in the dialog's base units across).
  BOOL SetTabStops(int dialogUnits);
  // The width in pixels the list can be scrolled across.
  void SetHorizontalExtent(int pixels);
};

class CSliderCtrl : public CWnd {
  DECLARE_DYNAMIC(CSliderCtrl)
 public:
  void SetRange(int min, int max, BOOL redraw = FALSE);
  int GetRangeMin() const;
  int GetRangeMax() const;
  void SetPos(int position);  // kept within the range
  int GetPos() const;
};
