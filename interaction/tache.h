// The patch pass: the selected bits of the zone grouped in 8-connected
// patches, and the one at or nearest a pixel kept alone, so that another
// object of the colour in the zone does not pull the centre away.
#pragma once

#include <cstdint>
#include <vector>

struct TachesZone {
  int64_t taches = 0;   // patches found
  int64_t gardee = 0;   // pixels of the patch kept
  int64_t seconde = 0;  // pixels of the largest patch cleared
};

// Over the bits of a zone of largeur x hauteur (row by row), keeps the patch
// holding zone pixel (x, y), which may lie outside the zone, or else the
// nearest one (squared distance between pixel positions; on a tie the
// larger, then the first met row by row), and clears every other.
TachesZone garderTacheProche(std::vector<bool>& bits, int32_t largeur, int32_t hauteur, int64_t x, int64_t y);

// The same on the record's zone, (x, y) a photo pixel; the count and the sums
// are left as they were (recompterSelection follows).
TachesZone garderTache(int32_t x, int32_t y);
