#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/framework/ArchiveBackends.h"
#include "platform/framework/List.h"
#include "platform/framework/Map.h"

namespace {

// Counts its constructions and destructions so that lifetime leaks show.
struct Counted {
  static inline int made = 0, gone = 0;
  int v;
  Counted(int value = 0) : v(value) { ++made; }  // NOLINT
  Counted(const Counted& o) : v(o.v) { ++made; }
  Counted& operator=(const Counted&) = default;
  ~Counted() { ++gone; }
  bool operator==(const Counted& o) const { return v == o.v; }
};

template <class List>
std::vector<int> Values(List& list) {
  std::vector<int> out;
  for (POSITION pos = list.GetHeadPosition(); pos;) out.push_back(list.GetNext(pos).v);
  return out;
}

TEST(List, InsertsRemovesAndFindsInOrder) {
  Counted::made = Counted::gone = 0;
  {
    CList<Counted> list;
    list.AddTail(2);
    POSITION three = list.AddTail(3);
    list.AddHead(1);
    CList<Counted> other;
    other.AddTail(8);
    other.AddTail(9);
    list.AddHead(&other);
    list.AddTail(&list);  // a list appended to itself doubles once
    EXPECT_EQ(Values(list), (std::vector<int>{8, 9, 1, 2, 3, 8, 9, 1, 2, 3}));

    EXPECT_EQ(list.Find(3), three);
    EXPECT_NE(list.Find(3, three), nullptr);
    EXPECT_EQ(list.Find(7), nullptr);
    list.RemoveAt(three);
    EXPECT_EQ(list.RemoveHead().v, 8);
    EXPECT_EQ(list.RemoveTail().v, 3);
    EXPECT_EQ(Values(list), (std::vector<int>{9, 1, 2, 8, 9, 1, 2}));
  }
  EXPECT_EQ(Counted::made, Counted::gone);
}

using FrameMap = CMap<DWORD, DWORD, DWORD, DWORD>;

class MapArchiveTest : public ::testing::TestWithParam<Backend> {};

TEST_P(MapArchiveTest, FrameMapStoresRawPairsInWalkOrder) {
  FrameMap map;  // 0x10 and 0x120 share bucket 1 of 17: the newer one is walked first
  map[0x10] = 0xAA;
  map[0x120] = 0xBB;
  Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) {
    map.Serialize(ar);
    FrameMap().Serialize(ar);
  });
  EXPECT_EQ(bytes, ByteImage().U16(2).U32(0x120).U32(0xBB).U32(0x10).U32(0xAA).U16(0).bytes);
  LoadBytes(GetParam(), bytes, [&](CArchive& ar) {
    FrameMap copy;
    copy[0x10] = 1;  // reading finds the key and replaces its value
    copy.Serialize(ar);
    DWORD v = 0;
    EXPECT_EQ(copy.GetCount(), 2);
    EXPECT_TRUE(copy.Lookup(0x10, v));
    EXPECT_EQ(v, 0xAAu);
  });
  ExpectArchiveFailure(GetParam(), ByteImage().U16(2).U32(1).U32(2).bytes, CArchiveException::endOfFile,
                       [](CArchive& ar) { FrameMap().Serialize(ar); });
}

INSTANTIATE_TEST_SUITE_P(AllFiles, MapArchiveTest, ALL_BACKENDS);

TEST(MemFile, GrowsDetachesAndAttaches) {
  CMemFile file(4);
  file.Write("abcdef", 6);
  BYTE* block = file.Detach();
  EXPECT_EQ(std::memcmp(block, "abcdef", 6), 0);
  EXPECT_EQ(file.GetLength(), 0u);

  {
    // An attached block stays its owner's and never grows.
    CMemFile attached(block, 6);
    char all[8];
    EXPECT_EQ(attached.Read(all, 8), 6u);
    EXPECT_EQ(attached.Read(all, 8), 0u);
    attached.Seek(0, CFile::begin);
    attached.Write("X", 1);
    EXPECT_THROW(attached.Write("0123456", 7), CMemoryException);
  }
  EXPECT_EQ(block[0], 'X');
  std::free(block);
}

}  // namespace
