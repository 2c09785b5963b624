#include "dof/ApertureKernelImpl.h"

template void ApertureBlurPlanes<PixelRgb24>(const ApertureJob&);
