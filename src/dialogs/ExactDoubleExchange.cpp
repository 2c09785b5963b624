#include "dialogs/ExactDoubleExchange.h"

namespace {

// Whether the two values read the same in the edit box.
bool ShownAlike(double a, double b) { return DialogDoubleText(a) == DialogDoubleText(b); }

}  // namespace

void DDX_TextExact(CDataExchange* dx, int id, double& value) {
  double read = value;
  DDX_Text(dx, id, read);
  if (dx->m_bSaveAndValidate && !ShownAlike(read, value)) value = read;
}
