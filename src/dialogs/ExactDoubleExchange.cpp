#include "dialogs/ExactDoubleExchange.h"

#include <cstdio>
#include <cstring>

namespace {

// Whether the two values read the same in the edit box's fifteen digits.
bool ShownAlike(double a, double b) {
  char textA[40];
  char textB[40];
  std::snprintf(textA, sizeof textA, "%.15g", a);
  std::snprintf(textB, sizeof textB, "%.15g", b);
  return std::strcmp(textA, textB) == 0;
}

}  // namespace

void DDX_TextExact(CDataExchange* dx, int id, double& value) {
  double read = value;
  DDX_Text(dx, id, read);
  if (dx->m_bSaveAndValidate && !ShownAlike(read, value)) value = read;
}
