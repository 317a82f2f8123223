// The calibration's maps against planes whose truth is known.
#include "calibration/geometrie.h"

#include <gtest/gtest.h>

#include <cmath>

#include "calibration/fichier_calibration.h"

namespace {

// A plane photographed in perspective: plane (u, v) to photo pixels.
PointPhoto photographier(double u, double v) {
  const double w = 1.0 + 0.0011 * u - 0.0007 * v;
  return {(310.0 + 2.1 * u + 0.4 * v) / w, (620.0 - 0.3 * u - 1.8 * v) / w};
}

TEST(Geometrie, PlaneCornersGiveTheKnownPlaneEverywhere) {
  // corners of a 200 x 100 rectangle clicked in order, the fourth above the
  // first side: y up is v
  const PointPhoto coins[4] = {photographier(0, 0), photographier(200, 0), photographier(200, 100),
                               photographier(0, 100)};
  Calibration c;
  c.plan = true;
  for (int i = 0; i < 4; ++i) c.coins[i] = coins[i];
  c.largeur_plan = 200;
  c.hauteur_plan = 100;
  c.unite = "mm";
  Repere r;
  std::string raison;
  ASSERT_TRUE(construireRepere(c, r, raison)) << raison;
  for (double u : {-30.0, 0.0, 57.5, 200.0, 260.0})
    for (double v : {-10.0, 33.3, 100.0}) {
      const PointPhoto q = versRepere(r, photographier(u, v));
      EXPECT_NEAR(u, q.x, 1e-9);
      EXPECT_NEAR(v, q.y, 1e-9);
      const PointPhoto p = versPhoto(r, q);
      EXPECT_NEAR(photographier(u, v).x, p.x, 1e-9);
    }
  // an origin and an angle: the point 20 above (50, 0), seen from it with
  // axes turned by 90 degrees, lies on the turned x axis
  c.origine = true;
  c.point_origine = photographier(50, 0);
  c.angle = 90;
  ASSERT_TRUE(construireRepere(c, r, raison));
  const PointPhoto q = versRepere(r, photographier(50, 20));
  EXPECT_NEAR(20.0, q.x, 1e-9);
  EXPECT_NEAR(0.0, q.y, 1e-9);
  // y down turns the sign of y only
  c.angle = 0;
  c.y_vers_le_bas = true;
  ASSERT_TRUE(construireRepere(c, r, raison));
  EXPECT_NEAR(-20.0, versRepere(r, photographier(50, 20)).y, 1e-9);
}

TEST(Geometrie, ScaleOriginAndAxes) {
  Calibration c;
  Repere r;
  std::string raison;
  ASSERT_TRUE(construireRepere(c, r, raison));
  EXPECT_TRUE(r.identite);  // nothing set: the photo's pixels, y down
  EXPECT_EQ(3.5, versRepere(r, {7.5, 3.5}).y);
  c.echelle = true;
  c.bouts[0] = {10.5, 10.5};
  c.bouts[1] = {110.5, 10.5};
  c.longueur = 50;
  c.unite = "mm";
  c.origine = true;
  c.point_origine = {10.5, 200.5};
  ASSERT_TRUE(construireRepere(c, r, raison));
  const PointPhoto q = versRepere(r, {30.5, 100.5});  // 20 px right, 100 px up
  EXPECT_NEAR(10.0, q.x, 1e-12);
  EXPECT_NEAR(50.0, q.y, 1e-12);
  c.bouts[1] = c.bouts[0];
  EXPECT_FALSE(construireRepere(c, r, raison));
}

TEST(Geometrie, DegenerateQuadrilateralsAreRefusedWithTheirReason) {
  struct Cas {
    PointPhoto coins[4];
    const char* raison;
  };
  const Cas cas[] = {
      {{{0, 0}, {100, 0}, {100, 100}, {0, 100}}, ""},
      {{{0, 0}, {100, 0}, {100.3, 0.2}, {0, 100}}, "deux coins confondus"},
      {{{0, 0}, {50, 0.5}, {100, 0}, {0, 100}}, "trois coins alignes"},
      {{{0, 0}, {100, 100}, {100, 0}, {0, 100}}, "cotes croises"},
      {{{0, 0}, {100, 0}, {30, 30}, {0, 100}}, "quadrilatere non convexe"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.raison);
    std::string raison;
    Homographie h;
    EXPECT_EQ(*c.raison == 0, homographieDuPlan(c.coins, 10, 10, h, raison));
    EXPECT_EQ(std::string(c.raison), raison);
  }
}

TEST(FichierCalibration, WrittenValuesReadBackAndDamagedLinesAreNamed) {
  Calibration c;
  c.echelle = true;
  c.bouts[0] = {1.5, 2.5};
  c.bouts[1] = {101.5, 2.5};
  c.longueur = 12.25;
  c.unite = "mm";
  c.origine = true;
  c.point_origine = {3.5, 4.5};
  c.angle = -12.5;
  c.intervalle = true;
  c.secondes = 0.04;
  const LectureCalibration l = lireTexteCalibration(texteCalibration(c));
  EXPECT_TRUE(l.lignes_illisibles.empty());
  EXPECT_EQ(texteCalibration(c), texteCalibration(l.valeurs));

  // damaged lines, an older short scale, CR LF ends, comments; the last line of a keyword wins
  const LectureCalibration d = lireTexteCalibration(
      "echelle 0,5\r\nechelle 0.25\r\n# note\r\nunite mm cm\r\nfoo 1\r\nplan 0 0 1 0 1 1 0 1 -3 4\r\n"
      "intervalle -1\r\nangle nan\r\ny_vers_le_bas\r\n\r\norigine 1 2\r\nversion 2\r\n\x01\x02\r\n");
  EXPECT_EQ((std::vector<int>{1, 4, 5, 6, 7, 8, 12, 13}), d.lignes_illisibles);
  EXPECT_TRUE(d.valeurs.echelle_sans_bouts);
  EXPECT_EQ(0.25, d.valeurs.longueur);
  EXPECT_TRUE(d.valeurs.y_vers_le_bas);
  EXPECT_FALSE(d.valeurs.plan);
  EXPECT_TRUE(lireTexteCalibration("").vide);
  EXPECT_TRUE(lireTexteCalibration("\n# rien\n").vide);
}

}  // namespace
