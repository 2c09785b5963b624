#include "dof/ApertureLevels.h"

#include <cmath>
#include <cstdlib>

const WORD ApertureLevelCounts[kApertureTableLevels] = {1,  3,  9,  15,  25,  35,  49,
                                                        63, 81, 99, 121, 143, 169, 195};

double* ApertureDiameters = nullptr;

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kFourOverPi = 1.2732395447351628;

}  // namespace

void ApertureInitDiameters() {
  ApertureDiameters = nullptr;
  ApertureDiameters = new double[kApertureTableLevels];
  for (int n = kApertureTableLevels - 1; n >= 0; --n)
    ApertureDiameters[n] = std::sqrt(static_cast<double>(ApertureLevelCounts[n]) * 4.0 / kPi);
}

void ApertureFreeDiameters() {
  if (ApertureDiameters) {
    delete[] ApertureDiameters;
    ApertureDiameters = nullptr;
  }
}

double ApertureLevelDiameter(unsigned level) {
  if (level < kApertureTableLevels) return ApertureDiameters[level];
  return std::sqrt((level + 1.0) * (level + 1.0) * kFourOverPi);
}

namespace {

// The table is built before any window exists and freed by the run-time at exit.
const bool diametersBuilt = [] {
  ApertureInitDiameters();
  std::atexit(ApertureFreeDiameters);
  return true;
}();

}  // namespace
