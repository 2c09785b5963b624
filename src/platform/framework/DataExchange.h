// Data exchange between a dialog's members and its controls, and the range checks that go with
// it. In the saving direction a text that does not parse, or a value outside its range, shows the
// framework's message, gives the control the focus (an edit's text selected) and ends the
// exchange with CUserException; members exchanged before it keep their new values. A quiet
// exchange (one run while the user is still typing) ends the same way without a message and
// leaves the focus alone. Checks do nothing in the loading direction.
#pragma once

#include "platform/framework/String.h"

class CWnd;
class QWidget;

// Framework messages of the exchange, in the string table.
constexpr UINT AFX_IDP_PARSE_INT = 61712;
constexpr UINT AFX_IDP_PARSE_REAL = 61713;
constexpr UINT AFX_IDP_PARSE_INT_RANGE = 61714;
constexpr UINT AFX_IDP_PARSE_REAL_RANGE = 61715;
constexpr UINT AFX_IDP_PARSE_BYTE = 61718;
constexpr UINT AFX_IDP_PARSE_UINT = 61719;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate, bool quiet = false)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog), quiet_(quiet) {}

  // The control `id` of the dialog, remembered as the one a failure points at; a missing control
  // is a programming error and ends the exchange.
  QWidget* PrepareCtrl(int id);
  QWidget* PrepareEditCtrl(int id);
  // Focuses the control prepared last (unless quiet) and throws CUserException.
  [[noreturn]] void Fail();
  // Refuses the value with the framework's message `id`, "%1" and "%2" filled in (no message
  // when quiet), then fails.
  [[noreturn]] void Refuse(UINT id, const CString& first = CString(), const CString& second = CString());

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;

 private:
  QWidget* last_ = nullptr;
  bool lastIsEdit_ = false;
  bool quiet_;
};

// The control of `dialog` with id `id`, or nullptr.
QWidget* FindDialogControl(const CWnd* dialog, int id);

// A double as an edit shows it: a value that is a single-precision float as the shortest text
// that reads back to that float (0.9f shows "0.9"), any other with 15 significant digits.
CString DialogDoubleText(double value);

// Texts: integers in decimal, doubles as DialogDoubleText. Leading and trailing blanks are
// allowed; anything else, or a value the type cannot hold, is refused.
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, BYTE& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
// A check box: 0 unchecked, 1 checked.
void DDX_Check(CDataExchange* dx, int id, int& value);
// The radio buttons of the group that starts at `id`: the index of the checked one, -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);

void DDV_MinMaxInt(CDataExchange* dx, int value, int min, int max);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min, UINT max);
void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE min, BYTE max);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double min, double max);
