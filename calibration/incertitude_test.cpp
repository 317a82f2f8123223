// The uncertainty model held to the true errors of generated discs.
#include "calibration/incertitude.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/disques_generes.h"
#include "tests/etat_fixture.h"

namespace {

struct Couverture {
  int dans1 = 0, dans2 = 0, total = 0;
  void ajouter(double erreur, double u) {
    ++total;
    dans1 += std::fabs(erreur) <= u;
    dans2 += std::fabs(erreur) <= 2 * u;
  }
  double un() const { return 100.0 * dans1 / total; }
  double deux() const { return 100.0 * dans2 / total; }
};

class IncertitudeTest : public EtatTest {};

// 400 photos: radius 3 to 30, with and without noise, sharp and shaded
// edges. Each coordinate of each record counts once.
TEST_F(IncertitudeTest, TrueErrorsFallWithinTheUncertaintyAsOftenAsTheModelSays) {
  std::mt19937 hasard(2024);
  for (bool bruit : {false, true}) {
    SCOPED_TRACE(bruit ? "with noise" : "without noise");
    Couverture c;
    for (int i = 0; i < 200; ++i) {
      const DisqueGenere d = disqueAuHasard(hasard, bruit, i % 2 == 0);
      const MesureDisque m = mesurerDisque(d, hasard);
      ASSERT_GT(m.nombre, 0);
      ASSERT_GT(m.ux, 0.0);
      c.ajouter(m.x - d.cx, m.ux);
      c.ajouter(m.y - d.cy, m.uy);
    }
    EXPECT_GE(c.un(), 55.0);
    EXPECT_LE(c.un(), 80.0);
    EXPECT_GE(c.deux(), 93.0);
  }
}

TEST(Incertitude, ShapesWithoutBitsFollowTheSameModel) {
  // a filled disc of radius 10 from its bits, and from its count and spreads
  const int cote = 25;
  std::vector<bool> bits(cote * cote);
  double n = 0, sx = 0, sxx = 0;
  for (int l = 0; l < cote; ++l)
    for (int c = 0; c < cote; ++c) {
      const double x = c + 0.5 - 12.3, y = l + 0.5 - 12.6;
      if (x * x + y * y > 100.0) continue;
      bits[l * cote + c] = true;
      n += 1;
      sx += c;
      sxx += double(c) * c;
    }
  const double ecart = std::sqrt(sxx / n - (sx / n) * (sx / n));
  const IncertitudePixels a = incertitudeSelection(bits, 0, 0, cote - 1, cote - 1);
  const IncertitudePixels b = incertitudeCompacte(int64_t(n), ecart, ecart);
  EXPECT_NEAR(b.ux / a.ux, 1.0, 0.25);
  // nothing selected: no uncertainty to give; one pixel alone: the object is
  // anywhere in it, a uniform spread of one pixel
  EXPECT_EQ(0.0, incertitudeSelection(std::vector<bool>(9), 0, 0, 2, 2).ux);
  std::vector<bool> un(9);
  un[4] = true;
  EXPECT_NEAR(std::sqrt(1.0 / 12), incertitudeSelection(un, 0, 0, 2, 2).ux, 1e-12);
}

}  // namespace
