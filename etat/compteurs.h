// Where a photo stands in its series, as the naming schemes count it.
#pragma once

#include <cstdint>

// The counters a RETURN steps: (high, low part) in scheme 1, (number,
// second number) in scheme 2, the number in scheme 3.
struct CompteursSerie {
  int32_t partie_haute = 0, partie_basse = 0, numero = 0, numero_2 = 0;
};
inline bool memesCompteurs(const CompteursSerie& a, const CompteursSerie& b) {
  return a.partie_haute == b.partie_haute && a.partie_basse == b.partie_basse && a.numero == b.numero &&
         a.numero_2 == b.numero_2;
}
