#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/framework/ArchiveBackends.h"
#include "platform/framework/List.h"
#include "platform/framework/Map.h"

// Test classes have external linkage so that their generated extraction operators count as used.
namespace archive_test {

// A plain serializable class of fixed schema 1.
class Leaf : public CObject {
  DECLARE_SERIAL(Leaf)
 public:
  DWORD value = 0;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << value;
    else
      ar >> value;
  }
};
IMPLEMENT_SERIAL(Leaf, CObject, 1)

// A versionable class whose contents are two references.
class Pair : public CObject {
  DECLARE_SERIAL(Pair)
 public:
  CObject* first = nullptr;
  CObject* second = nullptr;
  UINT loadedSchema = 0;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar.WriteObject(first);
      ar.WriteObject(second);
    } else {
      loadedSchema = ar.m_nObjectSchema;
      first = ar.ReadObject(nullptr);
      second = ar.ReadObject(nullptr);
    }
  }
};
IMPLEMENT_SERIAL(Pair, CObject, VERSIONABLE_SCHEMA | 2)

}  // namespace archive_test

namespace {

using archive_test::Leaf;
using archive_test::Pair;

class ArchiveTest : public ::testing::TestWithParam<Backend> {};

TEST_P(ArchiveTest, NumbersCountsAndStringsHaveTheirStoredForms) {
  const std::string s254(254, 'a'), s255(255, 'b'), s65534(65534, 'c'), s65533(65533, 'd');
  Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) {
    ar << BYTE(0x12) << WORD(0x3456) << DWORD(0x789ABCDE) << LONG(-2) << 0.5;
    ar.WriteCount(0xFFFE);
    ar.WriteCount(65535);
    ar << CString() << CString(s254.c_str()) << CString(s255.c_str()) << CString(s65533.c_str())
       << CString(s65534.c_str());
  });
  ByteImage expected;
  expected.U8(0x12).U16(0x3456).U32(0x789ABCDE).U32(0xFFFFFFFE).F64(0.5);
  expected.U16(0xFFFE).U16(0xFFFF).U32(65535);
  expected.U8(0).U8(254).Text(s254).U8(0xFF).U16(255).Text(s255).U8(0xFF).U16(65533).Text(s65533);
  expected.U8(0xFF).U16(0xFFFF).U32(65534).Text(s65534);
  ASSERT_EQ(bytes, expected.bytes);

  // Reading back and storing again gives the same bytes.
  BYTE b;
  WORD w;
  DWORD d, n1 = 0, n2 = 0;
  LONG l;
  double f;
  CString e, s1, s2, s3, s4;
  LoadBytes(GetParam(), bytes, [&](CArchive& ar) {
    ar >> b >> w >> d >> l >> f;
    n1 = ar.ReadCount();
    n2 = ar.ReadCount();
    ar >> e >> s1 >> s2 >> s3 >> s4;
    EXPECT_EQ(ar.GetBytesLeft(), 0u);
  });
  EXPECT_EQ(StoreBytes(Backend::memory, [&](CArchive& ar) {
              ar << b << w << d << l << f;
              ar.WriteCount(n1);
              ar.WriteCount(n2);
              ar << e << s1 << s2 << s3 << s4;
            }),
            bytes);
}

TEST_P(ArchiveTest, ObjectsAreWrittenOnceAndReferredBackAfterwards) {
  Leaf leaf;
  leaf.value = 7;
  Pair inner, outer;
  inner.first = inner.second = &leaf;
  outer.first = &inner;
  outer.second = &leaf;
  Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) {
    ar.WriteObject(&outer);
    ar.WriteObject(nullptr);
  });
  // Indices: 1 class Pair, 2 outer, 3 inner, 4 class Leaf, 5 leaf.
  ByteImage expected;
  expected.NewClass(2, "Pair").U16(0x8001).NewClass(1, "Leaf").U32(7).U16(5).U16(5).U16(0);
  ASSERT_EQ(bytes, expected.bytes);

  LoadBytes(GetParam(), bytes, [&](CArchive& ar) {
    std::unique_ptr<Pair> top(dynamic_cast<Pair*>(ar.ReadObject(RUNTIME_CLASS(Pair))));
    ASSERT_TRUE(top);
    std::unique_ptr<Pair> middle(dynamic_cast<Pair*>(top->first));
    ASSERT_TRUE(middle);
    std::unique_ptr<Leaf> shared(dynamic_cast<Leaf*>(middle->first));
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->value, 7u);
    EXPECT_EQ(middle->second, shared.get());
    EXPECT_EQ(top->second, shared.get());
    EXPECT_EQ(top->loadedSchema, 2u);
    EXPECT_EQ(ar.ReadObject(nullptr), nullptr);
  });
}

// Indices up to 0x7FFE take a WORD tag, from 0x7FFF on the escape and a DWORD, one step at a time.
TEST_P(ArchiveTest, IndicesFromTheBigRangeUseTheLongTags) {
  Leaf filler, leaf, other;
  const struct {
    int fillers;
    ByteImage expected;
  } cases[] = {
      // class 0x7FFD, objects 0x7FFE and 0x7FFF
      {0x7FFC, ByteImage().NewClass(1, "Leaf").U32(0).U16(0x7FFE).U16(0xFFFD).U32(0)},
      // class 0x7FFE, objects 0x7FFF and 0x8000
      {0x7FFD, ByteImage().NewClass(1, "Leaf").U32(0).U16(0x7FFF).U32(0x7FFF).U16(0xFFFE).U32(0)},
      // class 0x7FFF, objects 0x8000 and 0x8001
      {0x7FFE, ByteImage().NewClass(1, "Leaf").U32(0).U16(0x7FFF).U32(0x8000).U16(0x7FFF).U32(0x80007FFF).U32(0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fillers);
    Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) {
      for (int i = 0; i < c.fillers; ++i) ar.MapObject(&filler);
      ar.WriteObject(&leaf);
      ar.WriteObject(&leaf);  // a back reference
      ar.WriteObject(&other);
    });
    ASSERT_EQ(bytes, c.expected.bytes);

    LoadBytes(GetParam(), bytes, [&](CArchive& ar) {
      for (int i = 0; i < c.fillers; ++i) ar.MapObject(&filler);
      std::unique_ptr<CObject> first(ar.ReadObject(RUNTIME_CLASS(Leaf)));
      EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(Leaf)), first.get());
      std::unique_ptr<CObject> second(ar.ReadObject(RUNTIME_CLASS(Leaf)));
      EXPECT_NE(second, nullptr);
      EXPECT_NE(second, first);
    });
  }
}

// Damaged and foreign images fail with an archive exception before anything is allocated.
TEST_P(ArchiveTest, DamagedImagesFailWithTheirCause) {
  auto readLeaf = [](CArchive& ar) { std::unique_ptr<CObject> o(ar.ReadObject(RUNTIME_CLASS(Leaf))); };
  auto readAny = [](CArchive& ar) {
    std::unique_ptr<CObject> a(ar.ReadObject(nullptr));
    std::unique_ptr<CObject> b(ar.ReadObject(nullptr));
  };
  const Backend b = GetParam();
  // Lengths and counts one past the end of the data, or far past it.
  ExpectArchiveFailure(b, ByteImage().U8(4).Text("abc").bytes, CArchiveException::endOfFile,
                       [](CArchive& ar) { CString s; ar >> s; });
  ExpectArchiveFailure(b, ByteImage().U16(0xFFFF).U32(5).U32(0).bytes, CArchiveException::endOfFile,
                       [](CArchive& ar) { (void)ar.ReadCount(); });
  LoadBytes(b, ByteImage().U16(0xFFFF).U32(4).U32(0).bytes, [](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), 4u); });
  ExpectArchiveFailure(b, ByteImage().U8(0xFF).U16(0xFFFF).U32(0xFFFFFFF0).bytes, CArchiveException::endOfFile,
                       [](CArchive& ar) { CString s; ar >> s; });
  ExpectArchiveFailure(b, ByteImage().U16(0xFFFF).U32(0x7FFFFFFF).U32(0).bytes, CArchiveException::endOfFile,
                       [](CArchive& ar) { (void)ar.ReadCount(); });
  ExpectArchiveFailure(b, ByteImage().NewClass(1, "Leaf").U16(1).bytes, CArchiveException::endOfFile, readLeaf);
  // Classes that are not ours, or not of the stored schema.
  ExpectArchiveFailure(b, ByteImage().NewClass(1, "Stranger").U32(0).bytes, CArchiveException::badClass, readAny);
  ExpectArchiveFailure(b, ByteImage().NewClass(1, std::string(64, 'L')).bytes, CArchiveException::badClass, readAny);
  ExpectArchiveFailure(b, ByteImage().NewClass(2, "Leaf").U32(0).bytes, CArchiveException::badSchema, readAny);
  ExpectArchiveFailure(b, ByteImage().NewClass(2, "Pair").U16(0).U16(0).bytes, CArchiveException::badClass, readLeaf);
  // Indices: past the table, or naming a class where an object belongs (and the reverse).
  Bytes oneLeaf = ByteImage().NewClass(1, "Leaf").U32(9).bytes;  // 1 class, 2 object
  auto withTag = [&](WORD tag) { return ByteImage().Raw(oneLeaf.data(), oneLeaf.size()).U16(tag).bytes; };
  ExpectArchiveFailure(b, withTag(3), CArchiveException::badIndex, readAny);
  ExpectArchiveFailure(b, withTag(1), CArchiveException::badIndex, readAny);
  ExpectArchiveFailure(b, withTag(0x8002), CArchiveException::badIndex, readAny);
  ExpectArchiveFailure(b, ByteImage().U16(0x7FFF).U32(0x80000009).bytes, CArchiveException::badIndex, readAny);
  ExpectArchiveFailure(b, withTag(2), CArchiveException::badClass, [](CArchive& ar) {
    std::unique_ptr<CObject> leaf(ar.ReadObject(nullptr));
    (void)ar.ReadObject(RUNTIME_CLASS(Pair));
  });
  // The last object loaded is the highest tag that resolves.
  LoadBytes(b, withTag(2), [](CArchive& ar) {
    std::unique_ptr<CObject> leaf(ar.ReadObject(nullptr));
    EXPECT_EQ(ar.ReadObject(RUNTIME_CLASS(Leaf)), leaf.get());
  });
}

INSTANTIATE_TEST_SUITE_P(AllFiles, ArchiveTest, ALL_BACKENDS);

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
