// A record's calibrated values survive a restart: the uncertainties an
// earlier calibrated file holds come back through the same calibration, and
// only through it.
#include "calibration/resu_calibre.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// A run of measures as the program makes them: positions as the result
// files' texts, uncertainties of a few hundredths to a few tenths.
std::vector<MesurePhoto> run() {
  std::vector<MesurePhoto> m;
  for (int i = 0; i < 9; ++i) {
    if (i == 4) continue;  // a gap
    MesurePhoto p;
    p.rang = i + 1;
    p.indice = i;
    p.photo = "photos/p;" + std::to_string(i) + ".png";  // a name to quote
    p.x = std::stod("312.4" + std::to_string(i) + "71234567") + 13.0 * i;
    p.y = 207.0 - 9.5 * i + 0.01 * i * i;
    p.ux = 0.02 + 0.031 * std::fabs(std::sin(i + 1.0));
    p.uy = 0.3 / (i + 2.0);
    m.push_back(p);
  }
  return m;
}

Calibration echelle(double angle) {
  Calibration c;
  c.echelle = true;
  c.bouts[0] = {100.5, 400.5};
  c.bouts[1] = {500.5, 380.5};
  c.longueur = 250.0;
  c.unite = "mm";
  c.origine = true;
  c.point_origine = {50.5, 450.5};
  c.angle = angle;
  return c;
}

Calibration plan() {
  Calibration c;
  c.plan = true;
  c.coins[0] = {80.5, 420.5};
  c.coins[1] = {560.5, 400.5};
  c.coins[2] = {530.5, 60.5};
  c.coins[3] = {110.5, 90.5};
  c.largeur_plan = 300.0;
  c.hauteur_plan = 200.0;
  c.unite = "mm";
  return c;
}

std::vector<MesurePhoto> sansIncertitudes(std::vector<MesurePhoto> m) {
  for (MesurePhoto& p : m) p.ux = p.uy = 0.0;
  return m;
}

}  // namespace

// Pixels, a scale with axes turned (45 degrees mixes x and y evenly) and a
// plane: each row's uncertainties come back and the file is written again
// byte for byte; through another calibration, a damaged copy or another
// photo, none comes back.
TEST(ResuCalibre, UncertaintiesComeBackThroughTheSameCalibrationOnly) {
  const std::vector<Calibration> calibrations = {Calibration(), echelle(0.0), echelle(30.0), echelle(45.0), plan()};
  for (size_t k = 0; k < calibrations.size(); ++k) {
    SCOPED_TRACE(k);
    const Calibration& c = calibrations[k];
    const std::string texte = texteResuCalibre(calibrerRun(run(), c));
    const std::vector<LigneCalibreeLue> lignes = lireResuCalibre(texte);
    ASSERT_EQ(8u, lignes.size());
    EXPECT_EQ("photos/p;8.png", lignes.back().photo);

    std::vector<MesurePhoto> repris = sansIncertitudes(run());
    const std::vector<bool> trouvees = retrouverIncertitudes(repris, c, lignes);
    EXPECT_EQ(std::vector<bool>(8, true), trouvees);
    EXPECT_EQ(texte, texteResuCalibre(calibrerRun(repris, c)));

    // another calibration: nothing taken from the file
    Calibration autre = c;
    autre.origine = true;
    autre.point_origine = {51.5, 450.5};
    repris = sansIncertitudes(run());
    EXPECT_EQ(std::vector<bool>(8, false), retrouverIncertitudes(repris, autre, lignes));
    EXPECT_EQ(0.0, repris[0].ux);
  }

  const std::string texte = texteResuCalibre(calibrerRun(run(), echelle(0.0)));
  std::vector<MesurePhoto> repris = sansIncertitudes(run());
  // another version's header, a row cut short, a row with another photo
  EXPECT_TRUE(lireResuCalibre("rang;photo\r\n" + texte.substr(texte.find("\r\n") + 2)).empty());
  EXPECT_EQ(7u, lireResuCalibre(texte.substr(0, texte.size() - 5)).size());
  repris[2].photo = "photos/autre.png";
  const std::vector<bool> trouvees = retrouverIncertitudes(repris, echelle(0.0), lireResuCalibre(texte));
  EXPECT_FALSE(trouvees[2]);
  EXPECT_TRUE(trouvees[3]);
}
