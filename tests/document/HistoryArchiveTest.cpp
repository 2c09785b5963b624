// The history block and undo data in archives: stored form, reading back, damaged input refused.
#include <gtest/gtest.h>

#include <string>

#include "core/Preferences.h"
#include "document/CameraLightsUndoData.h"
#include "document/GroupUndoData.h"
#include "document/HistoryTestSupport.h"
#include "document/SelectionUndoData.h"
#include "document/WindowUndoData.h"
#include "platform/framework/ArchiveBackends.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

using namespace history_test;

Bytes Store(EditHistory& history) {
  return StoreBytes(Backend::memory, [&](CArchive& ar) { history.Serialize(ar); });
}

void ExpectLoadFails(const Bytes& bytes, int cause, EditHistory::DataFits fits = nullptr) {
  NumberDocument doc;
  ExpectArchiveFailure(Backend::memory, bytes, cause, [&](CArchive& ar) { doc.GetHistory().Serialize(ar, fits); });
}

// A history block with the records off and `max` kept.
Bytes OffBlock(DWORD max) { return ByteImage().U32(0x80000000).U8(0).U32(max).bytes; }

TEST(HistoryArchiveTest, BlockHasItsStoredFormAndReadsBack) {
  NumberDocument doc;
  doc.GetHistory().SetMaxUndo(7);
  doc.GetHistory().SetSaveEditHistory(FALSE);
  doc.Edit(3);
  EXPECT_EQ(Store(doc.GetHistory()), OffBlock(7)) << "with the history off the block is 9 bytes";

  doc.GetHistory().SetSaveEditHistory(TRUE);
  const std::string arg(255, 'x');
  doc.Edit(5, kUndoAddGroups, 389, arg.c_str());
  const std::string comment1 = doc.GetHistory().GetRecord(0)->GetComment().str();
  const std::string comment2 = doc.GetHistory().GetRecord(1)->GetComment().str();
  ByteImage expected;
  expected.U32(0x80000000).U8(1).U16(2);
  // The first record introduces its class (index 1) and the undo data's (index 3).
  expected.NewClass(0, "ModRec").U32(0x80000000).U32(kUndoEditLights);
  expected.NewClass(0, "NumberUndoData").U32(3).U32(0);
  expected.U8(1).U32(377).U8(0).U8(static_cast<BYTE>(comment1.size())).Text(comment1);
  // The second refers back to both classes; a 255-character argument takes the long form.
  expected.U16(0x8001).U32(0x80000000).U32(kUndoAddGroups);
  expected.U16(0x8003).U32(5).U32(3);
  expected.U8(1).U32(389).U8(0xFF).U16(255).Text(arg).U8(static_cast<BYTE>(comment2.size())).Text(comment2);
  expected.U32(1).U32(7);
  EXPECT_EQ(Store(doc.GetHistory()), expected.bytes);

  // Read back: the current index, the kind, the comment, the description composed again.
  doc.Undo(FALSE);
  doc.GetHistory().GetRecord(1)->SetComment("kept");
  const Bytes bytes = Store(doc.GetHistory());
  NumberDocument read;
  read.value = doc.value;
  LoadBytes(Backend::memory, bytes, [&](CArchive& ar) { read.GetHistory().Serialize(ar); });
  ExpectHistory(read, {.count = 2, .modIndex = 0, .maxUndo = 7, .value = 3});
  const ModRec& rec = *read.GetHistory().GetRecord(1);
  EXPECT_EQ(rec.GetKind(), kUndoDeleteGroups);  // an undone record holds its inverse
  EXPECT_EQ(rec.GetComment(), "kept");
  EXPECT_EQ(rec.GetDescription().str(), "Add Object " + arg);
  read.Redo(FALSE);
  EXPECT_EQ(read.GetHistory().GetRecord(1)->GetComment(), "kept") << "an applied record keeps its texts";
  EXPECT_EQ(read.value, 5);

  // A stored index outside the records leaves none current; a history that is off reads empty.
  Bytes outside = bytes;
  outside[outside.size() - 8] = 2;
  LoadBytes(Backend::memory, outside, [&](CArchive& ar) { read.GetHistory().Serialize(ar); });
  EXPECT_EQ(read.GetHistory().GetModIndex(), -1);
  LoadBytes(Backend::memory, OffBlock(12), [&](CArchive& ar) { read.GetHistory().Serialize(ar); });
  EXPECT_EQ(read.GetHistory().GetCount(), 0);
  EXPECT_EQ(read.GetHistory().GetMaxUndo(), 12);
  EXPECT_FALSE(read.GetHistory().GetSaveEditHistory());
}

TEST(HistoryArchiveTest, DamagedBlocksFailTheLoad) {
  NumberDocument doc;
  doc.GetHistory().SetSaveEditHistory(TRUE);
  doc.Edit(1);
  doc.Edit(2);
  const Bytes good = Store(doc.GetHistory());

  ExpectLoadFails(OffBlock(0xFFFFFFFF), CArchiveException::generic);  // a negative maximum
  Bytes tooMany = good;
  tooMany[tooMany.size() - 4] = 2;  // as many records kept as stored
  LoadBytes(Backend::memory, tooMany, [&](CArchive& ar) { doc.GetHistory().Serialize(ar); });
  EXPECT_EQ(doc.GetHistory().GetMaxUndo(), 2);
  tooMany[tooMany.size() - 4] = 1;  // one record kept, two stored
  ExpectLoadFails(tooMany, CArchiveException::generic);
  Bytes badKind = good;
  badKind[4 + 1 + 2 + 12 + 4] = 11;
  ExpectLoadFails(badKind, CArchiveException::generic);
  Bytes noText = good;
  const std::size_t descId = 4 + 1 + 2 + 12 + 8 + 2 + 2 + 2 + 14 + 8 + 1;
  ASSERT_EQ(noText[descId], 377 % 256);
  noText[descId] = 0x10;  // 272 has no text
  ExpectLoadFails(noText, CArchiveException::generic);
  ExpectLoadFails(good, CArchiveException::generic, [](const ModRec& rec) { return rec.GetKind() != kUndoEditLights; });
  for (std::size_t n = 0; n < good.size(); ++n)
    ExpectLoadFails(Bytes(good.begin(), good.begin() + static_cast<long>(n)), CArchiveException::endOfFile);

  ScriptedMessageBoxes boxes;
  Bytes newer = OffBlock(3);
  newer[0] = 1;
  ExpectLoadFails(newer, CArchiveException::badSchema);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, XString(UINT{40243}).str());
}

TEST(HistoryArchiveTest, ResetTakesTheNewSceneSettings) {
  ScopedMemoryProfile profile;
  NumberDocument doc;
  doc.Edit(1);
  doc.GetHistory().Reset();
  ExpectHistory(doc, {.count = 0, .modIndex = -1, .maxUndo = 2147483647, .value = 1});
  EXPECT_TRUE(doc.GetHistory().GetSaveEditHistory());
  XWriteProfileString(XString(UINT{700}), XString(UINT{701}), "no");
  XWriteProfileString(XString(UINT{700}), XString(UINT{703}), "-3");
  doc.GetHistory().Reset();
  EXPECT_FALSE(doc.GetHistory().GetSaveEditHistory());
  EXPECT_EQ(doc.GetHistory().GetMaxUndo(), 2147483647);
  EXPECT_EQ(XGetProfileString(XString(UINT{700}), XString(UINT{703}), ""), "2147483647");
}

Bytes StoreObject(CObject* object) {
  return StoreBytes(Backend::memory, [&](CArchive& ar) { ar.WriteObject(object); });
}

template <class T>
void ExpectRefused(const Bytes& bytes, int cause) {
  ExpectArchiveFailure(Backend::memory, bytes, cause, [](CArchive& ar) {
    Ptr<T> read;
    ar >> read;
  });
}

// A zoom record holds a zoom the windows can show: even, and at least 100%.
TEST(UndoDataArchiveTest, ZoomRecordsOfUnevenOrReducingZoomsAreRefused) {
  const auto stored = [](XSize numerator, XSize denominator) {
    Ptr<ZoomWindowUndoData> zoom(new ZoomWindowUndoData(new PtrMyself, numerator, denominator, XDPoint(0, 0)));
    return StoreObject(zoom);
  };
  Ptr<ZoomWindowUndoData> read;
  LoadBytes(Backend::memory, stored(XSize(3, 3), XSize(2, 2)), [&](CArchive& ar) { ar >> read; });
  EXPECT_EQ(read->numerator.cy, 3);
  ExpectRefused<ZoomWindowUndoData>(stored(XSize(3, 2), XSize(1, 1)), CArchiveException::generic);
  ExpectRefused<ZoomWindowUndoData>(stored(XSize(2, 2), XSize(2, 1)), CArchiveException::generic);
  ExpectRefused<ZoomWindowUndoData>(stored(XSize(1, 1), XSize(2, 2)), CArchiveException::generic);
}

// Undo data read from a damaged file fails the load before it could reach a check at undo time.
TEST(UndoDataArchiveTest, DamagedRecordsAreRefused) {
  // A camera window kind up to Right (6) reads; one past is refused.
  CameraFields camera;
  camera.windowKind = 6;
  Ptr<EditCameraUndoData> view(new EditCameraUndoData(camera, new PtrMyself));
  Bytes bytes = StoreObject(view);
  const std::size_t handleBytes = StoreObject(view->viewMyself).size();
  const std::size_t kindAt = bytes.size() - handleBytes - 1 - 1 - 4;  // before flag, empty path, handle
  ASSERT_EQ(bytes[kindAt], 6);
  Ptr<EditCameraUndoData> read;
  LoadBytes(Backend::memory, bytes, [&](CArchive& ar) { ar >> read; });
  EXPECT_EQ(read->camera.windowKind, 6);
  bytes[kindAt] = 7;
  ExpectRefused<EditCameraUndoData>(bytes, CArchiveException::generic);

  // Transform records whose lists differ in length.
  Ptr<TransformGroupsUndoData> moves(new TransformGroupsUndoData);
  moves->transforms.AddTail(Transform());
  moves->scales.AddTail(Vector(1, 1, 1));
  moves->scales.AddTail(Vector(1, 1, 1));
  moves->groups.AddTail(new PtrMyself);
  ExpectRefused<TransformGroupsUndoData>(StoreObject(moves), CArchiveException::generic);

  // A camera window's zoom, the only one a scene records, is even and never below 100%.
  for (const auto& [numerator, denominator] : {std::pair{XSize(2, 3), XSize(1, 1)}, {XSize(1, 1), XSize(2, 2)}}) {
    Ptr<ZoomWindowUndoData> zoom(new ZoomWindowUndoData(new PtrMyself, numerator, denominator, XDPoint()));
    ExpectRefused<ZoomWindowUndoData>(StoreObject(zoom), CArchiveException::generic);
  }

  // An image longer than the bytes left fails before anything is allocated.
  Ptr<DeleteGroupsUndoData> deleted(new DeleteGroupsUndoData);
  deleted->image.Store(nullptr, [](CArchive& ar) { ar << DWORD(42); });
  bytes = StoreObject(deleted);
  const std::size_t lengthAt = bytes.size() - 2 - 2 - 4 - 4;  // before image and two empty lists
  ASSERT_EQ(bytes[lengthAt], 4);
  bytes[lengthAt + 3] = 0x7F;
  ExpectRefused<DeleteGroupsUndoData>(bytes, CArchiveException::endOfFile);
}

}  // namespace
