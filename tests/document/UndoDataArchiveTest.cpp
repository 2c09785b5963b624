// Undo data read from a damaged file fails the load before it could reach a check at undo time.
#include <gtest/gtest.h>

#include "document/CameraLightsUndoData.h"
#include "document/GroupUndoData.h"
#include "document/SelectionUndoData.h"
#include "platform/framework/ArchiveBackends.h"

namespace {

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

TEST(UndoDataArchiveTest, DamagedRecordsAreRefused) {
  // A camera window kind past Right (6).
  CameraFields camera;
  camera.windowKind = 6;
  Ptr<EditCameraUndoData> view(new EditCameraUndoData(camera, new PtrMyself));
  Bytes bytes = StoreObject(view);
  const std::size_t handleBytes = StoreObject(view->viewMyself).size();
  const std::size_t kindAt = bytes.size() - handleBytes - 1 - 1 - 4;  // before flag, empty path, handle
  ASSERT_EQ(bytes[kindAt], 6);
  bytes[kindAt] = 7;
  ExpectRefused<EditCameraUndoData>(bytes, CArchiveException::generic);

  // Transform records whose lists differ in length.
  Ptr<TransformGroupsUndoData> moves(new TransformGroupsUndoData);
  moves->transforms.AddTail(Transform());
  moves->scales.AddTail(Vector(1, 1, 1));
  moves->scales.AddTail(Vector(1, 1, 1));
  moves->groups.AddTail(new PtrMyself);
  ExpectRefused<TransformGroupsUndoData>(StoreObject(moves), CArchiveException::generic);

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
