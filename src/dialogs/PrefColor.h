// A colour preference as the colour buttons hold it: opaque, with its luminance.
#pragma once

#include "core/Color.h"
#include "core/PreferenceKeys.h"

inline Color XGetPrefColorOpaque(const XPrefKey& key) {
  Color color(1.0, 1.0, 1.0, 1.0);
  color.SetCOLORREF(XGetPrefColor(key));
  return color;
}
