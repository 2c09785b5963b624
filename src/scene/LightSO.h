// A light of the scene: one platform light whose type, colour and six values are kept here in
// double precision and mirrored into the platform light as they are set. While a group holds it,
// it knows its document and lights only what lies under that document's root group.
#pragma once

#include "core/Color.h"
#include "platform/d3drm/D3DRM.h"
#include "scene/SceneObj.h"

class SceneOwner;

class LightSO : public SceneObj {
  DECLARE_SERIAL(LightSO)
 public:
  LightSO();

  IDirect3DRMLight* GetD3DRMLight() const { return light; }
  D3DRMLIGHTTYPE GetType() const { return type; }
  const Color& GetColor() const { return color; }
  double GetConstantAttenuation() const { return constant; }
  double GetLinearAttenuation() const { return linear; }
  double GetQuadraticAttenuation() const { return quadratic; }
  double GetRange() const { return range; }
  double GetPenumbra() const { return penumbra; }
  double GetUmbra() const { return umbra; }

  void SetType(D3DRMLIGHTTYPE newType);
  void SetColor(const Color& newColor);
  void SetConstantAttenuation(double value);
  void SetLinearAttenuation(double value);
  void SetQuadraticAttenuation(double value);
  void SetRange(double value);
  void SetPenumbra(double value);
  void SetUmbra(double value);

  // A detached light with the same type, colour and values; name and document are not copied.
  Ptr<LightSO> Copy();
  void Serialize(CArchive& ar) override;

  // The document reference read with the light, for the group that attaches it; taking it
  // clears it.
  SceneOwner* TakeStoredDocument();

  // The document whose scene the light lights; set exactly while a group holds the light.
  SceneOwner* document = nullptr;

 private:
  IUPtr<IDirect3DRMLight> light;
  D3DRMLIGHTTYPE type = D3DRMLIGHT_AMBIENT;
  Color color;
  double constant = 1.0;
  double linear = 1.0;
  double quadratic = 1.0;
  double range = 1.0;
  double penumbra = 1.0;
  double umbra = 1.0;
  SceneOwner* storedDocument = nullptr;
};

// Reads the document reference a light stores. Only a back reference to the document being read
// is accepted: the archive's document itself, or, in an archive of an undo image, a document that
// its reader made known first. A document stored inline, another object or a bad index fails the
// load with an archive exception.
SceneOwner* ReadDocumentReference(CArchive& ar);
