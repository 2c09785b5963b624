// The DirectDraw tests' fixture: a DirectDraw object on a 64 x 48 32-bit display, and a check that
// every object a test made is gone at its end.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/ddraw/DirectDraw.h"
#include "platform/ddraw/Display.h"
#include "platform/ddraw/TestSeams.h"
#include "platform/win/ComPtr.h"

struct SurfaceRequest {
  DWORD width = 4;
  DWORD height = 3;
  const DDPIXELFORMAT* format = nullptr;
  DWORD caps = DDSCAPS_OFFSCREENPLAIN;
  LONG pitch = 0;  // 0: the layer's own
  DWORD zDepth = 0;
};

DDSURFACEDESC DescOf(IDirectDrawSurface* surface);
// The pixels as packed rows from the top; `fill` first sets every byte of pixel (x, y) to fill(x, y).
std::vector<BYTE> Pixels(IDirectDrawSurface* surface, BYTE (*fill)(DWORD x, DWORD y) = nullptr);

class DirectDrawTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HRESULT Create(DDSURFACEDESC desc, ComPtr<IDirectDrawSurface>* surface);
  HRESULT TryMake(const SurfaceRequest& request, ComPtr<IDirectDrawSurface>* kept = nullptr);
  ComPtr<IDirectDrawSurface> Make(const SurfaceRequest& request);
  ComPtr<IDirectDrawSurface> MakePrimary();

  ComPtr<IDirectDraw> dd_;
};
