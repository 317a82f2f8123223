// The selection proposed on the photo shown, from the last measured photo of
// the run: its zone moved by the predicted step, its colour passes run again,
// and a verdict on how far the result can be trusted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "interaction/recette.h"
#include "etat/historique.h"

struct PointSuivi {
  double x = 0.0, y = 0.0;
};

// Zone corners in photo pixels, inclusive.
struct ZoneSuivi {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// What the run tells of the photos measured so far.
struct ReferenceSuivi {
  bool trouvee = false;         // a photo of the run wrote a record
  ZoneSuivi zone;               // that photo's zone
  int32_t nombre = 0;           // and its selected count
  std::vector<PasseSelection> passes;  // colour passes, in order
  std::vector<PointSuivi> centres;     // every recorded centre, in order
};

// The last souvenir that wrote a record, before the past photo shown if one
// is, gives the zone, count and centre; its colour passes, or those of the
// nearest earlier souvenir that has some (a photo recorded again unchanged
// carries its bits, not its passes).
ReferenceSuivi referenceDe(const Historique& historique);

// The last centre plus the last step; the last centre alone with one centre.
PointSuivi centrePredit(const std::vector<PointSuivi>& centres);

// The zone moved by the rounded step from dernier to predit, so that predit
// sits where dernier sat in it, then kept inside a photo of that size (a
// zone wider than the photo shrinks to it).
ZoneSuivi zoneDeplacee(const ZoneSuivi& zone, PointSuivi dernier, PointSuivi predit, int32_t largeur,
                       int32_t hauteur);

// The zone half as large again on each side length, centred on centre, kept
// inside the photo.
ZoneSuivi zoneAgrandie(const ZoneSuivi& zone, PointSuivi centre, int32_t largeur, int32_t hauteur);

// True when a selected bit lies in the first or last row or column of a zone
// of that width (bits row by row).
bool toucheLeBord(const std::vector<bool>& bits, int32_t largeur, int32_t hauteur);

// The median length of the steps between consecutive centres; 0 with none.
double pasMedian(const std::vector<PointSuivi>& centres);

// What a proposal found, for its verdict.
struct ConstatSuivi {
  int64_t nombre = 0;            // selected now
  int64_t nombre_reference = 0;  // on the last measured photo
  bool bord = false;             // the selection touches the zone's border (after any growth)
  PointSuivi centre;             // found now
  std::vector<PointSuivi> centres;  // recorded before
};

// The doubt of a proposal in French without accents, empty when it holds:
// nothing selected, a count outside 0.5 to 2 times the last one, a
// selection on the zone's border, a step longer than 3 times the median step
// plus 2 pixels once three steps exist. The first that applies is told.
std::string raisonDoute(const ConstatSuivi& constat);

enum class IssueProposition { Impossible, Douteuse, Sure };

// A on the photo shown: from the history of the run, builds the moved zone as
// a zone drag does ("Taille de is_select : N"), runs the colour passes, grows
// the zone once when the selection touches its border, computes and prints
// the centre as a colour click does, shows zone, markers and cross, and
// leaves the colour sub-mode with RETURN free. Records it in the recipe as
// the proposal's. Prints "Suivi douteux : " and the reason when in doubt;
// "Suivi impossible : " and the reason, with nothing changed, when it cannot
// propose.
IssueProposition proposerSelection();
