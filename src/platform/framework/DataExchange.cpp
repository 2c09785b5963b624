#include "platform/framework/DataExchange.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/framework/DialogWidgets.h"
#include "platform/framework/Exceptions.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Wnd.h"
#include "platform/win/MessageBox.h"

namespace {

QString TextOf(const QWidget* w) {
  if (auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
  if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
  if (auto* combo = qobject_cast<const QComboBox*>(w)) return combo->currentText();
  return w->windowTitle();
}

// Setting an edit's text raises its change notification, as typing does.
void SetTextOf(QWidget* w, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(w))
    SetEditText(edit, text);
  else if (auto* label = qobject_cast<QLabel*>(w))
    label->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(w))
    button->setText(text);
  else
    w->setWindowTitle(text);
}

// The text without leading and trailing blanks, or nothing when it is empty then.
std::string Trimmed(const QString& text) { return text.trimmed().toStdString(); }

// A decimal integer with an optional sign ('-' only when `allowMinus`), within [min, max].
bool ParseInteger(const QString& text, long long min, long long max, bool allowMinus, long long* value) {
  const std::string s = Trimmed(text);
  if (s.empty() || (!allowMinus && s[0] == '-')) return false;
  const char* begin = s.c_str();
  char* end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(begin, &end, 10);
  if (end == begin || *end != '\0' || errno == ERANGE || parsed < min || parsed > max) return false;
  *value = parsed;
  return true;
}

bool ParseDouble(const QString& text, double* value) {
  const std::string s = Trimmed(text);
  if (s.empty()) return false;
  char* end = nullptr;
  const double parsed = std::strtod(s.c_str(), &end);
  if (end == s.c_str() || *end != '\0') return false;
  *value = parsed;
  return true;
}

std::string FifteenDigits(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", v);
  return text;
}

// The fewest significant digits that read back to `f`, written as fifteen digits would write
// the value they read as, so 50 shows "50", not "5e+01".
std::string ShortestFloatText(float f) {
  for (int digits = 1; digits <= 9; ++digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(f));
    const double read = std::strtod(text, nullptr);
    if (static_cast<float>(read) == f) return FifteenDigits(read);
  }
  return FifteenDigits(f);
}

// Shows the framework's message `id` with %1 and %2 replaced, as an exclamation box.
void ShowMessage(UINT id, const CString& first, const CString& second) {
  CString pattern;
  pattern.LoadString(id);
  std::string text;
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
      text += (p[1] == '1' ? first : second).str();
      ++p;
    } else {
      text += *p;
    }
  }
  AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

template <class T>
void ExchangeInteger(CDataExchange* dx, int id, T& value, long long min, long long max, UINT message) {
  QWidget* control = dx->PrepareEditCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    SetTextOf(control, QString::number(static_cast<long long>(value)));
    return;
  }
  long long parsed = 0;
  if (!ParseInteger(TextOf(control), min, max, min < 0, &parsed)) dx->Refuse(message);
  value = static_cast<T>(parsed);
}

template <class T>
void CheckRange(CDataExchange* dx, T value, T min, T max) {
  if (!dx->m_bSaveAndValidate || (value >= min && value <= max)) return;
  dx->Refuse(AFX_IDP_PARSE_INT_RANGE, CString(std::to_string(min)), CString(std::to_string(max)));
}

}  // namespace

QWidget* FindDialogControl(const CWnd* dialog, int id) {
  QWidget* widget = dialog ? dialog->GetWidget() : nullptr;
  if (!widget) return nullptr;
  for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (ControlIdOf(child) == id) return child;
  return nullptr;
}

QWidget* CDataExchange::PrepareCtrl(int id) {
  last_ = FindDialogControl(m_pDlgWnd, id);
  lastIsEdit_ = false;
  if (!last_) AfxThrowUserException();
  return last_;
}

QWidget* CDataExchange::PrepareEditCtrl(int id) {
  PrepareCtrl(id);
  lastIsEdit_ = true;
  return last_;
}

void CDataExchange::Fail() {
  if (last_ && m_bSaveAndValidate && !quiet_) {
    last_->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(last_); edit && lastIsEdit_) SelectAllFromStart(edit);
  }
  AfxThrowUserException();
}

void CDataExchange::Refuse(UINT id, const CString& first, const CString& second) {
  if (!quiet_) ShowMessage(id, first, second);
  Fail();
}

CString DialogDoubleText(double value) {
  if (std::fabs(value) <= std::numeric_limits<float>::max()) {
    const auto single = static_cast<float>(value);
    if (static_cast<double>(single) == value) return CString(ShortestFloatText(single));
  }
  return CString(FifteenDigits(value));
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  QWidget* control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = CString(TextOf(control).toStdString());
  else
    SetTextOf(control, QString::fromUtf8(value.str()));
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  ExchangeInteger(dx, id, value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
  ExchangeInteger(dx, id, value, 0, std::numeric_limits<UINT>::max(), AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* dx, int id, BYTE& value) {
  ExchangeInteger(dx, id, value, 0, 255, AFX_IDP_PARSE_BYTE);
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
  QWidget* control = dx->PrepareEditCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    SetTextOf(control, QString::fromUtf8(DialogDoubleText(value).str()));
    return;
  }
  if (!ParseDouble(TextOf(control), &value)) dx->Refuse(AFX_IDP_PARSE_REAL);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  auto* box = qobject_cast<QAbstractButton*>(dx->PrepareCtrl(id));
  if (!box) dx->Fail();
  if (dx->m_bSaveAndValidate) {
    value = box->isChecked() ? 1 : 0;
  } else {
    const QSignalBlocker quiet(box);  // only the user's clicks notify
    box->setChecked(value != 0);
  }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  auto* first = qobject_cast<QAbstractButton*>(dx->PrepareCtrl(id));
  QButtonGroup* group = first ? first->group() : nullptr;
  if (!group) dx->Fail();
  const QList<QAbstractButton*> buttons = group->buttons();
  if (dx->m_bSaveAndValidate) {
    value = static_cast<int>(buttons.indexOf(group->checkedButton()));
    return;
  }
  // An exclusive group keeps one button checked; it lets go only while not exclusive.
  group->setExclusive(false);
  for (qsizetype i = 0; i < buttons.size(); ++i) {
    const QSignalBlocker quiet(buttons[i]);
    buttons[i]->setChecked(i == value);
  }
  group->setExclusive(true);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int min, int max) { CheckRange(dx, value, min, max); }
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min, UINT max) { CheckRange(dx, value, min, max); }
void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE min, BYTE max) {
  CheckRange<int>(dx, value, min, max);
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double min, double max) {
  if (!dx->m_bSaveAndValidate || (value >= min && value <= max)) return;
  dx->Refuse(AFX_IDP_PARSE_REAL_RANGE, DialogDoubleText(min), DialogDoubleText(max));
}
