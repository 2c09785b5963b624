#include "dof/ApertureKernelImpl.h"

template void ApertureBlurPlanes<PixelRgb555>(const ApertureJob&);
