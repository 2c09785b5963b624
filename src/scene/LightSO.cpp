#include "scene/LightSO.h"

#include "scene/SceneOwner.h"
#include "scene/SceneServices.h"

IMPLEMENT_SERIAL(LightSO, SceneObj, VERSIONABLE_SCHEMA | 0)

LightSO::LightSO() {
  ConstructionPtr<LightSO> guard(this);
  XCHECK_D3DRM_TEXT(GetSceneApp().GetD3DRM()->CreateLight(D3DRMLIGHT_AMBIENT, 0, &light),
                    "XGetApp()->lpD3DRM->CreateLight( D3DRMLIGHT_AMBIENT, 0, &light )");
  XCHECK_D3DRM_TEXT(light->SetAppData((DWORD_PTR)this), "light->SetAppData( (DWORD)this )");
  SetType(D3DRMLIGHT_AMBIENT);
  Color white(1.0, 1.0, 1.0, 1.0);
  SetColor(white.UpdateLuminance());
  SetConstantAttenuation(1.0);
  SetLinearAttenuation(1.0);
  SetQuadraticAttenuation(1.0);
  SetRange(1.0);
  SetPenumbra(1.0);
  SetUmbra(1.0);
}

void LightSO::SetType(D3DRMLIGHTTYPE newType) {
  type = newType;
  XCHECK_D3DRM(light->SetType( type ));
}

void LightSO::SetColor(const Color& newColor) {
  color = newColor;
  XCHECK_D3DRM(light->SetColor( color.GetD3DCOLOR() ));
}

void LightSO::SetConstantAttenuation(double value) {
  constant = value;
  XCHECK_D3DRM(light->SetConstantAttenuation( D3DVAL(constant) ));
}

void LightSO::SetLinearAttenuation(double value) {
  linear = value;
  XCHECK_D3DRM(light->SetLinearAttenuation( D3DVAL(linear) ));
}

void LightSO::SetQuadraticAttenuation(double value) {
  quadratic = value;
  XCHECK_D3DRM(light->SetQuadraticAttenuation( D3DVAL(quadratic) ));
}

void LightSO::SetRange(double value) {
  range = value;
  XCHECK_D3DRM(light->SetRange( D3DVAL(range) ));
}

void LightSO::SetPenumbra(double value) {
  penumbra = value;
  XCHECK_D3DRM(light->SetPenumbra( D3DVAL(penumbra) ));
}

void LightSO::SetUmbra(double value) {
  umbra = value;
  XCHECK_D3DRM(light->SetUmbra( D3DVAL(umbra) ));
}

Ptr<LightSO> LightSO::Copy() {
  Ptr<LightSO> copy = new LightSO;
  copy->file = file;
  XCHECK_D3DRM_TEXT(copy->light->SetAppData((DWORD_PTR)(LightSO*)copy), "copy->light->SetAppData( (DWORD)(LightSO*)copy )");
  copy->SetType(type);
  copy->SetColor(color);
  copy->SetConstantAttenuation(constant);
  copy->SetLinearAttenuation(linear);
  copy->SetQuadraticAttenuation(quadratic);
  copy->SetRange(range);
  copy->SetPenumbra(penumbra);
  copy->SetUmbra(umbra);
  return copy;
}

void LightSO::Serialize(CArchive& ar) {
  SceneObj::Serialize(ar);
  RequireNotFromFile(ar);
  SerializeSchema(ar);
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(type);
    Color stored = color;
    stored.Serialize(ar);
    ar << constant << linear << quadratic << range << penumbra << umbra;
    // The document is known to every archive that holds lights before the first scene object,
    // so only a reference to it is written, never the document itself.
    CObject* const owner = dynamic_cast<CObject*>(document);
    XASSERT_TEXT(!document || ar.IsMapped(owner), "!document || ar.IsMapped(document)",
                 "The document must be mapped first");
    ar.WriteObject(owner);
    return;
  }
  DWORD storedType;
  ar >> storedType;
  if (storedType > D3DRMLIGHT_PARALLELPOINT) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  SetType(static_cast<D3DRMLIGHTTYPE>(storedType));
  Color stored(1.0, 1.0, 1.0, 1.0);
  stored.Serialize(ar);
  SetColor(stored);
  double value;
  ar >> value;
  SetConstantAttenuation(value);
  ar >> value;
  SetLinearAttenuation(value);
  ar >> value;
  SetQuadraticAttenuation(value);
  ar >> value;
  SetRange(value);
  ar >> value;
  SetPenumbra(value);
  ar >> value;
  SetUmbra(value);
  storedDocument = ReadDocumentReference(ar);
}

SceneOwner* LightSO::TakeStoredDocument() {
  SceneOwner* taken = storedDocument;
  storedDocument = nullptr;
  return taken;
}

SceneOwner* ReadDocumentReference(CArchive& ar) {
  DWORD objectTag = 0;
  if (ar.ReadClass(nullptr, nullptr, &objectTag)) AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
  CObject* object = ar.GetLoadedObject(objectTag);
  if (!object) return nullptr;
  auto* owner = dynamic_cast<SceneOwner*>(object);
  const bool isReadingDocument = dynamic_cast<SceneOwner*>(ar.m_pDocument) ? object == ar.m_pDocument : owner != nullptr;
  if (!isReadingDocument) AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
  return owner;
}
