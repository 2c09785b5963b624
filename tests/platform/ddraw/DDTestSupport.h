// Shared pieces of the DirectDraw layer's tests: a fixture that owns a DirectDraw object on a small
// 32-bit display and checks that every object made in a test is gone at its end.
#pragma once

#include <gtest/gtest.h>

#include <functional>
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

DDSURFACEDESC DescFor(const SurfaceRequest& request);
DDSURFACEDESC DescOf(IDirectDrawSurface* surface);

// The pixels as packed rows from the top, `bytes` per pixel.
std::vector<BYTE> ReadPixels(IDirectDrawSurface* surface);
// Sets byte `b` of pixel (x, y) to value(x, y, b).
void WritePixels(IDirectDrawSurface* surface, const std::function<BYTE(DWORD, DWORD, DWORD)>& value);

class DirectDrawTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  Ref<IDirectDrawSurface> Make(const SurfaceRequest& request);
  HRESULT TryMake(const SurfaceRequest& request);  // releases what it made
  Ref<IDirectDrawSurface> MakePrimary();

  IDirectDraw* dd_ = nullptr;
};
