// The program's one way from a double to an int32: every window coordinate,
// rectangle and pixel index goes through here, so a zero zoom, a huge pan or
// a NaN never reaches an undefined conversion.
#pragma once

#include <cstdint>

// Largest magnitude handed out: rectangle sums (x + w) still fit in int32.
constexpr int32_t kEntierSur = 1 << 29;

// NaN gives 0; values are clamped to [-kEntierSur, kEntierSur] and truncated.
int32_t versInt32(double v);
// Mathematical floor, then versInt32.
int32_t plancher(double v);
// Nearest integer, halves away from zero, then versInt32.
int32_t arrondi(double v);
