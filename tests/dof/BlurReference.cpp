#include "BlurReference.h"

TestSurface::TestSurface(DWORD w, DWORD h, unsigned b, std::mt19937& rng, bool bottomUp, unsigned padding)
    : width(w), height(h), bytes(b), pitch(static_cast<long>(w * b + padding)), firstRow(16) {
  memory.resize(32 + pitch * h);
  for (BYTE& byte : memory) byte = static_cast<BYTE>(rng());
  if (bottomUp) {
    firstRow += pitch * (h - 1);
    pitch = -pitch;
  }
}

DWORD TestSurface::Get(DWORD x, DWORD y) const {
  DWORD value = 0;
  for (unsigned i = 0; i < bytes; ++i) value |= DWORD{At(x, y)[i]} << (8 * i);
  return value;
}

void TestSurface::Set(DWORD x, DWORD y, DWORD value) {
  for (unsigned i = 0; i < bytes; ++i) memory[firstRow + pitch * y + x * bytes + i] = static_cast<BYTE>(value >> (8 * i));
}
