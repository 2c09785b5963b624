// MeshSO: the object quality, the eight artistic values, and reloading the textures of the mesh.
#include <vector>

#include "core/FatalError.h"
#include "core/Guards.h"
#include "core/MissingFile.h"
#include "core/XMessageBox.h"
#include "scene/InstanceMap.h"
#include "scene/MeshSO.h"
#include "scene/ModeFilter.h"
#include "scene/TextureLoad.h"

namespace {

constexpr const char* kListMissing = "SetFile() called after this was added to list is one possibility";

std::vector<MeshSO*> Sharers(const InstanceList* list) {
  std::vector<MeshSO*> members;
  if (list)
    for (POSITION pos = list->GetHeadPosition(); pos;) members.push_back(list->GetNext(pos));
  return members;
}

// The eight artistic values of one object.
struct ArtisticLook {
  LONG texturesOn, style, brushSize, cartoon;
  Color silhouetteColor;
  DWORD silhouetteWidth;
  Color surfaceColor;
  DWORD surfaceWidth;
};

ArtisticLook LookOf(const MeshSO& m) {
  return {m.texturesOn, m.style, m.brushSize, m.cartoon, m.silhouetteColor, m.silhouetteWidth, m.surfaceColor,
          m.surfaceWidth};
}

void Give(MeshSO& m, const ArtisticLook& look) {
  m.texturesOn = look.texturesOn;
  m.style = look.style;
  m.brushSize = look.brushSize;
  m.cartoon = look.cartoon;
  m.silhouetteColor = look.silhouetteColor;
  m.silhouetteWidth = look.silhouetteWidth;
  m.surfaceColor = look.surfaceColor;
  m.surfaceWidth = look.surfaceWidth;
}

}  // namespace

void MeshSO::SetQuality(LONG newQuality) {
  if (quality == 0 || quality == newQuality) return;
  quality = newQuality;
  for (MeshSO* other : Sharers(SharedList(kListMissing))) other->quality = newQuality;
  ApplyQuality(0);
}

void MeshSO::ApplyQuality(BOOL firstInstanceOnly) {
  if (quality == 0) return;
  if (firstInstanceOnly && reference && !IsFirstInstance()) return;
  ReloadTextures(firstInstanceOnly);
}

void MeshSO::ReloadTextures(BOOL firstInstanceOnly) {
  if (firstInstanceOnly && reference && !IsFirstInstance()) return;
  if (!mesh) return;
  TextureLoadInfo info(texturesOn, GetEffectiveQuality(), style, brushSize);
  // Texture names are relative to the object's file.
  XCurrentDirectoryGuard directory(GetFile().GetDirectory());
  for (auto group = static_cast<D3DRMGROUPINDEX>(mesh->GetGroupCount()); group-- > 0;) {
    IUPtr<IDirect3DRMTexture> texture;
    XCHECK_D3DRM(mesh->GetGroupTexture( group, &texture ));
    if (!texture) continue;
    DWORD size = 0;
    XCHECK_D3DRM(texture->GetName( &size, NULL ));
    XASSERT(size, "");
    std::vector<char> name(size);
    XCHECK_D3DRM(texture->GetName( &size, name.data() ));
    texture = nullptr;
    if (!texturesOn) {
      XCHECK_D3DRM(mesh->SetGroupTexture( group, NULL ));
      continue;
    }
    IDirect3DRMTexture* loaded = nullptr;
    HRESULT result;
    while ((result = LoadTextureCallback(name.data(), &info, &loaded)) == D3DRMERR_BADALLOC) NoMemoryHandler(1);
    if (result == D3DRM_OK) {
      XCHECK_D3DRM(mesh->SetGroupTexture( group, loaded ));
      loaded->Release();
      continue;
    }
    XCHECK_D3DRM(mesh->SetGroupTexture( group, NULL ));
    // The loader has said what went wrong with the file; this says what it means for the object.
    if (result == D3DRMERR_NOTFOUND || result == D3DRMERR_FILENOTFOUND) {
      XErrorBox(40214, name.data());
    } else if (result == D3DRMERR_BADFILE) {
      XErrorBox(40213, name.data());
    } else {
      XAssertD3DRMFailed(__FILE__, __LINE__, __DATE__, __TIME__, "LoadTextureCallback( name, &info, &texture )",
                         result);
    }
  }
}

bool MeshSO::IsValidStyle(LONG style, LONG brushSize) {
  return style >= 0 && style <= 2 && brushSize >= 1 && brushSize <= LONG{kLargestModeFilterRadius};
}

bool MeshSO::AreValidLineWidths(DWORD silhouette, DWORD surface) {
  constexpr DWORD kLargestLineWidth = 0xFFFF;
  return silhouette <= kLargestLineWidth && surface <= kLargestLineWidth;
}

void MeshSO::GetArtistic(LONG& outTexturesOn, LONG& outStyle, LONG& outBrushSize, LONG& outCartoon,
                         Color& outSilhouetteColor, DWORD& outSilhouetteWidth, Color& outSurfaceColor,
                         DWORD& outSurfaceWidth) const {
  outTexturesOn = texturesOn;
  outStyle = style;
  outBrushSize = brushSize;
  outCartoon = cartoon;
  outSilhouetteColor = silhouetteColor;
  outSilhouetteWidth = silhouetteWidth;
  outSurfaceColor = surfaceColor;
  outSurfaceWidth = surfaceWidth;
}

void MeshSO::SetArtistic(LONG t, LONG st, LONG b, LONG c, const Color& silC, DWORD silW, const Color& surC,
                         DWORD surW) {
  const bool styleChanged = t && quality != 0 && (st != style || b != brushSize);
  const bool changed = t != texturesOn || styleChanged || c != cartoon || silC != silhouetteColor ||
                       silW != silhouetteWidth || surC != surfaceColor || surW != surfaceWidth;
  if (!changed) return;
  const bool reload = t != texturesOn && (t || !texturesLoaded);
  const bool retexture = t != texturesOn || styleChanged;
  const LONG oldTexturesOn = texturesOn;

  std::vector<MeshSO*> targets = Sharers(SharedList(kListMissing));
  if (targets.empty()) targets.push_back(this);
  std::vector<ArtisticLook> before;
  for (MeshSO* m : targets) {
    before.push_back(LookOf(*m));
    Give(*m, {t, st, b, c, silC, silW, surC, surW});
  }

  if (reload && mesh && IsFromFile()) {
    // What a failed load may have changed besides the look.
    const LONG keptQuality = quality;
    const BOOL keptTwoSided = twoSided, keptTexturesLoaded = texturesLoaded;
    const XString keptFile = GetFile();
    for (;;) {
      Reload();
      if (error == fileNotFound) {
        // A file the user does not locate ends the question.
        const XString answer = XLocateMissingFile(GetFile(), FALSE);
        if (answer == GetFile()) break;
        SetFile(answer);
        continue;
      }
      if (error == damagedFile || error == noObjectInFile) XErrorBox(40045, GetFile());
      XASSERT(error == none || error == damagedFile || error == noObjectInFile || error == converterNotStarted, "");
      break;
    }
    if (error != none) {
      // The change did not happen: the object keeps the mesh and look it had, and with them its
      // place among the sharers, so it saves, copies and deletes as before.
      for (std::size_t i = 0; i < targets.size(); ++i) Give(*targets[i], before[i]);
      quality = keptQuality;
      twoSided = keptTwoSided;
      texturesLoaded = keptTexturesLoaded;
      SetFile(keptFile);
      error = none;
      if (reference) EnterInstanceList();
      return;
    }
  } else if (retexture) {
    ReloadTextures(0);
  }
  if (t != oldTexturesOn) SyncGroupMaterials(0, texturesOn);
}
