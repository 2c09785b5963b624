#include "scene/MeshGroupUtility.h"

#include <vector>

#include "core/XPtSzRect.h"

IMPLEMENT_DYNAMIC(ReplaceVisualInfo, CObject)

ReplaceVisualInfo::ReplaceVisualInfo(IDirect3DRMVisual* visual, IDirect3DRMVisual* replacementVisual,
                                     IDirect3DRMVisual* replacementVisual2)
    : replaced(visual), replacement(replacementVisual), replacement2(replacementVisual2) {}

// The holders go in reverse order: the second replacement first.
ReplaceVisualInfo::~ReplaceVisualInfo() {
  replacement2 = nullptr;
  replacement = nullptr;
  replaced = nullptr;
}

namespace {

// What a failed read or write of a group's vertices reports.
constexpr const char* kGetVertices = "mesh->GetVertices( group, 0, vCount, vData )";
constexpr const char* kSetVertices = "mesh->SetVertices( group, 0, vCount, vData )";

// Deletes `visual` from `object` when it is a frame that shows it; true when it did. The
// enumeration's reference on `object` is given back.
bool DeleteFromFrame(IDirect3DRMObject* object, IDirect3DRMVisual* visual, IUPtr<IDirect3DRMFrame>& frame) {
  void* asFrame = nullptr;
  const bool isFrame = object->QueryInterface(IID_IDirect3DRMFrame, &asFrame) == S_OK;
  object->Release();
  if (!isFrame) return false;
  frame = static_cast<IDirect3DRMFrame*>(asFrame);
  static_cast<IDirect3DRMFrame*>(asFrame)->Release();
  const HRESULT hr = frame->DeleteVisual(visual);
  if (hr == D3DRMERR_NOTFOUND) return false;
  if (hr != D3DRM_OK) XAssertD3DRMFailed(__FILE__, __LINE__, __DATE__, __TIME__, "hr", hr);
  return true;
}

D3DCOLOR PatternColor(PatternRandom& random, double red, double green, double blue, DWORD alpha, BOOL burned) {
  auto channel = [](double value) -> DWORD {
    value += 0.5;
    if (value >= 255.0) return 255;
    if (value <= 0.0) return 0;
    return static_cast<DWORD>(value);
  };
  double kr, kg, kb;
  if (burned) {
    kr = kg = kb = random.Next();
  } else {
    kr = random.Next();
    kg = random.Next();
    kb = random.Next();
  }
  return alpha << 24 | channel(kr * red / 32767) << 16 | channel(kg * green / 32767) << 8 |
         channel(kb * blue / 32767);
}

unsigned VertexCount(const IUPtr<IDirect3DRMMesh>& mesh, D3DRMGROUPINDEX group) {
  unsigned vCount = 0;
  DWORD fDataSize = 0;
  XCHECK_D3DRM(mesh->GetGroup( group, &vCount, NULL, NULL, &fDataSize, NULL ));
  return vCount;
}

// A map size by the part's total vertex count, so chains stay short.
UINT PatternMapSize(unsigned total) {
  if (total < 1700) return 2053;
  if (total < 3755) return 4507;
  if (total < 7510) return 9013;
  return 32933;
}

}  // namespace

void ReplaceVisual(IDirect3DRMObject* object, LPVOID info) {
  const auto& replace = *static_cast<ReplaceVisualInfo*>(info);
  IUPtr<IDirect3DRMFrame> frame;
  if (!DeleteFromFrame(object, replace.GetVisual(), frame)) return;
  XCHECK_D3DRM(frame->AddVisual( replace.GetReplacement() ));
  if (replace.GetReplacement2()) XCHECK_D3DRM(frame->AddVisual( replace.GetReplacement2() ));
}

void RemoveVisualFromFrames(IDirect3DRMObject* object, LPVOID visual) {
  IUPtr<IDirect3DRMFrame> frame;
  DeleteFromFrame(object, static_cast<IDirect3DRMVisual*>(visual), frame);
}

void XSetGroupVertexColor(IUPtr<IDirect3DRMMesh> mesh, D3DRMGROUPINDEX group, D3DCOLOR color) {
  const unsigned vCount = VertexCount(mesh, group);
  std::vector<D3DRMVERTEX> vData(vCount);
  XCHECK_D3DRM_TEXT(mesh->GetVertices(group, 0, vCount, vData.data()), kGetVertices);
  for (D3DRMVERTEX& v : vData) v.color = color;
  XCHECK_D3DRM_TEXT(mesh->SetVertices(group, 0, vCount, vData.data()), kSetVertices);
}

void XApplyVertexColorPattern(IUPtr<IDirect3DRMMesh> mesh, const GroupIndexList& groups, const Color& color,
                              LONG seed, BOOL burned) {
  if (groups.IsEmpty()) return;
  double red, green, blue;
  color.GetRGB(&red, &green, &blue);
  red *= 255.0;
  green *= 255.0;
  blue *= 255.0;
  const DWORD alpha = color.GetD3DCOLOR() >> 24;
  PatternRandom random(static_cast<DWORD>(seed));

  if (groups.GetCount() == 1) {
    // One group: every vertex draws its own colour, even where two share a position.
    const auto group = static_cast<D3DRMGROUPINDEX>(groups.GetAt(groups.GetHeadPosition()));
    const unsigned vCount = VertexCount(mesh, group);
    std::vector<D3DRMVERTEX> vData(vCount);
    XCHECK_D3DRM_TEXT(mesh->GetVertices(group, 0, vCount, vData.data()), kGetVertices);
    for (unsigned i = vCount; i-- > 0;) vData[i].color = PatternColor(random, red, green, blue, alpha, burned);
    XCHECK_D3DRM_TEXT(mesh->SetVertices(group, 0, vCount, vData.data()), kSetVertices);
    return;
  }

  unsigned total = 0;
  for (POSITION pos = groups.GetHeadPosition(); pos;)
    total += VertexCount(mesh, static_cast<D3DRMGROUPINDEX>(groups.GetNext(pos)));
  VertexColorMap shared(PatternMapSize(total), static_cast<int>(total));
  for (POSITION pos = groups.GetHeadPosition(); pos;) {
    const auto group = static_cast<D3DRMGROUPINDEX>(groups.GetNext(pos));
    const unsigned vCount = VertexCount(mesh, group);
    std::vector<D3DRMVERTEX> vData(vCount);
    XCHECK_D3DRM_TEXT(mesh->GetVertices(group, 0, vCount, vData.data()), kGetVertices);
    for (unsigned i = vCount; i-- > 0;) {
      const VertexColorKey key{vData[i].position.x, vData[i].position.y, vData[i].position.z};
      DWORD found;
      if (shared.Lookup(key, found)) {
        vData[i].color = found;
      } else {
        vData[i].color = PatternColor(random, red, green, blue, alpha, burned);
        shared.SetAt(key, vData[i].color);
      }
    }
    XCHECK_D3DRM_TEXT(mesh->SetVertices(group, 0, vCount, vData.data()), kSetVertices);
  }
}
