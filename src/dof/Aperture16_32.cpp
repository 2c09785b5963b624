#include "dof/ApertureKernelImpl.h"

template void ApertureBlurPlanes<PixelRgb32>(const ApertureJob&);
