#include <gtest/gtest.h>

#include "core/XList.h"
#include "platform/framework/ArchiveBackends.h"
#include "support/FatalCheck.h"

namespace {

using ArchiveMap = XMap<DWORD, DWORD, Ptr<PtrMyself>, const Ptr<PtrMyself>&>;

// How the archive map's SetAt treats a key it holds is checked by the identity tests.
TEST(XList, AddUniqueRefusesAnElementItHolds) {
  XList<Ptr<PtrMyself>> list;
  Ptr<PtrMyself> a(new PtrMyself);
  list.AddUnique(a);
  EXPECT_FATAL(list.AddUnique(a), "!Find( a )", "Already exists");
  EXPECT_EQ(list.GetCount(), 1);
}

class XListArchiveTest : public ::testing::TestWithParam<Backend> {};

TEST_P(XListArchiveTest, ElementsKeepTheirFormsAndLoadingAppends) {
  XList<Vector> vectors;
  vectors.AddTail(Vector(1, 2, 3));
  ArchiveMap map, empty;
  Ptr<PtrMyself> a(new PtrMyself), b(new PtrMyself);
  map.SetAt(0x10, a);
  map.SetAt(0x120, b);  // same bucket: written first
  map.SetAt(0x20, a);
  Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) {
    vectors.Serialize(ar);
    map.Serialize(ar);
    empty.Serialize(ar);
  });
  ByteImage expected;
  expected.U16(1).F64(1).F64(2).F64(3);
  expected.U16(3).U32(0x120).NewClass(0, "PtrMyself").U32(0x10).U16(0x8001).U32(0x20).U16(3).U16(0);
  EXPECT_EQ(bytes, expected.bytes);

  LoadBytes(GetParam(), bytes, [&](CArchive& ar) {
    vectors.Serialize(ar);
    ArchiveMap read;
    read.Serialize(ar);
    EXPECT_EQ(vectors.GetCount(), 2);
    EXPECT_EQ(vectors.GetTail().z, 3.0);
    Ptr<PtrMyself> at10, at20, at120;
    ASSERT_TRUE(read.Lookup(0x10, at10) && read.Lookup(0x20, at20) && read.Lookup(0x120, at120));
    EXPECT_EQ(at10, at20);
    EXPECT_NE(at10, at120);
  });
  // A list left with the elements read before the damage.
  XList<Vector> partial;
  ExpectArchiveFailure(GetParam(), ByteImage().U16(2).F64(1).F64(2).F64(3).F64(4).bytes,
                       CArchiveException::endOfFile, [&](CArchive& ar) { partial.Serialize(ar); });
  EXPECT_EQ(partial.GetCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(AllFiles, XListArchiveTest, ALL_BACKENDS);

}  // namespace
