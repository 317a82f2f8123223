#include "etat/conversion.h"

#include <cmath>

int32_t versInt32(double v) {
  if (std::isnan(v)) return 0;
  if (v >= kEntierSur) return kEntierSur;
  if (v <= -kEntierSur) return -kEntierSur;
  return static_cast<int32_t>(v);
}

int32_t plancher(double v) { return versInt32(std::floor(v)); }

int32_t arrondi(double v) { return versInt32(std::round(v)); }
