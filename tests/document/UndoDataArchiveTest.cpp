#include <gtest/gtest.h>

#include <cstring>

#include "document/CameraLightsUndoData.h"
#include "document/GroupUndoData.h"
#include "document/SelectionUndoData.h"
#include "platform/framework/ArchiveBackends.h"
#include "support/FatalCheck.h"

namespace undo_data_test {

// An object with an identity and a value, as scene groups are.
class Thing : public Myself {
  DECLARE_SERIAL(Thing)
 public:
  LONG value = 0;
  void Serialize(CArchive& ar) override {
    Myself::Serialize(ar);
    if (ar.IsStoring())
      ar << value;
    else
      ar >> value;
  }
};
IMPLEMENT_SERIAL(Thing, Myself, VERSIONABLE_SCHEMA)

class Document : public CObject {
  DECLARE_SERIAL(Document)
};
IMPLEMENT_SERIAL(Document, CObject, 0)

}  // namespace undo_data_test

namespace {

using undo_data_test::Document;
using undo_data_test::Thing;

Bytes StoreObject(CObject* object) {
  return StoreBytes(Backend::memory, [&](CArchive& ar) { ar.WriteObject(object); });
}

template <class T>
Ptr<T> LoadObject(const Bytes& bytes) {
  Ptr<T> read;
  LoadBytes(Backend::memory, bytes, [&](CArchive& ar) { ar >> read; });
  return read;
}

TEST(UndoDataArchiveTest, LightsAndCameraKeepEveryValue) {
  Color ambient(0.1, 0.2, 0.3, 0.4);
  ambient.luminance = 0.9;  // kept as stored, not recomputed
  Transform sun(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12);
  Ptr<EditLightsUndoData> lights(new EditLightsUndoData(ambient, Color(), sun));
  Bytes bytes = StoreObject(lights);
  // Class record, schema, two colours of 44 bytes, then the transform from its last row.
  ASSERT_EQ(bytes.size(), 6u + 18 + 4 + 44 + 44 + 96);
  double first;
  std::memcpy(&first, &bytes[bytes.size() - 96], 8);
  EXPECT_EQ(first, sun.t[2]);
  Ptr<EditLightsUndoData> lightsRead = LoadObject<EditLightsUndoData>(bytes);
  EXPECT_EQ(lightsRead->ambientColor, ambient);
  EXPECT_EQ(lightsRead->sunColor, Color());
  EXPECT_EQ(std::memcmp(&lightsRead->sunTransform, &sun, sizeof sun), 0);

  Thing view;
  CameraFields camera;
  camera.transform = sun;
  camera.focal = 0.05;
  camera.height = 2.0;
  camera.orthographic = TRUE;
  camera.front = 0.25;
  camera.background = RGB(1, 2, 3);
  camera.autoFocusSelected = TRUE;
  camera.linearModel = TRUE;
  camera.linearSensitivity = 200;
  camera.focus = 3.5;
  camera.fstop = 8.0;
  camera.windowKind = 6;
  camera.backgroundImage = TRUE;
  camera.backgroundImagePath = "sky.bmp";
  Ptr<EditCameraUndoData> data(new EditCameraUndoData(camera, HandleOf(view)));
  bytes = StoreObject(data);
  Ptr<EditCameraUndoData> read = LoadObject<EditCameraUndoData>(bytes);
  EXPECT_EQ(StoreObject(read), bytes);
  EXPECT_EQ(read->camera.windowKind, 6);
  EXPECT_EQ(read->camera.backgroundImagePath, "sky.bmp");
  EXPECT_EQ(read->camera.autoAperture, FALSE);
  EXPECT_EQ(read->camera.linearModel, TRUE);

  // A window kind past Right fails the load.
  const std::size_t handleBytes = StoreObject(data->viewMyself).size();
  const std::size_t kindAt = bytes.size() - handleBytes - (1 + 7) - 1 - 4;  // before flag, path, handle
  ASSERT_EQ(bytes[kindAt], 6);
  bytes[kindAt] = 7;
  ExpectArchiveFailure(Backend::memory, bytes, CArchiveException::generic,
                       [](CArchive& ar) { Ptr<EditCameraUndoData> p; ar >> p; });
}

TEST(UndoDataArchiveTest, HandlesInRecordsAreSharedWithTheObjects) {
  Ptr<Thing> a(new Thing), b(new Thing);
  Ptr<ChangeSelectedUndoData> selection(new ChangeSelectedUndoData);
  selection->selected.AddTail(HandleOf(*a));
  selection->selected.AddTail(HandleOf(*b));
  Ptr<TransformGroupsUndoData> moves(new TransformGroupsUndoData);
  moves->transforms.AddTail(Transform());
  moves->scales.AddTail(Vector(1, 2, 3));
  moves->groups.AddTail(HandleOf(*b));
  Document doc;
  Bytes bytes = StoreBytes(Backend::memory, [&](CArchive& ar) {
    ar.m_pDocument = &doc;
    ar << a << selection << moves;
  });
  LoadBytes(Backend::memory, bytes, [&](CArchive& ar) {
    ar.m_pDocument = &doc;
    Ptr<Thing> aRead;
    Ptr<ChangeSelectedUndoData> selectionRead;
    Ptr<TransformGroupsUndoData> movesRead;
    ar >> aRead >> selectionRead >> movesRead;
    EXPECT_EQ(selectionRead->selected.GetHead(), aRead->GetMyself());
    EXPECT_EQ(selectionRead->selected.GetTail(), movesRead->groups.GetHead());
    EXPECT_EQ(movesRead->scales.GetHead().y, 2.0);
  });

  // A transform record whose lists differ in length is refused.
  moves->scales.AddTail(Vector(1, 1, 1));
  bytes = StoreObject(moves);
  ExpectArchiveFailure(Backend::memory, bytes, CArchiveException::generic,
                       [](CArchive& ar) { Ptr<TransformGroupsUndoData> p; ar >> p; });
}

TEST(UndoDataArchiveTest, DeletedGroupsComeBackWithTheirIdentity) {
  Document doc;
  Ptr<Thing> thing(new Thing);
  thing->value = 42;
  Ptr<PtrMyself> handle = HandleOf(*thing);
  Ptr<DeleteGroupsUndoData> data(new DeleteGroupsUndoData);
  data->image.Store(&doc, [&](CArchive& ar) { thing->Serialize(ar); });
  data->parents.AddTail(handle);
  thing = nullptr;
  EXPECT_EQ(handle->GetTarget(), PtrMyself::Destroyed());

  // Through an archive and back, and then re-created twice: the handle follows each new object.
  Bytes bytes = StoreBytes(Backend::memory, [&](CArchive& ar) {
    ar.m_pDocument = &doc;
    ar << handle << data;
  });
  Ptr<PtrMyself> handleRead;
  Ptr<DeleteGroupsUndoData> read;
  LoadBytes(Backend::memory, bytes, [&](CArchive& ar) {
    ar.m_pDocument = &doc;
    ar >> handleRead >> read;
  });
  EXPECT_EQ(read->parents.GetHead(), handleRead);
  for (int n = 0; n < 2; ++n) {
    Ptr<Thing> again(new Thing);
    read->image.Load(&doc, [&](CArchive& ar) { again->Serialize(ar); });
    EXPECT_EQ(again->value, 42);
    EXPECT_EQ(handleRead->GetTarget(), static_cast<Myself*>(again));
  }

  // An image length past the end fails before anything is allocated.
  Bytes huge = StoreObject(read);
  const std::size_t imageBytes = 12;  // schema, key, value
  const std::size_t lengthAt = huge.size() - 2 - (2 + 2) - imageBytes - 4;  // before image and lists
  ASSERT_EQ(huge[lengthAt], imageBytes);
  huge[lengthAt + 3] = 0x7F;
  ExpectArchiveFailure(Backend::memory, huge, CArchiveException::endOfFile,
                       [](CArchive& ar) { Ptr<DeleteGroupsUndoData> p; ar >> p; });
}

}  // namespace
