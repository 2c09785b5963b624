// Records whose handles name what their kind may not change: the step is refused through the
// history's failure path and the unsaved scene closes, whatever the record would have done.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/DocumentTestSupport.h"
#include "document/GroupUndoData.h"
#include "document/SelectionUndoData.h"
#include "support/ScriptedMessageBoxes.h"

namespace {

using namespace document_test;

struct RecordFitTest : ::testing::Test {
  DocumentTestApp app;
  ScriptedMessageBoxes boxes;
};

// One object group A holding a child, in a new scene whose history holds the record `make` gives.
struct Case {
  const char* name;
  int kind;
  std::function<Ptr<RefCount>(XDocument& doc, GroupSO& a, GroupSO& child)> make;
};

Ptr<RefCount> AddedGroups(std::initializer_list<GroupSO*> groups) {
  Ptr<AddGroupsUndoData> data(new AddGroupsUndoData);
  for (GroupSO* group : groups) data->groups.AddTail(HandleOf(*group));
  return data;
}

TEST_F(RecordFitTest, RecordsNamingWhatTheirKindMayNotChangeAreRefused) {
  const Case cases[] = {
      {"the sunlight as an added object", kUndoAddGroups,
       [](XDocument& doc, GroupSO&, GroupSO&) { return AddedGroups({doc.GetSunlight()}); }},
      {"a deleted object of the sunlight", kUndoDeleteGroups,
       [](XDocument& doc, GroupSO& a, GroupSO&) -> Ptr<RefCount> {
         Ptr<DeleteGroupsUndoData> data(new DeleteGroupsUndoData);
         data->image.Store(&doc, [&](CArchive& ar) { NewGroup(doc, "B")->Serialize(ar); });
         data->parents.AddTail(HandleOf(*doc.GetSunlight()));
         data->selected.AddTail(HandleOf(a));
         return data;
       }},
      {"the sunlight selected", kUndoChangeSelected,
       [](XDocument& doc, GroupSO&, GroupSO&) -> Ptr<RefCount> {
         Ptr<ChangeSelectedUndoData> data(new ChangeSelectedUndoData);
         data->selected.AddTail(HandleOf(*doc.GetSunlight()));
         return data;
       }},
      {"the root moved", kUndoTransformGroups,
       [](XDocument& doc, GroupSO&, GroupSO&) -> Ptr<RefCount> {
         Ptr<TransformGroupsUndoData> data(new TransformGroupsUndoData);
         data->transforms.AddTail(Transform(0.5, Vector(0, 1, 0)));
         data->scales.AddTail(Vector(1, 1, 1));
         data->groups.AddTail(HandleOf(*doc.GetScene()));
         return data;
       }},
      {"an object as a camera", kUndoEditCamera,
       [](XDocument&, GroupSO& a, GroupSO&) -> Ptr<RefCount> {
         return new EditCameraUndoData(CameraFields(), HandleOf(a));
       }},
      {"an added object with its child", kUndoAddGroups,
       [](XDocument&, GroupSO& a, GroupSO& child) { return AddedGroups({&a, &child}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    XDocument doc;
    doc.m_bAutoDelete = FALSE;
    ASSERT_TRUE(doc.OnNewDocument());
    Ptr<GroupSO> a = NewGroup(doc, "A"), child = NewGroup(doc, "Child");
    a->AddGroup(child);
    doc.AddGroup(a, FALSE, FALSE, 0);
    doc.AddRecord(new ModRec(c.kind, c.make(doc, *a, *child), 385, TRUE, ""));
    boxes.boxes.clear();
    EXPECT_FALSE(doc.Undo(TRUE));
    std::vector<std::string> shown;
    for (const ScriptedMessageBoxes::Box& box : boxes.boxes) shown.push_back(box.text);
    EXPECT_EQ(shown, std::vector<std::string>{XString(UINT{40047}).str()});
    EXPECT_EQ(doc.GetFirstViewPosition(), nullptr) << "the scene closed";
    while (POSITION pos = doc.GetFirstViewPosition()) doc.RemoveView(doc.GetNextView(pos));
  }
}

}  // namespace
