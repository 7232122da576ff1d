// The kernel's scaling helper: number × numerator / denominator with a 64-bit
// intermediate, rounded half away from zero; -1 for a zero denominator or a
// result outside 32 bits.
#pragma once

int MulDiv(int number, int numerator, int denominator);
