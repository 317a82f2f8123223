#include "tracking/prediction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tracking/doute.h"

namespace {

// A souvenir of the run: recorded at (x, y) or passed, by hand or by the run.
Souvenir souvenir(bool ecrit, double x = 0.0, double y = 0.0, bool par_le_suivi = true) {
  Souvenir s;
  s.ecrit = ecrit;
  s.selection.nombre = ecrit ? 10 : 0;
  s.selection.centre_x = x;
  s.selection.centre_y = y;
  s.selection.zone_x1 = s.selection.zone_y1 = 29;
  s.selection.histoire.par_le_suivi = par_le_suivi;
  return s;
}

// Steps per photo of the series: photos passed between records lengthen
// the step, one wrong step among three does not carry on, and a record made
// by hand after a doubt starts the estimate again from itself.
TEST(Prediction, StepsArePerPhotoAndRestartAfterADoubt) {
  Historique h;
  h.souvenirs = {souvenir(true, 0, 0, false), souvenir(true, 2, 1), souvenir(false), souvenir(true, 6, 3)};
  ReferenceSuivi r = referenceDe(h);
  ASSERT_EQ(3u, r.records.size());
  EXPECT_EQ(4, r.photo);
  EXPECT_EQ(3, r.records[2].photo);
  PointSuivi p = centrePredit(r.records, r.photo);  // 2 by 1 a photo, over the photo passed
  EXPECT_DOUBLE_EQ(8.0, p.x);
  EXPECT_DOUBLE_EQ(4.0, p.y);
  p = centrePredit(r.records, 6);  // three photos on
  EXPECT_DOUBLE_EQ(12.0, p.x);

  // a jump of 20 among steps of 2: the median of the last three holds
  h.souvenirs.push_back(souvenir(true, 26, 4));
  h.souvenirs.push_back(souvenir(true, 28, 5));
  r = referenceDe(h);
  EXPECT_DOUBLE_EQ(2.0, vitesseParPhoto(r.records).x);
  EXPECT_DOUBLE_EQ(1.0, vitesseParPhoto(r.records).y);

  // photo 6 doubted, then recorded by hand: the estimate starts there, no
  // step yet, so no jump carried on; the spread is that record's
  Souvenir main = souvenir(true, 60, 5, false);
  main.selection.histoire.doute = true;
  main.selection.ecart_type_x = 1.5;
  h.souvenirs.push_back(main);
  r = referenceDe(h);
  EXPECT_EQ(5u, r.debut_estimation);
  const std::vector<RecordSuivi> depuis(r.records.begin() + 5, r.records.end());
  EXPECT_DOUBLE_EQ(60.0, centrePredit(depuis, r.photo).x);
  EXPECT_TRUE(r.ecarts_connus);
  EXPECT_DOUBLE_EQ(1.5, r.ecart_x);

  // on a past photo, only the photos before it
  h.affichee = 2;
  r = referenceDe(h);
  EXPECT_EQ(2u, r.records.size());
  EXPECT_EQ(2, r.photo);
}

// The operator's size: the last zone drawn before the photo, else the last
// record's zone; growth kept within the largest zone.
TEST(Prediction, ZoneOfTheOperatorsSizeOnThePrediction) {
  Historique h;
  h.souvenirs = {souvenir(true, 15, 15, false)};
  EXPECT_EQ(30, referenceDe(h).largeur_zone);  // the record's zone 0..29
  h.souvenirs[0].selection.histoire.largeur_zone = 12;
  h.souvenirs[0].selection.histoire.hauteur_zone = 8;
  h.souvenirs.push_back(souvenir(true, 20, 15));  // a grown zone of the run,
  h.souvenirs[1].selection.zone_x1 = 60;          // recorded before any size was carried
  const ReferenceSuivi r = referenceDe(h);
  EXPECT_EQ(12, r.largeur_zone);
  EXPECT_EQ(8, r.hauteur_zone);

  // growth: 1.5 times, or as far as (x1 - x0) x (y1 - y0) <= max allows
  bool limitee = false;
  ZoneSuivi z = zoneAgrandie({0, 0, 19, 19}, {50, 50}, 100, 100, 29 * 29, limitee);
  EXPECT_FALSE(limitee);
  EXPECT_EQ(30, z.x1 - z.x0 + 1);
  z = zoneAgrandie({0, 0, 19, 19}, {50, 50}, 100, 100, 24 * 24, limitee);
  EXPECT_TRUE(limitee);
  EXPECT_LE(int64_t{z.x1 - z.x0} * (z.y1 - z.y0), 24 * 24);
  EXPECT_GE(z.x1 - z.x0, 23);
  limitee = false;
  z = zoneAgrandie({0, 0, 19, 19}, {50, 50}, 100, 100, 19 * 19, limitee);
  EXPECT_TRUE(limitee && memeZone(z, ZoneSuivi{0, 0, 19, 19}));
  // sides on the photo's edge cannot grow
  EXPECT_EQ(kDroite | kBas, cotesInterieurs({0, 0, 19, 19}, 100, 100));
}

// Two objects of the colour: a choice made by hand after that doubt holds
// while a second patch is found on every photo, and ends with the first
// photo without one.
TEST(Prediction, TheOperatorsChoiceBetweenTwoObjectsHoldsWhileBothShow) {
  Historique h;
  h.souvenirs = {souvenir(true, 0, 0, false), souvenir(true, 1, 0, false)};
  EXPECT_FALSE(referenceDe(h).deux_objets_admis);
  h.souvenirs[1].selection.histoire.doute = h.souvenirs[1].selection.histoire.deux_objets = true;
  EXPECT_TRUE(referenceDe(h).deux_objets_admis);
  h.souvenirs.push_back(souvenir(true, 2, 0));
  h.souvenirs.back().selection.histoire.deux_objets = true;
  h.souvenirs.push_back(souvenir(false));  // passed, the second patch still found
  h.souvenirs.back().selection.histoire.deux_objets = true;
  EXPECT_TRUE(referenceDe(h).deux_objets_admis);
  h.souvenirs.push_back(souvenir(true, 4, 0));
  EXPECT_FALSE(referenceDe(h).deux_objets_admis);
}

// The added doubts, after the count and border ones.
TEST(Prediction, DoubtsOfTheEdgeASecondPatchAndTheSpread) {
  ConstatSuivi c;
  c.nombre = c.nombre_reference = 100;
  c.bord = c.zone_maximale = true;
  EXPECT_EQ("selection sur le bord de la zone, agrandie jusqu'a la taille maximale", raisonDoute(c));
  c.bord = false;
  c.bord_photo = true;
  EXPECT_EQ("selection sur le bord de la photo", raisonDoute(c));
  c.bord_photo = false;
  c.autre_tache = 50;
  EXPECT_EQ("deux objets de la couleur", raisonDoute(c));
  c.deux_objets_admis = true;  // the operator chose between them
  EXPECT_EQ("", raisonDoute(c));
  c.nombre = 74;  // not a half of what the operator took
  c.autre_tache = 37;
  EXPECT_EQ("deux objets de la couleur", raisonDoute(c));
  c.nombre = 100;
  c.deux_objets_admis = false;
  c.autre_tache = 49;
  EXPECT_EQ("", raisonDoute(c));
  c.ecarts_reference = true;
  c.ecart_x_reference = 2.0, c.ecart_y_reference = 0.0;
  c.ecart_x = 3.0, c.ecart_y = 0.75;  // 1.5 times, and a line against the 0.5 floor
  EXPECT_EQ("", raisonDoute(c));
  c.ecart_y = 0.76;
  EXPECT_EQ("selection plus etendue", raisonDoute(c));
  EXPECT_FALSE(objetCache(c));
  c.nombre = 49;
  EXPECT_TRUE(objetCache(c));
}

}  // namespace
