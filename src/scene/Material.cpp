#include "scene/Material.h"

#include <cfloat>
#include <vector>

#include "core/XString.h"
#include "scene/MeshGroupUtility.h"
#include "scene/SceneServices.h"

IMPLEMENT_SERIAL(Material, CObject, VERSIONABLE_SCHEMA | 0)

namespace {

constexpr UINT kDefaultName = 87;

// Flags are stored in one byte and read back zero-extended.
void SerializeFlag(CArchive& ar, LONG& flag) {
  if (ar.IsStoring()) {
    ar << static_cast<BYTE>(flag);
  } else {
    BYTE stored;
    ar >> stored;
    flag = stored;
  }
}

}  // namespace

GroupIndexList::GroupIndexList(const GroupIndexList& other) : XList<DWORD>() { *this = other; }

GroupIndexList& GroupIndexList::operator=(const GroupIndexList& other) {
  if (this == &other) return *this;
  RemoveAll();
  for (POSITION pos = other.GetHeadPosition(); pos;) AddTail(other.GetNext(pos));
  return *this;
}

bool GroupIndexList::operator==(const GroupIndexList& other) const {
  if (GetCount() != other.GetCount()) return false;
  for (POSITION a = GetHeadPosition(), b = other.GetHeadPosition(); a;)
    if (GetNext(a) != other.GetNext(b)) return false;
  return true;
}

Material::Material()
    : name(XString(kDefaultName)), diffuse(1.0, 1.0, 1.0, 1.0), emissive(0.0, 0.0, 0.0, 1.0),
      specular(0.0, 0.0, 0.0, 1.0) {}

Material::Material(IUPtr<IDirect3DRMMesh> mesh, D3DRMGROUPINDEX group, LONG reservedValue, LONG pattern,
                   LONG burnedLook, LONG number)
    : Material() {
  reserved = reservedValue;
  patternOn = pattern;
  burned = burnedLook;
  patternNumber = number;
  ReadFromMeshGroup(mesh, group);
}

Material::Material(const Material& other) : CObject(other) { *this = other; }

Material& Material::operator=(const Material& other) {
  name = other.name;
  diffuse = other.diffuse;
  emissive = other.emissive;
  specular = other.specular;
  shininess = other.shininess;
  lighting = other.lighting;
  smooth = other.smooth;
  wireframe = other.wireframe;
  reserved = other.reserved;
  patternOn = other.patternOn;
  burned = other.burned;
  patternNumber = other.patternNumber;
  return *this;
}

bool Material::operator==(const Material& other) const {
  return name == other.name && diffuse == other.diffuse && emissive == other.emissive &&
         specular == other.specular && shininess == other.shininess && lighting == other.lighting &&
         smooth == other.smooth && wireframe == other.wireframe && reserved == other.reserved &&
         patternOn == other.patternOn && burned == other.burned && patternNumber == other.patternNumber;
}

bool Material::operator!=(const Material& other) const { return !(*this == other); }

void Material::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    XASSERT((GetRuntimeClass()->m_wSchema & VERSIONABLE_SCHEMA) != 0, "Schema not versionable");
    ar << static_cast<DWORD>(GetRuntimeClass()->m_wSchema) << name;
  } else {
    ReadSchema(ar, GetRuntimeClass());
    ar >> name;
  }
  diffuse.Serialize(ar);
  emissive.Serialize(ar);
  specular.Serialize(ar);
  if (ar.IsStoring())
    ar << shininess;
  else
    ar >> shininess;
  SerializeFlag(ar, lighting);
  SerializeFlag(ar, smooth);
  SerializeFlag(ar, wireframe);
  if (ar.IsStoring())
    ar << reserved;
  else
    ar >> reserved;
  SerializeFlag(ar, patternOn);
  SerializeFlag(ar, burned);
  if (ar.IsStoring()) {
    ar << patternNumber;
    return;
  }
  ar >> patternNumber;
  // What no page can show or set is damage: a shininess that is negative, no number or beyond a
  // platform material's single precision, a pattern number outside the pattern slider's range.
  if (!(shininess >= 0.0 && shininess <= FLT_MAX) || patternNumber < kFirstPatternNumber ||
      patternNumber > kLastPatternNumber)
    AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
}

D3DRMRENDERQUALITY Material::GetRenderQuality() const {
  return (lighting ? D3DRMLIGHT_ON : D3DRMLIGHT_OFF) | (wireframe ? D3DRMFILL_WIREFRAME : D3DRMFILL_SOLID) |
         (smooth ? D3DRMSHADE_PHONG : D3DRMSHADE_FLAT);
}

void Material::ReadFromMeshGroup(IUPtr<IDirect3DRMMesh> mesh, D3DRMGROUPINDEX group) {
  const LONG keptReserved = reserved, keptPatternOn = patternOn, keptBurned = burned, keptNumber = patternNumber;
  *this = Material();
  reserved = keptReserved;
  patternOn = keptPatternOn;
  burned = keptBurned;
  patternNumber = keptNumber;

  IUPtr<IDirect3DRMMaterial> mat;
  XCHECK_D3DRM(mesh->GetGroupMaterial( group, &mat ));
  if (mat) {
    ReadD3DRMMaterial(mat);
    DWORD size = 0;
    XCHECK_D3DRM(mat->GetName( &size, NULL ));
    if (size == 0) name = XString(static_cast<long>(group));
  }
  diffuse.SetD3DCOLOR(mesh->GetGroupColor(group));
  const D3DRMRENDERQUALITY q = mesh->GetGroupQuality(group);
  lighting = (q & D3DRMLIGHT_ON) ? 1 : 0;
  wireframe = (q & D3DRMFILL_WIREFRAME) ? 1 : 0;
  // Every part read from a mesh starts smooth, whatever the group's shade mode.
  smooth = 1;
}

void Material::ReadD3DRMMaterial(IUPtr<IDirect3DRMMaterial> m) {
  D3DVALUE r, g, b;
  XCHECK_D3DRM(m->GetEmissive( &r, &g, &b ));
  emissive = Color(r, g, b, 1.0);
  XCHECK_D3DRM(m->GetSpecular( &r, &g, &b ));
  specular = Color(r, g, b, 1.0);
  shininess = m->GetPower();
  DWORD size = 0;
  XCHECK_D3DRM(m->GetName( &size, NULL ));
  if (size == 0) {
    name.Empty();
    return;
  }
  std::vector<char> string(size);
  XCHECK_D3DRM_TEXT(m->GetName(&size, (char*)string.data()), "m->GetName( &size, (char*)string )");
  name = CString(string.data());
}

void Material::WriteD3DRMMaterial(IUPtr<IDirect3DRMMaterial> m) const {
  double r, g, b;
  emissive.GetRGB(&r, &g, &b);
  XCHECK_D3DRM(m->SetEmissive( D3DVAL(r), D3DVAL(g), D3DVAL(b) ));
  specular.GetRGB(&r, &g, &b);
  XCHECK_D3DRM(m->SetSpecular( D3DVAL(r), D3DVAL(g), D3DVAL(b) ));
  XCHECK_D3DRM(m->SetPower( D3DVAL(shininess) ));
  XCHECK_D3DRM(m->SetName( name ));
}

void Material::ApplyToMeshGroups(IUPtr<IDirect3DRMMesh> mesh, const GroupIndexList& groups) const {
  const D3DRMRENDERQUALITY q = GetRenderQuality();
  for (POSITION pos = groups.GetHeadPosition(); pos;) {
    const auto group = static_cast<D3DRMGROUPINDEX>(groups.GetNext(pos));
    IUPtr<IDirect3DRMMaterial> mat;
    XCHECK_D3DRM(mesh->GetGroupMaterial( group, &mat ));
    if (!mat) {
      XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->CreateMaterial(D3DVAL(shininess), &mat),
                        "XGetApp()->lpD3DRM->CreateMaterial( D3DVAL( shininess ), &mat )");
      XCHECK_D3DRM(mesh->SetGroupMaterial( group, mat ));
    }
    WriteD3DRMMaterial(mat);
    Color former;
    former.SetD3DCOLOR(mesh->GetGroupColor(group));
    XCHECK_D3DRM(mesh->SetGroupColor( group, diffuse.GetD3DCOLOR() ));
    if (!patternOn) XSetGroupVertexColor(mesh, group, diffuse.GetD3DCOLOR());
    const LONG wasLit = (mesh->GetGroupQuality(group) & D3DRMLIGHT_ON) ? 1 : 0;
    XCHECK_D3DRM(mesh->SetGroupQuality( group, q ));
    if (lighting != wasLit || former.a != diffuse.a) GetSceneApp().RegenerateAllViews();
  }
  if (patternOn) XApplyVertexColorPattern(mesh, groups, diffuse, patternNumber, burned);
}
