// Seams that let tests drive the failure paths of the retained-mode layer's callers.
#pragma once

#include "platform/win/WinTypes.h"

// The calls a fault can be injected into. GetBox is the mesh's, CreateMesh the root's and
// BuilderCreateMesh the mesh builder's; Lock, Unlock and SetExecuteData are the execute buffer's.
enum class D3DRMCall {
  CreateFrame,
  CreateLight,
  CreateMaterial,
  CreateMesh,
  CreateMeshBuilder,
  CreateTextureFromSurface,
  EnumerateObjects,
  SetAppData,
  SetName,
  GetName,
  GetBox,
  AddGroup,
  SetVertices,
  GetVertices,
  GetGroup,
  SetGroupColor,
  SetGroupMapping,
  SetGroupQuality,
  SetGroupMaterial,
  SetGroupTexture,
  GetGroupMaterial,
  GetGroupTexture,
  BuilderCreateMesh,
  AddVisual,
  DeleteVisual,
  GetVisuals,
  GetLights,
  GetDirect3DDevice,
  GetDirect3DViewport,
  CreateExecuteBuffer,
  Lock,
  Unlock,
  SetExecuteData,
  Execute,
  CreateDeviceFromSurface,
  CreateViewport,
  GetTransform,
  AddTransform,
  SetSceneBackground,
  SetSceneBackgroundImage,
  SetFront,
  SetBack,
  Render,
  Transform,
  Count
};

// After `skip` more calls of `call` have run, the next one fails with `result` before doing
// anything.
void D3DRMFailCall(D3DRMCall call, int skip, HRESULT result);
void D3DRMClearFaults();
