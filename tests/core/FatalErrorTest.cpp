#include <gtest/gtest.h>

#include "core/FatalError.h"
#include "support/FatalCheck.h"

namespace {

FatalReport Capture(void (*fail)()) {
  try {
    fail();
  } catch (const FatalCheckFailed& failure) {
    return failure.report;
  }
  ADD_FAILURE() << "no fatal report";
  return {};
}

TEST(FatalError, ReportsShowTheLinesInOrderAndTheLowWordOfAResultAndGuardedCallsRunOnce) {
  FatalReport r = Capture([] {
    XAssertFailed("Pointers.cpp", 1093, "Mar 16 1998", "15:54:59", "message != XString()", "Empty message");
  });
  EXPECT_EQ(r.messageId, 40042u);
  EXPECT_EQ(r.text,
            "Unexpected error.  Please write down the following info and relay it to Product Support, along with a "
            "description of the events leading up to this error.  Sorry, this program must be aborted and you will "
            "lose all unsaved data.\n\nLINE:  1093\nFILE:  Pointers.cpp\nVERSION:  Mar 16 1998 15:54:59\n"
            "EXPRESSION:  message != XString()\nDESCRIPTION:  Empty message");

  const struct {
    void (*fail)();
    UINT messageId;
    const char* codeLine;
  } calls[] = {
      {[] { XAssertD3DRMFailed("a", 1, "d", "t", "call()", ResultFromBits(0x88760311u)); }, 40044, "\nD3DRM_CODE:  785"},
      {[] { XAssertDDFailed("a", 1, "d", "t", "call()", E_OUTOFMEMORY); }, 40043, "\nDD_CODE:  14"},
      {[] { XAssertD3DFailed("a", 1, "d", "t", "call()", E_FAIL); }, 40058, "\nD3D_CODE:  16389"},
  };
  for (const auto& c : calls) {
    r = Capture(c.fail);
    EXPECT_EQ(r.messageId, c.messageId);
    EXPECT_NE(r.text.find(c.codeLine), std::string::npos) << c.codeLine;
  }

  // Every other test that expects a fatal check shows that the forms pass their source text.
  int made = 0;
  auto okCall = [&] { return ++made, S_OK; };
  EXPECT_EQ(XCHECK_DD(okCall()), S_OK);
  EXPECT_EQ(made, 1) << "a guarded call is made once";
}

}  // namespace
