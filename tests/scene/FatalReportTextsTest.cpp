// What a failed 3D call of the scene reports: the call by its fixed text, whatever the code names
// its variables.
#include <functional>
#include <string>
#include <vector>

#include "Jpeg.h"
#include "LoadMeshTestSupport.h"
#include "platform/d3drm/RenderStage.h"
#include "platform/d3drm/TestSeams.h"
#include "scene/CartoonExecute.h"
#include "scene/Jpeg.h"
#include "scene/LightSO.h"
#include "scene/Material.h"
#include "scene/MeshGroupUtility.h"
#include "scene/TextureLoad.h"
#include "support/FatalCheck.h"

namespace {

class FatalReportTextsTest : public LoadMeshTest {
 protected:
  void TearDown() override {
    D3DRMClearFaults();
    stage.Close();
    LoadMeshTest::TearDown();
  }

  // Loads the texture `name` as the mesh loader's callback does; a texture left behind by a
  // failure is released.
  void LoadTexture(const std::string& name) {
    TextureLoadInfo info(1, 0, 0, 1);
    IDirect3DRMTexture* texture = nullptr;
    std::string text = name;
    struct Release {
      IDirect3DRMTexture*& held;
      ~Release() {
        if (held) held->Release();
      }
    } release{texture};
    LoadTextureCallback(text.data(), &info, &texture);
  }

  RenderStage stage;
};

TEST_F(FatalReportTextsTest, FailedCallsOfTheSceneReportTheCallByItsFixedText) {
  const std::string chair = folder / "Chair.x", bmp = folder / "a.bmp", jpeg = folder / "dots.jpg";
  objects::WriteJpeg(jpeg, {8, 8, std::vector<unsigned char>(8 * 8 * 3, 0x60)}, 90);
  ASSERT_TRUE(stage.Open() && stage.Build(app.lpD3DRM, 32, 32, DDFormat::XRGB8888, 0));
  Ptr<MeshSO> cylinder = new MeshSO(16, 1.0, 50.0, 0xFF0000FF);
  const IUPtr<IDirect3DRMMesh> mesh(cylinder->GetD3DRMMesh());
  GroupIndexList bothGroups;
  bothGroups.AddTail(DWORD{0});
  bothGroups.AddTail(DWORD{0});
  Ptr<GroupSO> group = new GroupSO;
  Ptr<MeshSO> shown = new MeshSO;
  Ptr<MeshSO> loaded = Make(chair);
  const auto newMesh = [] { Ptr<MeshSO> made = new MeshSO; };
  const auto newGround = [] { Ptr<MeshSO> made = new MeshSO(3, 0xFF00FF00); };
  const auto newCylinder = [] { Ptr<MeshSO> made = new MeshSO(16, 1.0, 50.0, 0xFF0000FF); };
  const auto load = [&](BOOL twoSided) { return [&, twoSided] { Make(chair, 0, twoSided); }; };
  const auto batch = [&] { CartoonBatch made(stage.device.get(), 4096); };
  Ptr<LightSO> light = new LightSO;
  Ptr<MeshSO> twin = Make(chair, 1, 0, "Twin"), otherTwin = Make(chair, 1, 0, "Twin");
  IUPtr<IDirect3DRMMaterial> named;
  ASSERT_EQ(app.lpD3DRM->CreateMaterial(1.0f, &named), D3DRM_OK);
  ASSERT_EQ(named->SetName("Red"), D3DRM_OK);
  IUPtr<IDirect3DRMMesh> bare;
  ASSERT_EQ(app.lpD3DRM->CreateMesh(&bare), D3DRM_OK);
  const unsigned face[] = {0, 1, 2};
  D3DRMGROUPINDEX bareGroup = 0;
  ASSERT_EQ(bare->AddGroup(3, 1, 3, face, &bareGroup), D3DRM_OK);
  GroupIndexList firstGroup;
  firstGroup.AddTail(static_cast<DWORD>(bareGroup));
  const auto copyInto = [&] { cylinder->Copy(Ptr<VisualSO>(new MeshSO), 1); };
  // The cartoon data's build, a pick and an outline of the chair, each reading its groups.
  const auto build = [&] { loaded->BuildCartoonEdges(); };
  const auto pick = [&] {
    double distance = 0;
    Vector point;
    D3DRMPICKDESC desc{};
    loaded->Intersect(Vector(0.2, 0.2, -10), Vector(0, 0, 1), distance, point, desc);
  };
  const auto outline = [&] {
    const Transform ahead(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 5);
    loaded->DrawCartoonLines(IUPtr<IDirect3DRMDevice>(stage.device.get()),
                             IUPtr<IDirect3DRMViewport>(stage.viewport.get()), ahead, ahead.Inverse(), 1.0);
  };
  const auto execute = [&] {
    CartoonBatch made(stage.device.get(), 4096);
    made.Execute(stage.viewport.get(), true);
  };

  const struct {
    D3DRMCall call;
    int skip;
    std::function<void()> fail;
    const char* expression;
  } cases[] = {
      {D3DRMCall::CreateMesh, 0, newMesh, "XGetApp()->lpD3DRM->CreateMesh( &mesh )"},
      {D3DRMCall::SetAppData, 0, newMesh, "mesh->SetAppData( (DWORD)this )"},
      {D3DRMCall::GetBox, 0, newMesh, "mesh->GetBox( &box )"},
      {D3DRMCall::CreateMesh, 0, newCylinder, "XGetApp()->lpD3DRM->CreateMesh( &mesh )"},
      {D3DRMCall::AddGroup, 0, newCylinder, "mesh->AddGroup( num*4+2, num*4, 3, (unsigned*)faces, &groupIndex )"},
      {D3DRMCall::SetVertices, 0, newCylinder, "mesh->SetVertices( groupIndex, 0, num*4+2, vertices )"},
      {D3DRMCall::CreateMeshBuilder, 0, newCylinder, "XGetApp()->lpD3DRM->CreateMeshBuilder( &builder )"},
      {D3DRMCall::SetAppData, 0, newCylinder, "mesh->SetAppData( (DWORD)this )"},
      {D3DRMCall::AddGroup, 0, newGround, "mesh->AddGroup( 6, 8, 3, (unsigned*)faces2, &groupIndex )"},
      {D3DRMCall::AddGroup, 1, newGround, "mesh->AddGroup( grids*6, grids*4, 3, (unsigned*)faces, &groupIndex )"},
      {D3DRMCall::SetVertices, 1, newGround, "mesh->SetVertices( groupIndex, 0, grids*6, vertices )"},
      {D3DRMCall::SetAppData, 0, newGround, "mesh->SetAppData( (DWORD)this )"},
      {D3DRMCall::CreateMeshBuilder, 0, load(0), "XGetApp()->lpD3DRM->CreateMeshBuilder( &builder )"},
      {D3DRMCall::BuilderCreateMesh, 0, load(0), "builder->CreateMesh( &mesh )"},
      {D3DRMCall::GetGroup, 0, load(0), "mesh->GetGroup( group, NULL, NULL, &vPerFace, NULL, NULL )"},
      {D3DRMCall::CreateMesh, 0, load(0), "XGetApp()->lpD3DRM->CreateMesh( &new_mesh )"},
      {D3DRMCall::GetGroup, 1, load(0), "mesh->GetGroup( group, &vCount, &fCount, &vPerFace, &fDataSize, NULL )"},
      {D3DRMCall::GetGroup, 2, load(0), "mesh->GetGroup( group, &vCount, &fCount, NULL, &fDataSize, fData )"},
      {D3DRMCall::GetVertices, 0, load(0), "mesh->GetVertices( group, 0, vCount, vData )"},
      {D3DRMCall::AddGroup, 0, load(0), "new_mesh->AddGroup( vCount, fCount, vPerFace, fData, &new_group )"},
      {D3DRMCall::AddGroup, 0, load(1), "new_mesh->AddGroup( vCount * 2, fCount * 2, vPerFace, fData, &new_group )"},
      {D3DRMCall::SetVertices, 0, load(0), "new_mesh->SetVertices( group, 0, vCount, vData )"},
      {D3DRMCall::SetVertices, 0, load(1), "new_mesh->SetVertices( group, 0, vCount * 2, vData )"},
      {D3DRMCall::SetGroupColor, 0, load(0), "new_mesh->SetGroupColor( group, mesh->GetGroupColor( group ) )"},
      {D3DRMCall::SetGroupMapping, 0, load(0), "new_mesh->SetGroupMapping( group, mesh->GetGroupMapping( group ) )"},
      {D3DRMCall::SetGroupQuality, 0, load(0), "new_mesh->SetGroupQuality( group, mesh->GetGroupQuality( group ) )"},
      {D3DRMCall::GetGroupMaterial, 0, load(0), "mesh->GetGroupMaterial( group, &material )"},
      {D3DRMCall::SetGroupMaterial, 0, load(0), "new_mesh->SetGroupMaterial( group, material )"},
      {D3DRMCall::GetGroupTexture, 0, load(0), "mesh->GetGroupTexture( group, &texture )"},
      {D3DRMCall::SetGroupTexture, 0, load(0), "new_mesh->SetGroupTexture( group, texture )"},
      {D3DRMCall::SetAppData, 0, load(0), "mesh->SetAppData( reference ? MULTIPLY_REFERENCED_BY_MESHSO : (DWORD)this )"},
      {D3DRMCall::GetGroup, 1, build, "mesh->GetGroup( group, &vCount, &fCount, NULL, &fDataSize, fData )"},
      {D3DRMCall::GetVertices, 0, build, "mesh->GetVertices( group, 0, vCount, vData )"},
      {D3DRMCall::GetGroup, 1, pick, "mesh->GetGroup( group, &vCount, &fCount, NULL, &fDataSize, faces )"},
      {D3DRMCall::GetVertices, 0, pick, "mesh->GetVertices( group, 0, vCount, vData + vNum )"},
      {D3DRMCall::GetGroup, 1, outline, "mesh->GetGroup( group, &vCount, &fCount, NULL, &fDataSize, faces )"},
      {D3DRMCall::GetVertices, 0, outline, "mesh->GetVertices( group, 0, vCount, vData + vTotal )"},
      {D3DRMCall::EnumerateObjects, 0, [&] { loaded->Load(); },
       "XGetApp()->lpD3DRM->EnumerateObjects( ::ReplaceVisual, &replace )"},
      {D3DRMCall::GetVertices, 0, [&] { XSetGroupVertexColor(mesh, 0, 0); }, "mesh->GetVertices( group, 0, vCount, vData )"},
      {D3DRMCall::SetVertices, 0, [&] { XSetGroupVertexColor(mesh, 0, 0); }, "mesh->SetVertices( group, 0, vCount, vData )"},
      {D3DRMCall::GetVertices, 1, [&] { XApplyVertexColorPattern(mesh, bothGroups, Color(), 1, 0); },
       "mesh->GetVertices( group, 0, vCount, vData )"},
      {D3DRMCall::SetVertices, 0, [&] { XApplyVertexColorPattern(mesh, bothGroups, Color(), 1, 0); },
       "mesh->SetVertices( group, 0, vCount, vData )"},
      {D3DRMCall::CreateFrame, 0, [] { Ptr<GroupSO> made = new GroupSO; }, "XGetApp()->lpD3DRM->CreateFrame( NULL, &frame )"},
      {D3DRMCall::SetAppData, 0, [] { Ptr<GroupSO> made = new GroupSO; }, "frame->SetAppData( (DWORD)this )"},
      {D3DRMCall::GetVisuals, 0, [&] { group->Copy(0); }, "frame->GetVisuals( &visuals )"},
      {D3DRMCall::GetLights, 0, [&] { group->Copy(0); }, "frame->GetLights( &lights )"},
      {D3DRMCall::DeleteVisual, 0, [&] { group->RemoveVisual(shown); }, "frame->DeleteVisual( visual->GetD3DRMVisual() )"},
      {D3DRMCall::AddVisual, 0, [&] { group->AddVisual(shown); }, "frame->AddVisual( visual->GetD3DRMVisual() )"},
      {D3DRMCall::SetName, 0, [&] { LoadTexture(bmp); }, "(*tex)->SetName( name )"},
      {D3DRMCall::CreateTextureFromSurface, 0, [&] { LoadTexture(jpeg); },
       "XGetApp()->lpD3DRM->CreateTextureFromSurface( dest, tex )"},
      {D3DRMCall::CreateLight, 0, [] { Ptr<LightSO> made = new LightSO; },
       "XGetApp()->lpD3DRM->CreateLight( D3DRMLIGHT_AMBIENT, 0, &light )"},
      {D3DRMCall::SetAppData, 0, [] { Ptr<LightSO> made = new LightSO; }, "light->SetAppData( (DWORD)this )"},
      {D3DRMCall::SetAppData, 1, [&] { light->Copy(); }, "copy->light->SetAppData( (DWORD)(LightSO*)copy )"},
      {D3DRMCall::GetName, 1, [&] { Material().ReadD3DRMMaterial(named); }, "m->GetName( &size, (char*)string )"},
      {D3DRMCall::CreateMaterial, 0, [&] { Material().ApplyToMeshGroups(bare, firstGroup); },
       "XGetApp()->lpD3DRM->CreateMaterial( D3DVAL( shininess ), &mat )"},
      {D3DRMCall::CreateMaterial, 0, copyInto, "XGetApp()->lpD3DRM->CreateMaterial( material->GetPower(), &fresh )"},
      {D3DRMCall::SetAppData, 1, copyInto, "copy->mesh->SetAppData( (DWORD)(MeshSO*)copy )"},
      {D3DRMCall::EnumerateObjects, 0, copyInto, "XGetApp()->lpD3DRM->EnumerateObjects( ::ReplaceVisual, &replace )"},
      {D3DRMCall::SetAppData, 1, [&] { twin->Reload(); },
       "mesh->SetAppData( reference ? MULTIPLY_REFERENCED_BY_MESHSO : (DWORD)this )"},
      {D3DRMCall::GetDirect3DDevice, 0, batch, "device->GetDirect3DDevice( &device2 )"},
      {D3DRMCall::CreateExecuteBuffer, 0, batch, "device2->CreateExecuteBuffer( &desc, &eb, NULL )"},
      {D3DRMCall::Lock, 0, batch, "eb->Lock( &desc )"},
      {D3DRMCall::Unlock, 0, execute, "eb->Unlock()"},
      {D3DRMCall::SetExecuteData, 0, execute, "eb->SetExecuteData( &data )"},
      {D3DRMCall::Execute, 0, execute, "device2->Execute( eb, viewport2, D3DEXECUTE_UNCLIPPED )"},
  };
  group->AddVisual(shown);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    D3DRMFailCall(c.call, c.skip, D3DRMERR_BADVALUE);
    EXPECT_FATAL(c.fail(), c.expression, std::to_string(static_cast<DWORD>(D3DRMERR_BADVALUE) & 0xFFFF));
    D3DRMClearFaults();
  }

  // The picture reader's argument checks.
  std::vector<BYTE> pixels(8 * 8 * 3);
  EXPECT_FATAL(ReadJPEG(jpeg.c_str(), nullptr, 8 * 3, 8, 8, 1, FALSE, 0, nullptr), "buffer", "");
  EXPECT_FATAL(ReadJPEG(jpeg.c_str(), pixels.data(), 0, 8, 8, 1, FALSE, 0, nullptr), "pitch", "");
  EXPECT_FATAL(ReadJPEG(jpeg.c_str(), pixels.data(), 8, 8, 8, 1, TRUE, 256, nullptr), "!colormapped || palette", "");
}

}  // namespace
