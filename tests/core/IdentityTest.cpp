#include <gtest/gtest.h>

#include "core/XList.h"
#include "platform/framework/ArchiveBackends.h"
#include "platform/win/StringResources.h"
#include "support/FatalCheck.h"
#include "support/ScriptedMessageBoxes.h"

using HandleList = XList<Ptr<PtrMyself>>;
using ArchiveMap = XMap<DWORD, DWORD, Ptr<PtrMyself>, const Ptr<PtrMyself>&>;

namespace identity_test {

// An object with an identity, a value and a list of other objects' handles.
class Thing : public Myself {
  DECLARE_SERIAL(Thing)
 public:
  DWORD value = 0;
  HandleList handles;
  void Serialize(CArchive& ar) override {
    Myself::Serialize(ar);
    if (ar.IsStoring())
      ar << value;
    else
      ar >> value;
    handles.Serialize(ar);
  }
};
IMPLEMENT_SERIAL(Thing, Myself, VERSIONABLE_SCHEMA)

// Stands for the scene document: any context that is not an archive map.
class Document : public CObject {
  DECLARE_SERIAL(Document)
};
IMPLEMENT_SERIAL(Document, CObject, 0)

}  // namespace identity_test

namespace {

using identity_test::Document;
using identity_test::Thing;

class IdentityTest : public ::testing::TestWithParam<Backend> {
 protected:
  // Sets the context; a document is mapped first, as scene files do.
  std::function<void(CArchive&)> In(CObject* context, std::function<void(CArchive&)> body) {
    return [=, this](CArchive& ar) {
      ar.m_pDocument = context;
      if (context == &document) ar.MapObject(&document);
      body(ar);
    };
  }
  Document document;
};

TEST_P(IdentityTest, AListOfHandlesWritesEachHandleOnceAndReadsBackOneSharedObject) {
  Ptr<PtrMyself> h1(new PtrMyself), h2(new PtrMyself);
  HandleList list;
  for (PtrMyself* h : {h1.operator->(), h2.operator->(), h1.operator->(), h1.operator->(), (PtrMyself*)nullptr})
    list.AddTail(h);
  Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) { list.Serialize(ar); });
  EXPECT_EQ(bytes, ByteImage().U16(5).NewClass(0, "PtrMyself").U16(0x8001).U16(2).U16(2).U16(0).bytes);

  LoadBytes(GetParam(), bytes, [&](CArchive& ar) {
    HandleList read;
    read.Serialize(ar);
    ASSERT_EQ(read.GetCount(), 5);
    POSITION pos = read.GetHeadPosition();
    PtrMyself* first = read.GetNext(pos);
    EXPECT_NE(read.GetNext(pos), first);
    EXPECT_EQ(read.GetNext(pos), first);
    EXPECT_EQ(read.GetNext(pos), first);  // twice in a row
    EXPECT_EQ(read.GetNext(pos), nullptr);
    EXPECT_EQ(first->GetTarget(), nullptr);  // no object claimed it
  });
}

TEST_P(IdentityTest, AHandleReadBeforeItsObjectIsClaimedByIt) {
  Ptr<Thing> thing(new Thing), other(new Thing);
  thing->value = 7;
  other->handles.AddTail(thing->GetMyself());
  Bytes bytes = StoreBytes(GetParam(), In(&document, [&](CArchive& ar) { ar << other << thing; }));
  // Indices: 1 document, 2 Thing, 3 other, 4 PtrMyself, 5 and 6 the handles, 7 thing (referring to 6).
  ByteImage expected;
  expected.NewClass(0, "Thing").U32(0x80000000).NewClass(0, "PtrMyself").U32(0).U16(1).U16(0x8004);
  expected.U16(0x8002).U32(0x80000000).U16(6).U32(7).U16(0);
  EXPECT_EQ(bytes, expected.bytes);

  LoadBytes(GetParam(), bytes, In(&document, [&](CArchive& ar) {
              Ptr<Thing> readOther, readThing;
              ar >> readOther >> readThing;
              EXPECT_EQ(readThing->value, 7u);
              EXPECT_EQ(readOther->handles.GetHead(), readThing->GetMyself());
              EXPECT_EQ(readThing->GetMyself()->GetTarget(), static_cast<Thing*>(readThing));
            }));
}

TEST_P(IdentityTest, StoringChecksItsContextAndReadingOneSnapshotTwiceReaimsTheSameHandle) {
  ArchiveMap map;
  Ptr<Thing> original(new Thing);
  Ptr<PtrMyself> holder = original->GetMyself();
  Bytes bytes = StoreBytes(GetParam(), In(&map, [&](CArchive& ar) { original->Serialize(ar); }));
  EXPECT_EQ(bytes, ByteImage().U32(0x80000000).U32(holder->GetKey()).U32(0).U16(0).bytes);
  EXPECT_FATAL(StoreBytes(GetParam(), In(&map, [&](CArchive& ar) { original->Serialize(ar); })),
               "((XMap< DWORD, DWORD, Ptr<PtrMyself>, const Ptr<PtrMyself>& >*)(CObject*) ar.m_pDocument)->SetAt( key, myself )",
               "Already exists.  This serialized twice?");
  EXPECT_FATAL(StoreBytes(GetParam(), In(nullptr, [&](CArchive& ar) { original->Serialize(ar); })),
               "ar.m_pDocument",
               "Must be serializing to either a CDocument* or XMap< DWORD, DWORD, Ptr<PtrMyself>, const "
               "Ptr<PtrMyself>& >*");

  original = nullptr;
  EXPECT_EQ(holder->GetTarget(), PtrMyself::Destroyed());
  Ptr<Thing> first(new Thing), second(new Thing);
  LoadBytes(GetParam(), bytes, In(&map, [&](CArchive& ar) { first->Serialize(ar); }));
  EXPECT_EQ(holder->GetTarget(), static_cast<Thing*>(first));
  LoadBytes(GetParam(), bytes, In(&map, [&](CArchive& ar) { second->Serialize(ar); }));
  EXPECT_EQ(holder->GetTarget(), static_cast<Thing*>(second));
  EXPECT_EQ(first->GetMyself(), holder);

  // A key the map does not hold is damage, not a program error.
  ArchiveMap empty;
  ExpectArchiveFailure(GetParam(), bytes, CArchiveException::badIndex, In(&empty, [&](CArchive& ar) {
                         Ptr<Thing>(new Thing)->Serialize(ar);
                       }));
}

TEST_P(IdentityTest, ANewerSchemaShowsTheMessageAndFailsTheLoad) {
  ScriptedMessageBoxes boxes;
  Ptr<Thing> thing(new Thing);
  auto load = In(&document, [&](CArchive& ar) { thing->Serialize(ar); });
  ExpectArchiveFailure(GetParam(), ByteImage().U32(0x80000001).bytes, CArchiveException::badSchema, load);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text,
            "File being opened was created with a newer version of Tavrolin and can't be opened in this older version "
            "of Tavrolin.\n\nPlease visit Ulmric on the Internet at https://www.ulmric.com/tavrolin to obtain the "
            "latest version of Tavrolin.");

  // The top bit is not required.
  LoadBytes(GetParam(), ByteImage().U32(0).NewClass(0, "PtrMyself").U32(5).U16(0).bytes, load);
  EXPECT_EQ(thing->value, 5u);
}

// Foreign objects where counted ones belong fail the load; a dropped object's handle stays live.
TEST_P(IdentityTest, CountedReferencesAreCheckedAndKeptAlive) {
  const Backend b = GetParam();
  ExpectArchiveFailure(b, ByteImage().U16(1).bytes, CArchiveException::badClass, In(&document, [](CArchive& ar) {
                         Ptr<PtrMyself> handle;
                         ar >> handle;
                       }));
  ExpectArchiveFailure(b, ByteImage().NewClass(0, "Thing").U32(0).U16(0).bytes, CArchiveException::generic,
                       In(&document, [](CArchive& ar) {
                         Ptr<Thing> thing;
                         ar >> thing;
                       }));

  // Two handles under one key: the map keeps the second and drops the first.
  Bytes bytes = ByteImage().U16(2).U32(5).NewClass(0, "PtrMyself").U32(5).U16(0x8001).U16(2).bytes;
  LoadBytes(b, bytes, [](CArchive& ar) {
    ArchiveMap map;
    map.Serialize(ar);
    Ptr<PtrMyself> dropped, kept;
    ar >> dropped;
    ASSERT_TRUE(dropped);
    EXPECT_EQ(dropped->GetTarget(), nullptr);
    EXPECT_TRUE(map.Lookup(5, kept));
    EXPECT_NE(kept, dropped);
  });
}

TEST_P(IdentityTest, ListAndMapElementsKeepTheirFormsAndLoadingAppends) {
  XList<Vector> vectors;
  vectors.AddTail(Vector(1, 2, 3));
  ArchiveMap map, empty;
  Ptr<PtrMyself> a(new PtrMyself), b(new PtrMyself);
  HandleList unique;
  unique.AddUnique(a);
  EXPECT_FATAL(unique.AddUnique(a), "!Find( a )", "Already exists");
  EXPECT_EQ(unique.GetCount(), 1);
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

INSTANTIATE_TEST_SUITE_P(AllFiles, IdentityTest, ALL_BACKENDS);

}  // namespace
