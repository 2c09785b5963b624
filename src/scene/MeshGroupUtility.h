// Free functions that work on platform meshes and frames for the scene model: swapping a mesh in
// every frame that shows it, painting a mesh group in one colour, and the two pattern looks.
#pragma once

#include "core/Color.h"
#include "platform/d3drm/D3DRM.h"
#include "scene/Material.h"

// The visual to replace and its replacement(s); each held with a reference of its own.
class ReplaceVisualInfo : public CObject {
  DECLARE_DYNAMIC(ReplaceVisualInfo)
 public:
  ReplaceVisualInfo(IDirect3DRMVisual* visual, IDirect3DRMVisual* replacement, IDirect3DRMVisual* replacement2);
  ~ReplaceVisualInfo() override;

  IDirect3DRMVisual* GetVisual() const { return replaced; }
  IDirect3DRMVisual* GetReplacement() const { return replacement; }
  IDirect3DRMVisual* GetReplacement2() const { return replacement2; }

 private:
  IUPtr<IDirect3DRMVisual> replaced;
  IUPtr<IDirect3DRMVisual> replacement;
  IUPtr<IDirect3DRMVisual> replacement2;
};

// Enumeration callbacks (IDirect3DRM::EnumerateObjects). ReplaceVisual: every frame that shows
// the info's visual shows its replacement(s) instead. RemoveVisualFromFrames: every frame that
// shows `visual` (an IDirect3DRMVisual*) stops showing it.
void ReplaceVisual(IDirect3DRMObject* object, LPVOID info);
void RemoveVisualFromFrames(IDirect3DRMObject* object, LPVOID visual);

// Sets the colour of every vertex of one mesh group.
void XSetGroupVertexColor(IUPtr<IDirect3DRMMesh> mesh, D3DRMGROUPINDEX group, D3DCOLOR color);

// Colours the vertices of one part at random from the part's colour, reproducibly from `seed`:
// "Burned" (one brightness per vertex) or "Psychedelic" (each channel drawn). Vertices at one
// position share one colour when the part has several groups.
void XApplyVertexColorPattern(IUPtr<IDirect3DRMMesh> mesh, const GroupIndexList& groups, const Color& color,
                              LONG seed, BOOL burned);

// The pattern looks' own generator: the classic C library's rand, so a pattern number gives the
// same colours in every run.
class PatternRandom {
 public:
  explicit PatternRandom(DWORD seed) : state(seed) {}
  // 0..32767
  int Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>(state >> 16 & 0x7FFF);
  }

 private:
  DWORD state;
};
