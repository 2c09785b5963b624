#include "dof/ApertureKernelImpl.h"

template void ApertureBlurPlanes<PixelRgb565>(const ApertureJob&);
