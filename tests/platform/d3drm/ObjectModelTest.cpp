// Reference counts, interfaces, names, the frame tree, rotations, the enumeration of live objects and
// mesh groups: adding, reading back, their looks, the box and clones.
#include <gmock/gmock.h>

#include <cmath>
#include <map>
#include <numbers>

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
  // Where point v goes under a frame turned by theta about (x, y, z), within 1e-6.
  void ExpectTurned(D3DVALUE x, D3DVALUE y, D3DVALUE z, double theta, D3DVECTOR v, const double (&to)[3]) {
    auto frame = NewFrame();
    ASSERT_EQ(frame->AddRotation(D3DRMCOMBINE_REPLACE, x, y, z, D3DVAL(theta)), D3DRM_OK);
    D3DRMMATRIX4D m;
    ASSERT_EQ(frame->GetTransform(m), D3DRM_OK);
    const D3DVECTOR turned = d3drm::TransformPoint(d3drm::Matrix4::From(m), v);
    EXPECT_NEAR(turned.x, to[0], 1e-6);
    EXPECT_NEAR(turned.y, to[1], 1e-6);
    EXPECT_NEAR(turned.z, to[2], 1e-6);
  }
};

TEST_F(ObjectModelTest, ParentsAndArraysHoldWhatTheyList) {
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
  ASSERT_EQ(parent->DeleteVisual(mesh.get()), D3DRM_OK);
  EXPECT_EQ(CountOf(mesh.get()), 1u);

  // Enumeration below finds frames by lookup; a refused lookup clears its out place.
  void* found = mesh.get();
  EXPECT_EQ(mesh->QueryInterface(IID_IDirect3DRMFrame, &found), E_NOINTERFACE);
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(mesh->QueryInterface(IID_IDirect3DRMMesh, nullptr), E_POINTER);
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

TEST_F(ObjectModelTest, NamesCountTheirTerminator) {
  auto mesh = NewMesh();
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
  ASSERT_EQ(mesh->SetName(nullptr), D3DRM_OK);
  ASSERT_EQ(mesh->GetName(&size, nullptr), D3DRM_OK);
  EXPECT_EQ(size, 0u);
}

TEST_F(ObjectModelTest, RemovingWhatAFrameLacksReportsNotFound) {
  auto frame = NewFrame();
  auto other = NewFrame();
  auto mesh = NewMesh();
  auto light = NewLight();
  EXPECT_EQ(frame->DeleteVisual(mesh.get()), D3DRMERR_NOTFOUND);
  EXPECT_EQ(frame->DeleteChild(other.get()), D3DRMERR_NOTFOUND);
  EXPECT_EQ(frame->DeleteLight(light.get()), D3DRMERR_NOTFOUND);
  EXPECT_EQ(CountOf(mesh.get()), 1u);

  // A visual added twice is removed one at a time.
  ASSERT_EQ(frame->AddVisual(mesh.get()), D3DRM_OK);
  ASSERT_EQ(frame->AddVisual(mesh.get()), D3DRM_OK);
  EXPECT_EQ(frame->DeleteVisual(mesh.get()), D3DRM_OK);
  EXPECT_EQ(frame->DeleteVisual(mesh.get()), D3DRM_OK);
  EXPECT_EQ(frame->DeleteVisual(mesh.get()), D3DRMERR_NOTFOUND);
}

TEST_F(ObjectModelTest, TheTreeMovesChildrenAndRefusesCycles) {
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
  D3DRMMATRIX4D local;
  ASSERT_EQ(c->GetTransform(local), D3DRM_OK);
  EXPECT_EQ(local[3][0], 5.0f) << "the local transform stays";

  // A frame that goes lets its children go.
  auto lone = NewFrame();
  ASSERT_EQ(lone->AddChild(b.get()), D3DRM_OK);
  lone.reset();
  EXPECT_EQ(d3drm::Frame::From(b.get())->parent(), nullptr);
  EXPECT_EQ(CountOf(b.get()), 1u);
}

TEST_F(ObjectModelTest, WorldTransformAppliesTheFrameFirstAndTheRootLast) {
  auto outer = NewFrame();
  auto inner = NewFrame(outer.get());
  D3DRMMATRIX4D shift = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {10, 0, 0, 1}};
  ASSERT_EQ(outer->AddTransform(D3DRMCOMBINE_REPLACE, shift), D3DRM_OK);
  ASSERT_EQ(inner->AddTransform(D3DRMCOMBINE_REPLACE, shift), D3DRM_OK);
  D3DRMMATRIX4D doubled = {{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 2, 0}, {0, 0, 0, 1}};
  ASSERT_EQ(outer->AddTransform(D3DRMCOMBINE_REPLACE, doubled), D3DRM_OK);
  const D3DVECTOR p = d3drm::TransformPoint(d3drm::Frame::From(inner.get())->WorldTransform(), {1, 0, 0});
  EXPECT_EQ(p.x, 22.0f) << "(1 + 10) * 2, not 1 * 2 + 10";
  EXPECT_EQ(outer->AddTransform(D3DRMCOMBINE_AFTER, shift), D3DRMERR_BADVALUE);
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
  IDirect3DRMFrame* enabled = nullptr;
  ASSERT_EQ(point->GetEnableFrame(&enabled), D3DRM_OK);
  EXPECT_EQ(enabled, frame.get());
  enabled->Release();
  EXPECT_EQ(frame->Release(), 0u);
  frame.detach();
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

// What an enumeration hands out, and the swap of a visual in every frame, as a rebuilt mesh needs.
struct Replacement {
  IDirect3DRMVisual* old;
  IDirect3DRMVisual* replacement;
  std::map<IDirect3DRMObject*, int> handed;
  int replaced = 0;
};

void ReplaceInFrames(IDirect3DRMObject* object, LPVOID arg) {
  auto* info = static_cast<Replacement*>(arg);
  ++info->handed[object];
  IDirect3DRMFrame* frame = nullptr;
  if (object->QueryInterface(IID_IDirect3DRMFrame, reinterpret_cast<void**>(&frame)) == S_OK) {
    const HRESULT deleted = frame->DeleteVisual(info->old);
    if (deleted == D3DRM_OK) {
      frame->AddVisual(info->replacement);
      ++info->replaced;
    } else {
      EXPECT_EQ(deleted, D3DRMERR_NOTFOUND);
    }
    frame->Release();
  }
  object->Release();
}

TEST_F(ObjectModelTest, EnumerateObjectsHandsEveryLiveObjectOnce) {
  auto showing1 = NewFrame();
  auto showing2 = NewFrame(showing1.get());
  auto elsewhere = NewFrame();
  auto old = NewMesh();
  auto replacement = NewMesh();
  auto builder = NewBuilder();
  auto light = NewLight();
  NewMesh().reset();  // gone before the walk
  auto material = Make<IDirect3DRMMaterial>([&](IDirect3DRMMaterial** m) { return rm->CreateMaterial(1.0f, m); });
  ASSERT_EQ(showing1->AddVisual(old.get()), D3DRM_OK);
  ASSERT_EQ(showing2->AddVisual(old.get()), D3DRM_OK);

  Replacement info{old.get(), replacement.get(), {}};
  ASSERT_EQ(rm->EnumerateObjects(&ReplaceInFrames, &info), D3DRM_OK);
  const std::vector<std::pair<IDirect3DRMObject*, int>> expected = {
      {showing1.get(), 1}, {showing2.get(), 1}, {elsewhere.get(), 1}, {old.get(), 1},
      {replacement.get(), 1}, {builder.get(), 1}, {light.get(), 1}, {material.get(), 1}};
  EXPECT_THAT(info.handed, UnorderedElementsAreArray(expected));
  EXPECT_EQ(info.replaced, 2);
  EXPECT_EQ(CountOf(old.get()), 1u);
  EXPECT_EQ(CountOf(replacement.get()), 3u);
  EXPECT_EQ(CountOf(showing2.get()), 2u) << "the walk's own references are gone";
  EXPECT_EQ(d3drm::Frame::From(elsewhere.get())->visuals().size(), 0u);
  EXPECT_EQ(d3drm::Frame::From(showing2.get())->visuals().front().get(), replacement.get());
  EXPECT_EQ(CountOf(material.get()), 1u);
}

// The frame rotation the program builds every rotation matrix from: row vectors, left-handed.
TEST_F(ObjectModelTest, RotationsTurnTheFixedViewsAndMatchTheRotationAboutAnyAxis) {
  constexpr D3DVECTOR kForward{0.0f, 0.0f, 1.0f};
  ExpectTurned(1, 0, 0, std::numbers::pi / 2, kForward, {0, -1, 0});  // Top looks down
  ExpectTurned(0, 1, 0, std::numbers::pi / 2, kForward, {1, 0, 0});   // Left looks along +x
  ExpectTurned(0, 1, 0, std::numbers::pi, kForward, {0, 0, -1});      // Back
  ExpectTurned(1, 0, 0, std::numbers::pi / 6, kForward, {0, -0.5, 0.8660254});

  // Rodrigues' formula in double precision: v' = v c + (a x v) s + a (a.v)(1 - c).
  const double a[3] = {2.0 / 7, -3.0 / 7, 6.0 / 7};
  const double theta = 0.7;
  const double v[3] = {0.3, -1.2, 2.5};
  const double c = std::cos(theta), s = std::sin(theta), dot = a[0] * v[0] + a[1] * v[1] + a[2] * v[2];
  const double cross[3] = {a[1] * v[2] - a[2] * v[1], a[2] * v[0] - a[0] * v[2], a[0] * v[1] - a[1] * v[0]};
  double expected[3];
  for (int i = 0; i < 3; ++i) expected[i] = v[i] * c + cross[i] * s + a[i] * dot * (1 - c);

  // A point, so a translation left in the matrix would show; a longer axis turns the same way.
  for (double length : {1.0, 3.0}) {
    SCOPED_TRACE(length);
    ExpectTurned(D3DVAL(a[0] * length), D3DVAL(a[1] * length), D3DVAL(a[2] * length), theta,
                 {D3DVAL(v[0]), D3DVAL(v[1]), D3DVAL(v[2])}, expected);
  }
  EXPECT_EQ(NewFrame()->AddRotation(D3DRMCOMBINE_REPLACE, 0, 0, 0, 1.0f), D3DRMERR_BADVALUE) << "a zero axis";
}

TEST_F(ObjectModelTest, GroupsAreNumberedInOrderReadBackAsGivenAndRefusedWhenUnfit) {
  auto mesh = NewMesh();
  EXPECT_EQ(AddQuad(mesh.get(), 0), 0);
  EXPECT_EQ(AddQuad(mesh.get(), 5), 1);
  EXPECT_EQ(mesh->GetGroupCount(), 2u);

  unsigned vCount = 0, fCount = 0, vPerFace = 0;
  DWORD size = 0;
  ASSERT_EQ(mesh->GetGroup(1, &vCount, &fCount, &vPerFace, &size, nullptr), D3DRM_OK);
  EXPECT_EQ(vCount, 4u);
  EXPECT_EQ(fCount, 2u);
  EXPECT_EQ(vPerFace, 3u);
  EXPECT_EQ(size, 6u) << "words of face data";
  unsigned faces[6];
  size = 5;
  EXPECT_EQ(mesh->GetGroup(1, nullptr, nullptr, nullptr, &size, faces), D3DRMERR_BADVALUE) << "room for 5 words";
  size = 6;
  ASSERT_EQ(mesh->GetGroup(1, nullptr, nullptr, nullptr, &size, faces), D3DRM_OK);
  EXPECT_EQ(std::vector<unsigned>(faces, faces + 6), (std::vector<unsigned>{0, 1, 2, 0, 2, 3}));

  D3DRMVERTEX v[2];
  ASSERT_EQ(mesh->GetVertices(1, 2, 2, v), D3DRM_OK);
  EXPECT_EQ(v[0].position.x, 6.0f);
  EXPECT_EQ(mesh->GetVertices(1, 3, 2, v), D3DRMERR_BADVALUE) << "past the last vertex";
  EXPECT_EQ(mesh->SetVertices(2, 0, 1, v), D3DRMERR_BADVALUE) << "no group 2";
  EXPECT_EQ(mesh->GetGroup(-1, &vCount, nullptr, nullptr, nullptr, nullptr), D3DRMERR_BADVALUE);

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

  IDirect3DRMMaterial* material = nullptr;
  ASSERT_EQ(rm->CreateMaterial(4.0f, &material), D3DRM_OK);
  IDirect3DRMTexture* texture = nullptr;
  ASSERT_EQ(rm->LoadTexture(FixturePath("bmp/pal8.bmp").c_str(), &texture), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupColor(group, 0x80FF0000), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupQuality(group, D3DRMRENDER_WIREFRAME), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupMapping(group, D3DRMMAP_PERSPCORRECT), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupMaterial(group, material), D3DRM_OK);
  ASSERT_EQ(mesh->SetGroupTexture(group, texture), D3DRM_OK);
  ASSERT_EQ(mesh->SetAppData(0x8BADBEEF), D3DRM_OK);

  IDirect3DRMMesh* clone = nullptr;
  ASSERT_EQ(mesh->Clone(nullptr, IID_IDirect3DRMMesh, reinterpret_cast<void**>(&clone)), D3DRM_OK);
  EXPECT_EQ(clone->GetGroupCount(), 1u);
  EXPECT_EQ(clone->GetGroupColor(0), 0x80FF0000u);
  EXPECT_EQ(clone->GetGroupQuality(0), D3DRMRENDER_WIREFRAME);
  EXPECT_EQ(clone->GetGroupMapping(0), D3DRMMAP_PERSPCORRECT);
  EXPECT_EQ(clone->GetAppData(), 0x8BADBEEFu);
  IDirect3DRMMaterial* cloned = nullptr;
  ASSERT_EQ(clone->GetGroupMaterial(0, &cloned), D3DRM_OK);
  EXPECT_NE(cloned, material) << "a look changed on the clone must not change the source";
  EXPECT_EQ(cloned->GetPower(), 4.0f);
  IDirect3DRMTexture* sharedTexture = nullptr;
  ASSERT_EQ(clone->GetGroupTexture(0, &sharedTexture), D3DRM_OK);
  EXPECT_EQ(sharedTexture, texture);

  EXPECT_EQ(cloned->Release(), 1u);
  EXPECT_EQ(sharedTexture->Release(), 3u);
  EXPECT_EQ(clone->Release(), 0u);
  EXPECT_EQ(mesh->Clone(nullptr, IID_IDirect3DRMFrame, reinterpret_cast<void**>(&clone)), E_NOINTERFACE);
  mesh.reset();
  EXPECT_EQ(material->Release(), 0u);
  EXPECT_EQ(texture->Release(), 0u);
}

}  // namespace
