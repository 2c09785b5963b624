// Reference counts, interfaces, names, the frame tree, rotations, the enumeration of live objects, mesh groups.
#include <gmock/gmock.h>

#include <map>
#include <numbers>
#include <tuple>

#include "platform/d3drm/D3DRMTestSupport.h"
#include "platform/d3drm/Frame.h"
#include "platform/d3drm/Matrix.h"

namespace {

using ::testing::UnorderedElementsAreArray;

class ObjectModelTest : public RetainedModeTest {
 protected:
  // Two triangles over four vertices.
  D3DRMGROUPINDEX AddQuad(IDirect3DRMMesh* mesh, float x) {
    const unsigned faces[] = {0, 1, 2, 0, 2, 3};
    D3DRMGROUPINDEX index = -1;
    EXPECT_EQ(mesh->AddGroup(4, 2, 3, faces, &index), D3DRM_OK);
    D3DRMVERTEX v[4] = {};
    for (int i = 0; i < 4; ++i) v[i].position = {x + (i == 1 || i == 2), float(i >= 2), 0.0f};
    EXPECT_EQ(mesh->SetVertices(index, 0, 4, v), D3DRM_OK);
    return index;
  }
};

TEST_F(ObjectModelTest, ParentsAndArraysHoldWhatTheyListAndNamesCountTheirTerminator) {
  auto mesh = NewMesh();
  auto parent = NewFrame();
  auto child = NewFrame(parent.get());
  EXPECT_EQ(CountOf(child.get()), 2u) << "the parent holds its child";
  EXPECT_EQ(CountOf(parent.get()), 1u) << "a child holds no reference on its parent";

  ASSERT_EQ(parent->AddVisual(mesh.get()), D3DRM_OK);
  EXPECT_EQ(CountOf(mesh.get()), 2u);
  IDirect3DRMFrameArray* children = nullptr;
  ASSERT_EQ(parent->GetChildren(&children), D3DRM_OK);
  EXPECT_EQ(children->GetSize(), 1u);
  EXPECT_EQ(CountOf(child.get()), 3u) << "an array holds its elements until it is released";
  EXPECT_EQ(children->Release(), 0u);
  EXPECT_EQ(CountOf(child.get()), 2u);

  // A visual added twice is removed one at a time; what a frame lacks is not found.
  ASSERT_EQ(parent->AddVisual(mesh.get()), D3DRM_OK);
  EXPECT_EQ(parent->DeleteVisual(mesh.get()), D3DRM_OK);
  EXPECT_EQ(parent->DeleteVisual(mesh.get()), D3DRM_OK);
  EXPECT_EQ(parent->DeleteVisual(mesh.get()), D3DRMERR_NOTFOUND);
  EXPECT_EQ(CountOf(mesh.get()), 1u);
  EXPECT_EQ(child->DeleteChild(parent.get()), D3DRMERR_NOTFOUND);
  EXPECT_EQ(parent->DeleteLight(NewLight().get()), D3DRMERR_NOTFOUND);

  // A refused lookup clears its out place.
  void* found = mesh.get();
  EXPECT_EQ(mesh->QueryInterface(IID_IDirect3DRMFrame, &found), E_NOINTERFACE);
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(mesh->QueryInterface(IID_IDirect3DRMMesh, nullptr), E_POINTER);

  // Names count their terminator.
  DWORD size = 99;
  ASSERT_EQ(mesh->GetName(&size, nullptr), D3DRM_OK);
  EXPECT_EQ(size, 0u) << "no name";
  ASSERT_EQ(mesh->SetName("wood.bmp"), D3DRM_OK);
  ASSERT_EQ(mesh->GetName(&size, nullptr), D3DRM_OK);
  EXPECT_EQ(size, 9u);
  char name[9];
  size = 8;
  EXPECT_EQ(mesh->GetName(&size, name), D3DRMERR_BADVALUE) << "one byte short";
  size = 9;
  ASSERT_EQ(mesh->GetName(&size, name), D3DRM_OK);
  EXPECT_STREQ(name, "wood.bmp");
}

// A detached group frame shows one reference whatever the scene still holds (enable links, a camera).
TEST_F(ObjectModelTest, DetachedFramesKeepNoHiddenReferences) {
  auto scene = NewFrame();
  auto camera = NewFrame(scene.get());
  auto group = NewFrame();
  auto mesh = NewMesh();
  auto light = NewLight(D3DRMLIGHT_DIRECTIONAL);

  ASSERT_EQ(scene->AddChild(group.get()), D3DRM_OK);
  ASSERT_EQ(group->AddVisual(mesh.get()), D3DRM_OK);
  ASSERT_EQ(group->AddLight(light.get()), D3DRM_OK);
  ASSERT_EQ(light->SetEnableFrame(scene.get()), D3DRM_OK);
  EXPECT_EQ(CountOf(scene.get()), 1u) << "enable links and children hold no reference";

  ASSERT_EQ(scene->DeleteChild(group.get()), D3DRM_OK);
  ASSERT_EQ(group->DeleteVisual(mesh.get()), D3DRM_OK);
  ASSERT_EQ(group->DeleteLight(light.get()), D3DRM_OK);
  ASSERT_EQ(light->SetEnableFrame(nullptr), D3DRM_OK);
  EXPECT_EQ(CountOf(group.get()), 1u);
  EXPECT_EQ(CountOf(mesh.get()), 1u);
  EXPECT_EQ(CountOf(light.get()), 1u);
}

TEST_F(ObjectModelTest, TheTreeMovesChildrenRefusesCyclesAndComposesTransforms) {
  auto a = NewFrame();
  auto b = NewFrame(a.get());
  auto c = NewFrame(b.get());
  EXPECT_EQ(c->AddChild(a.get()), D3DRMERR_BADVALUE) << "a would contain itself";
  EXPECT_EQ(a->AddChild(a.get()), D3DRMERR_BADVALUE);
  EXPECT_EQ(a->AddChild(nullptr), D3DRMERR_BADVALUE);

  D3DRMMATRIX4D moved = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {5, 6, 7, 1}};
  ASSERT_EQ(c->AddTransform(D3DRMCOMBINE_REPLACE, moved), D3DRM_OK);
  ASSERT_EQ(a->AddChild(c.get()), D3DRM_OK);
  EXPECT_EQ(d3drm::Frame::From(c.get())->parent(), d3drm::Frame::From(a.get()));
  EXPECT_EQ(d3drm::Frame::From(b.get())->children().size(), 0u);
  EXPECT_EQ(CountOf(c.get()), 2u) << "the old parent let go of it";
  // The moved frame keeps its transform; the world transform applies it first and the root's last.
  D3DRMMATRIX4D doubled = {{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 2, 0}, {0, 0, 0, 1}};
  ASSERT_EQ(a->AddTransform(D3DRMCOMBINE_REPLACE, doubled), D3DRM_OK);
  const D3DVECTOR p = d3drm::TransformPoint(d3drm::Frame::From(c.get())->WorldTransform(), {1, 0, 0});
  EXPECT_EQ(p.x, 12.0f) << "(1 + 5) * 2, not 1 * 2 + 5";
  EXPECT_EQ(a->AddTransform(D3DRMCOMBINE_AFTER, doubled), D3DRMERR_BADVALUE);

  // A frame that goes lets its children go.
  auto lone = NewFrame();
  ASSERT_EQ(lone->AddChild(b.get()), D3DRM_OK);
  lone.reset();
  EXPECT_EQ(d3drm::Frame::From(b.get())->parent(), nullptr);
  EXPECT_EQ(CountOf(b.get()), 1u);
}

TEST_F(ObjectModelTest, LightTypesColoursEnableFramesAndBackgroundImages) {
  IDirect3DRMLight* light = nullptr;
  ASSERT_EQ(rm->CreateLightRGB(D3DRMLIGHT_SPOT, 1.0f, 0.5f, 0.0f, &light), D3DRM_OK);
  EXPECT_EQ(light->GetColor(), 0xFFFF8000u) << "channels round to the nearest byte";
  EXPECT_EQ(light->SetType(static_cast<D3DRMLIGHTTYPE>(5)), D3DRMERR_BADVALUE);
  EXPECT_EQ(light->GetType(), D3DRMLIGHT_SPOT);
  EXPECT_EQ(light->Release(), 0u);
  EXPECT_EQ(rm->CreateLight(static_cast<D3DRMLIGHTTYPE>(5), 0, &light), D3DRMERR_BADVALUE);

  // Enable links are cleared when the frame goes.
  auto point = NewLight(D3DRMLIGHT_POINT);
  auto frame = NewFrame();
  ASSERT_EQ(point->SetEnableFrame(frame.get()), D3DRM_OK);
  frame.reset();
  auto* enabled = reinterpret_cast<IDirect3DRMFrame*>(0x1);  // the answer must overwrite it
  ASSERT_EQ(point->GetEnableFrame(&enabled), D3DRM_OK);
  EXPECT_EQ(enabled, nullptr);

  auto scene = NewFrame();
  IDirect3DRMTexture* texture = nullptr;
  ASSERT_EQ(rm->LoadTexture(FixturePath("bmp/rgb24.bmp").c_str(), &texture), D3DRM_OK);
  ASSERT_EQ(scene->SetSceneBackgroundImage(texture), D3DRM_OK);
  EXPECT_EQ(CountOf(texture), 2u);
  ASSERT_EQ(scene->SetSceneBackgroundImage(nullptr), D3DRM_OK);
  EXPECT_EQ(texture->Release(), 0u);
}

// Records each object an enumeration hands out, with the reference it must give back.
void CountHanded(IDirect3DRMObject* object, LPVOID handed) {
  ++(*static_cast<std::map<IDirect3DRMObject*, int>*>(handed))[object];
  object->Release();
}

TEST_F(ObjectModelTest, EnumerateObjectsHandsEveryLiveObjectOnce) {
  auto parent = NewFrame();
  auto child = NewFrame(parent.get());
  auto mesh = NewMesh();
  auto builder = NewBuilder();
  auto light = NewLight();
  NewMesh().reset();  // gone before the walk
  auto material = Make<IDirect3DRMMaterial>([&](IDirect3DRMMaterial** m) { return rm->CreateMaterial(1.0f, m); });

  std::map<IDirect3DRMObject*, int> handed;
  ASSERT_EQ(rm->EnumerateObjects(&CountHanded, &handed), D3DRM_OK);
  const std::vector<std::pair<IDirect3DRMObject*, int>> expected = {
      {parent.get(), 1}, {child.get(), 1}, {mesh.get(), 1}, {builder.get(), 1}, {light.get(), 1}, {material.get(), 1}};
  EXPECT_THAT(handed, UnorderedElementsAreArray(expected));
  EXPECT_EQ(CountOf(child.get()), 2u) << "the walk's own references are gone";
  EXPECT_EQ(CountOf(material.get()), 1u);
}

// Row vectors, left-handed: a quarter turn about x turns the forward axis down (the Top view), about y
// along +x (Left); pi/6 about x gives the default camera's view; about a = (2, 3, 6) / 7 (any length),
// x goes to a cross x + a (a.x).
TEST_F(ObjectModelTest, RotationsTurnAsTheViewsNeed) {
  const std::tuple<D3DVECTOR, double, D3DVECTOR, D3DVECTOR> cases[] = {
      {{1, 0, 0}, std::numbers::pi / 2, {0, 0, 1}, {0, -1, 0}},
      {{0, 1, 0}, std::numbers::pi / 2, {0, 0, 1}, {1, 0, 0}},
      {{1, 0, 0}, std::numbers::pi / 6, {0, 0, 1}, {0, -0.5f, 0.8660254f}},
      {{2, 3, 6}, std::numbers::pi / 2, {1, 0, 0}, {4 / 49.0f, 48 / 49.0f, -9 / 49.0f}}};
  for (const auto& [axis, theta, from, to] : cases) {
    auto frame = NewFrame();
    ASSERT_EQ(frame->AddRotation(D3DRMCOMBINE_REPLACE, axis.x, axis.y, axis.z, D3DVAL(theta)), D3DRM_OK);
    D3DRMMATRIX4D m;
    ASSERT_EQ(frame->GetTransform(m), D3DRM_OK);
    const D3DVECTOR turned = d3drm::TransformPoint(d3drm::Matrix4::From(m), from);
    EXPECT_NEAR(turned.x, to.x, 1e-6) << theta;
    EXPECT_NEAR(turned.y, to.y, 1e-6) << theta;
    EXPECT_NEAR(turned.z, to.z, 1e-6) << theta;
  }
  EXPECT_EQ(NewFrame()->AddRotation(D3DRMCOMBINE_REPLACE, 0, 0, 0, 1.0f), D3DRMERR_BADVALUE) << "a zero axis";
}

TEST_F(ObjectModelTest, GroupsAreNumberedInOrderReadBackAsGivenAndRefusedWhenUnfit) {
  auto mesh = NewMesh();
  EXPECT_EQ(AddQuad(mesh.get(), 0), 0);
  EXPECT_EQ(AddQuad(mesh.get(), 5), 1);
  EXPECT_EQ(mesh->GetGroupCount(), 2u);

  EXPECT_EQ(Faces(mesh.get(), 1), (std::vector<unsigned>{0, 1, 2, 0, 2, 3}));
  unsigned faces[6];
  DWORD size = 5;
  EXPECT_EQ(mesh->GetGroup(1, nullptr, nullptr, nullptr, &size, faces), D3DRMERR_BADVALUE) << "room for 5 words";

  D3DRMVERTEX v[2];
  ASSERT_EQ(mesh->GetVertices(1, 2, 2, v), D3DRM_OK);
  EXPECT_EQ(v[0].position.x, 6.0f);
  EXPECT_EQ(mesh->GetVertices(1, 3, 2, v), D3DRMERR_BADVALUE) << "past the last vertex";
  EXPECT_EQ(mesh->SetVertices(2, 0, 1, v), D3DRMERR_BADVALUE) << "no group 2";
  EXPECT_EQ(mesh->GetGroup(-1, nullptr, nullptr, nullptr, &size, nullptr), D3DRMERR_BADVALUE);

  D3DRMBOX box;
  ASSERT_EQ(mesh->GetBox(&box), D3DRM_OK);
  EXPECT_EQ(box.min.x, 0.0f);
  EXPECT_EQ(box.max.x, 6.0f);
  EXPECT_EQ(box.max.y, 1.0f);
  auto empty = NewMesh();
  ASSERT_EQ(empty->GetBox(&box), D3DRM_OK);
  EXPECT_EQ(box.max.x, 0.0f) << "an empty mesh has the empty box at the origin";

  auto refusing = NewMesh();
  const unsigned quad[] = {0, 1, 2, 3};
  const unsigned outside[] = {0, 1, 4};
  D3DRMGROUPINDEX index = -1;
  EXPECT_EQ(refusing->AddGroup(4, 1, 4, quad, &index), D3DRMERR_BADVALUE) << "triangles only";
  EXPECT_EQ(refusing->AddGroup(4, 1, 3, outside, &index), D3DRMERR_BADVALUE) << "index past the vertices";
  EXPECT_EQ(refusing->AddGroup(4, 1, 3, nullptr, &index), D3DRMERR_BADVALUE);
  EXPECT_EQ(refusing->GetGroupCount(), 0u);
  ASSERT_EQ(refusing->AddGroup(0, 0, 3, nullptr, &index), D3DRM_OK) << "an empty group is allowed";
  EXPECT_EQ(index, 0);
}

TEST_F(ObjectModelTest, GroupLooksAndClonesThatDoNotShareMaterials) {
  auto mesh = NewMesh();
  const auto group = AddQuad(mesh.get(), 0);
  IDirect3DRMMaterial* none = reinterpret_cast<IDirect3DRMMaterial*>(0x1);
  ASSERT_EQ(mesh->GetGroupMaterial(group, &none), D3DRM_OK);
  EXPECT_EQ(none, nullptr) << "a group without a material is no failure";

  auto material = Make<IDirect3DRMMaterial>([&](IDirect3DRMMaterial** m) { return rm->CreateMaterial(4.0f, m); });
  auto texture = Make<IDirect3DRMTexture>(
      [&](IDirect3DRMTexture** t) { return rm->LoadTexture(FixturePath("bmp/pal8.bmp").c_str(), t); });
  ASSERT_EQ(mesh->SetGroupColor(group, 0x80FF0000), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupQuality(group, D3DRMRENDER_WIREFRAME), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupMapping(group, D3DRMMAP_PERSPCORRECT), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupMaterial(group, material.get()), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupTexture(group, texture.get()), D3DRM_OK);
  ASSERT_EQ(mesh->SetAppData(0x8BADBEEF), D3DRM_OK);

  ComPtr<IDirect3DRMMesh> clone;
  ASSERT_EQ(mesh->Clone(nullptr, IID_IDirect3DRMMesh, reinterpret_cast<void**>(clone.put())), D3DRM_OK);
  EXPECT_EQ(clone->GetGroupCount(), 1u);
  EXPECT_EQ(clone->GetGroupColor(0), 0x80FF0000u);
  EXPECT_EQ(clone->GetGroupQuality(0), D3DRMRENDER_WIREFRAME);
  EXPECT_EQ(clone->GetGroupMapping(0), D3DRMMAP_PERSPCORRECT);
  EXPECT_EQ(clone->GetAppData(), 0x8BADBEEFu);
  ComPtr<IDirect3DRMMaterial> cloned;
  ASSERT_EQ(clone->GetGroupMaterial(0, cloned.put()), D3DRM_OK);
  EXPECT_NE(cloned.get(), material.get()) << "a look changed on the clone must not change the source";
  EXPECT_EQ(cloned->GetPower(), 4.0f);
  ComPtr<IDirect3DRMTexture> shared;
  ASSERT_EQ(clone->GetGroupTexture(0, shared.put()), D3DRM_OK);
  EXPECT_EQ(shared.get(), texture.get());
  void* frame = nullptr;
  EXPECT_EQ(mesh->Clone(nullptr, IID_IDirect3DRMFrame, &frame), E_NOINTERFACE);
}

}  // namespace
