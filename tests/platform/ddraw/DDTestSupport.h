// The DirectDraw tests' fixture: a DirectDraw object on a 64 x 48 32-bit display, and a check that
// every object a test made is gone at its end.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/ddraw/DirectDraw.h"
#include "platform/ddraw/Display.h"
#include "platform/ddraw/TestSeams.h"

struct Releaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class T>
using Ref = std::unique_ptr<T, Releaser>;

struct SurfaceRequest {
  DWORD width = 4;
  DWORD height = 3;
  const DDPIXELFORMAT* format = nullptr;
  DWORD caps = DDSCAPS_OFFSCREENPLAIN;
  LONG pitch = 0;  // 0: the layer's own
  DWORD zDepth = 0;
};

DDSURFACEDESC DescOf(IDirectDrawSurface* surface);
// The pixels as packed rows from the top, read through a lock; `fill` first sets every byte of
// pixel (x, y) to fill(x, y).
std::vector<BYTE> Pixels(IDirectDrawSurface* surface, BYTE (*fill)(DWORD x, DWORD y) = nullptr);

class DirectDrawTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HRESULT Create(DDSURFACEDESC desc, Ref<IDirectDrawSurface>* surface);
  HRESULT TryMake(const SurfaceRequest& request, Ref<IDirectDrawSurface>* kept = nullptr);
  Ref<IDirectDrawSurface> Make(const SurfaceRequest& request);
  Ref<IDirectDrawSurface> MakePrimary();

  IDirectDraw* dd_ = nullptr;
};
