// a · b / c with a 64-bit product, rounded to the nearest integer, halves away from zero.
#pragma once

#include "platform/win/WinTypes.h"

// -1 when c is 0 or the result does not fit 32 bits.
int MulDiv(int a, int b, int c);
