#include <gtest/gtest.h>

#include "core/FatalError.h"
#include "support/FatalCheck.h"

namespace {

const char* const kBody =
    "Unexpected error.  Please write down the following info and relay it to Product Support, along with a "
    "description of the events leading up to this error.  Sorry, this program must be aborted and you will lose "
    "all unsaved data.\n\n";

FatalReport Capture(void (*fail)()) {
  try {
    fail();
  } catch (const FatalCheckFailed& failure) {
    return failure.report;
  }
  ADD_FAILURE() << "no fatal report";
  return {};
}

}  // namespace

TEST(FatalError, PlainCheckShowsTheLinesInTheirOrder) {
  FatalReport r = Capture([] {
    XAssertFailed("Pointers.cpp", 1093, "Mar 16 1998", "15:54:59", "message != XString()", "Empty message");
  });
  EXPECT_EQ(r.messageId, 40042u);
  EXPECT_EQ(r.text, std::string(kBody) +
                        "LINE:  1093\nFILE:  Pointers.cpp\nVERSION:  Mar 16 1998 15:54:59\n"
                        "EXPRESSION:  message != XString()\nDESCRIPTION:  Empty message");

  r = Capture([] { XAssertFailed("f", -7, "d", "t", "x", ""); });
  EXPECT_EQ(r.text, std::string(kBody) + "LINE:  -7\nFILE:  f\nVERSION:  d t\nEXPRESSION:  x\nDESCRIPTION:  ");
}

TEST(FatalError, CallReportersShowOnlyTheLowWordOfTheResult) {
  FatalReport r = Capture([] { XAssertD3DRMFailed("a", 1, "d", "t", "call()", ResultFromBits(0x88760311u)); });
  EXPECT_EQ(r.messageId, 40044u);
  EXPECT_EQ(r.detail, "785");
  EXPECT_NE(r.text.find("\nD3DRM_CODE:  785"), std::string::npos);

  r = Capture([] { XAssertDDFailed("a", 1, "d", "t", "call()", E_OUTOFMEMORY); });
  EXPECT_EQ(r.messageId, 40043u);
  EXPECT_NE(r.text.find("\nDD_CODE:  14"), std::string::npos);

  r = Capture([] { XAssertD3DFailed("a", 1, "d", "t", "call()", E_FAIL); });
  EXPECT_EQ(r.messageId, 40058u);
  EXPECT_NE(r.text.find("\nD3D_CODE:  16389"), std::string::npos);
}

TEST(FatalError, CheckFormsPassTheirSourceText) {
  int calls = 0;
  auto okCall = [&] { ++calls; return S_OK; };
  EXPECT_EQ(XCHECK_DD(okCall()), S_OK);
  EXPECT_EQ(calls, 1);

  auto badCall = [] { return ResultFromBits(0x88760311u); };
  EXPECT_FATAL(XCHECK_D3DRM(badCall( )), "badCall( )", "785");
  int value = 3;
  EXPECT_FATAL(XASSERT(value < 2, "Too big"), "value < 2", "Too big");
  XASSERT(value == 3, "never fails");
}

TEST(FatalError, AShortageBeforeTheHandlerIsInstalledIsFatal) {
  auto shortage = [] { return ResultFromBits(0x8876030Fu); };
  EXPECT_FATAL(XCHECK_D3DRM(shortage()), "size == 0",
               "Insufficient memory condition not handled because handler was not initialized");
}
