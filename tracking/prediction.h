// Where the automatic run looks on the photo shown: what the history of the
// run tells (records by photo, the operator's zone size, the spread of the
// last record made by hand), the velocity per photo of the series, and the
// zone placed on the predicted centre. Pure but referenceDe, which reads a
// history it is given.
#pragma once

#include <cstdint>
#include <vector>

#include "etat/historique.h"
#include "etat/recette.h"

struct PointSuivi {
  double x = 0.0, y = 0.0;
};

// Zone corners in photo pixels, inclusive.
struct ZoneSuivi {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
inline bool memeZone(const ZoneSuivi& a, const ZoneSuivi& b) {
  return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

// A recorded centre and the rank of its photo in the run (0 for the first):
// photos passed between two records lengthen the step between them.
struct RecordSuivi {
  int64_t photo = 0;
  PointSuivi centre;
};

// What the run tells of the photos before the one shown.
struct ReferenceSuivi {
  bool trouvee = false;  // a photo before it wrote a record
  int64_t photo = 0;     // the rank of the photo shown
  ZoneSuivi zone;        // the last record's zone
  int32_t nombre = 0;    // and its selected count
  // The operator's zone size: the last zone drawn (or a proposal started
  // from) before the photo shown, else the zone of the last record made by
  // hand, else the last record's.
  int32_t largeur_zone = 0, hauteur_zone = 0;
  std::vector<PasseSelection> passes;  // colour passes, in order
  std::vector<RecordSuivi> records;    // every record before the photo, in order
  // The first record the velocity is estimated from: a record made by hand
  // on a photo whose proposal was doubted starts the estimate again.
  size_t debut_estimation = 0;
  // A record made by hand after a doubt that found two objects of the
  // colour, and a second one found on every photo since: the operator chose
  // between them, and the run keeps to that choice while both stay in sight.
  bool deux_objets_admis = false;
  // The spread of the last record made or accepted by hand (not by the run).
  bool ecarts_connus = false;
  double ecart_x = 0.0, ecart_y = 0.0;
};

// From the souvenirs before the past photo shown, if one is: the last record
// gives the zone, count and centre; its colour passes, or those of the
// nearest earlier souvenir that has some (a photo recorded again unchanged
// carries its bits, not its passes).
ReferenceSuivi referenceDe(const Historique& historique);

// The velocity in pixels per photo: each step between consecutive records
// divided by the photos it spans; the median, axis by axis, of the last
// three (the last step with two, that step with one, none with fewer), so
// one wrong step does not carry on.
PointSuivi vitesseParPhoto(const std::vector<RecordSuivi>& records);
// The last record moved by that velocity for every photo up to `photo`; the
// last centre alone with one record; (0, 0) with none.
PointSuivi centrePredit(const std::vector<RecordSuivi>& records, int64_t photo);

// A zone of largeur x hauteur centred on centre, its corner rounded once
// from the double, then kept inside a photo of that size (a zone larger than
// the photo shrinks to it).
ZoneSuivi zoneCentree(int32_t largeur, int32_t hauteur, PointSuivi centre, int32_t largeur_photo,
                      int32_t hauteur_photo);

// The zone half as large again on each side length, centred on centre, kept
// inside the photo; no larger than the parameter file's largest zone
// (max_pixels, tested as a zone drag tests it), `limitee` then set. The same
// zone when it cannot grow.
ZoneSuivi zoneAgrandie(const ZoneSuivi& zone, PointSuivi centre, int32_t largeur_photo, int32_t hauteur_photo,
                       int64_t max_pixels, bool& limitee);

// The sides of a zone: bits of a mask.
enum CoteZone : uint8_t { kGauche = 1, kDroite = 2, kHaut = 4, kBas = 8 };
// The sides of a zone of that width the selected bits (row by row) lie on.
uint8_t bordsTouches(const std::vector<bool>& bits, int32_t largeur, int32_t hauteur);
// True when a selected bit lies on any side.
bool toucheLeBord(const std::vector<bool>& bits, int32_t largeur, int32_t hauteur);
// The sides of the zone that lie inside the photo, not on its edge: only
// those can grow.
uint8_t cotesInterieurs(const ZoneSuivi& zone, int32_t largeur_photo, int32_t hauteur_photo);
