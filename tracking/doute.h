// The doubt rules of a proposal: pure functions of what it found and what
// the run recorded before.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tracking/prediction.h"

// What a proposal found, for its verdict.
struct ConstatSuivi {
  int64_t nombre = 0;            // selected now (the patch kept)
  int64_t nombre_reference = 0;  // on the last measured photo
  bool bord = false;             // on a side of the zone inside the photo (after any growth)
  bool zone_maximale = false;    // a growth was held by the parameter file's largest zone
  bool bord_photo = false;       // on a side of the zone that is the photo's edge
  int64_t autre_tache = 0;       // pixels of the largest other patch of the colour in the zone
  bool deux_objets_admis = false;  // the operator chose between two objects (ReferenceSuivi)
  double ecart_x = 0.0, ecart_y = 0.0;  // spread of the selection now
  bool ecarts_reference = false;        // the last record made or accepted by hand has a spread:
  double ecart_x_reference = 0.0, ecart_y_reference = 0.0;
  PointSuivi centre;                 // found now
  int64_t photo = 0;                 // rank of the photo in the run
  std::vector<RecordSuivi> records;  // recorded before
};

// The median length of the steps between consecutive records, each divided
// by the photos it spans; 0 with none.
double pasMedian(const std::vector<RecordSuivi>& records);

// The doubt of a proposal in French without accents, empty when it holds;
// the first that applies is told:
// - nothing selected; a count outside 0.5 to 2 times the last one;
// - a selection on a side of the zone inside the photo (after growth, or
//   with the growth held by the largest zone); on the photo's edge (the
//   object may be cut);
// - another patch of the colour at least half the one kept, unless the
//   operator chose between them by hand after such a doubt, a second patch
//   was found on every photo since and the one kept has at least 3/4 of the
//   last record's pixels;
// - a spread, on either axis, above 1.5 times the last record made or
//   accepted by hand (at least 0.5 pixel taken for it: a one-pixel line has
//   none, and any width would be a doubt);
// - once three steps exist, a step per photo longer than 3 times the median
//   step plus 2 pixels.
std::string raisonDoute(const ConstatSuivi& constat);

// Another patch of the colour at least half the one kept.
bool deuxObjets(const ConstatSuivi& constat);

// The doubts that say the object is hidden: nothing selected, or fewer than
// half the pixels of the last record.
bool objetCache(const ConstatSuivi& constat);
