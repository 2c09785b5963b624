// The look of one part of a mesh object: name, colour and opacity, glow, highlights, shininess,
// lit, smooth or wireframe, and an optional vertex-colour pattern. A plain value: copied into and
// out of the mesh object's lists, compared to find changes, archived, read from a freshly loaded
// mesh group and written to the mesh groups of its part.
#pragma once

#include "core/Color.h"
#include "core/XList.h"
#include "platform/d3drm/D3DRM.h"

// The mesh group indices of one part. Two lists are equal when they hold the same indices in the
// same order.
class GroupIndexList : public XList<DWORD> {
 public:
  GroupIndexList() = default;
  GroupIndexList(const GroupIndexList& other);
  GroupIndexList& operator=(const GroupIndexList& other);
  bool operator==(const GroupIndexList& other) const;
};

class Material : public CObject {
  DECLARE_SERIAL(Material)
 public:
  // The pattern numbers there are.
  static constexpr LONG kFirstPatternNumber = 1;
  static constexpr LONG kLastPatternNumber = 32767;

  // The defaults: named "default", opaque white, no glow, no highlights, shininess 0, lit,
  // smooth, solid, no pattern.
  Material();
  // The look of one mesh group, keeping the four trailing values given.
  Material(IUPtr<IDirect3DRMMesh> mesh, D3DRMGROUPINDEX group, LONG reserved, LONG patternOn, LONG burned,
           LONG patternNumber);
  Material(const Material& other);
  Material& operator=(const Material& other);

  const CString& GetName() const { return name; }
  // Every member compared, the name included.
  bool operator==(const Material& other) const;
  bool operator!=(const Material& other) const;

  // Schema word, name, three colours, shininess, then the flags: 158 + n bytes for a name of
  // n < 255 characters. Reading refuses (generic archive exception) a shininess below 0, beyond
  // single precision or no number, and a pattern number outside the pattern numbers.
  void Serialize(CArchive& ar) override;

  // Becomes the look of the one group; `reserved` and the pattern values stay.
  void ReadFromMeshGroup(IUPtr<IDirect3DRMMesh> mesh, D3DRMGROUPINDEX group);
  // Writes the look to every listed group of the mesh.
  void ApplyToMeshGroups(IUPtr<IDirect3DRMMesh> mesh, const GroupIndexList& groups) const;
  // Glow, highlights, shininess and name from and to a platform material.
  void ReadD3DRMMaterial(IUPtr<IDirect3DRMMaterial> m);
  void WriteD3DRMMaterial(IUPtr<IDirect3DRMMaterial> m) const;
  // The render quality of the part's groups: light, fill and shade from the three flags.
  D3DRMRENDERQUALITY GetRenderQuality() const;

  CString name;
  Color diffuse;   // alpha is the opacity
  Color emissive;  // the glow
  Color specular;  // the highlights
  double shininess = 0.0;
  LONG lighting = 1;
  LONG smooth = 1;
  LONG wireframe = 0;
  LONG reserved = -1;  // kept, copied, compared and stored; nothing reads it
  LONG patternOn = 0;
  LONG burned = 0;  // 1 "Burned", 0 "Psychedelic"
  LONG patternNumber = 1;
};
