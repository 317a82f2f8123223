#include "display/trajectoire.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

bool dansFenetre(const TraceFenetre& t, int32_t largeur, int32_t hauteur) {
  for (int k = 0; k < kTeintes; ++k) {
    for (const SDL_Point& p : t.points[k]) {
      if (p.x < -1 || p.y < -1 || p.x > largeur || p.y > hauteur) return false;
    }
    for (uint32_t d : t.debuts[k]) {
      if (d + 2 > t.points[k].size()) return false;
    }
  }
  return true;
}

}  // namespace

// Steps of about 1 px and one of 10: only that one is red; a path of
// 1-pixel jitter has none (a red step must also exceed 2 px); a centre that
// is not a number breaks the path without a red step.
TEST(TrajectoireTest, RedSteps) {
  std::vector<double> x{0, 1, 2, 3, 13, 14, 15}, y(7, 5.0);
  EXPECT_EQ((std::vector<uint8_t>{0, 0, 0, 0, 1, 0, 0}), etapesRouges(x, y));
  x = {0, 1, 2, 3.9, 4.9, 5.9};  // 1.9 > 3 x median? no: median 1
  EXPECT_EQ(std::vector<uint8_t>(6, 0), etapesRouges(x, std::vector<double>(6, 0.0)));
  x = {0, 0.2, 0.4, 2.2, 2.4};  // 1.8 > 3 x 0.2 but not > 2 px
  EXPECT_EQ(std::vector<uint8_t>(5, 0), etapesRouges(x, std::vector<double>(5, 0.0)));
  x = {0, 1, std::nan(""), 3, 4};
  EXPECT_EQ(std::vector<uint8_t>(5, 0), etapesRouges(x, std::vector<double>(5, 0.0)));
  EXPECT_EQ(std::vector<uint8_t>(1, 0), etapesRouges({7.0}, {7.0}));
  EXPECT_TRUE(etapesRouges({}, {}).empty());
}

// Through a 100 x 80 window: the last ten steps bright, the jump red, the
// rest dim; steps far off, huge or not finite are clipped or left out, never
// drawn outside; one centre gives its cross and no step.
TEST(TrajectoireTest, WindowTrace) {
  TrajetPhoto t;
  for (int i = 0; i < 20; ++i) {
    t.x.push_back(10 + 2 * i);
    t.y.push_back(20);
  }
  t.x[15] += 30;  // a jump there and back
  t.rouge = etapesRouges(t.x, t.y);
  const TraceFenetre a = traceFenetre(t, 1.0, 0.0, 0.0, 100, 80);
  EXPECT_TRUE(dansFenetre(a, 100, 80));
  EXPECT_EQ(19u, a.etapes());
  EXPECT_EQ(2u, a.points[int(Teinte::Rouge)].size() - a.debuts[int(Teinte::Rouge)].size());
  // steps 1..10 dim, 11..19 bright but the two red ones
  EXPECT_EQ(10u, a.points[int(Teinte::Ordinaire)].size() - a.debuts[int(Teinte::Ordinaire)].size());
  EXPECT_EQ(2 * kCentresVifs, a.croix[int(Teinte::Recente)].size());

  // zoom 1000 at an offset: most of it off the window, the rest clipped
  const TraceFenetre b = traceFenetre(t, 1000.0, 20000.0, 19990.0, 100, 80);
  EXPECT_TRUE(dansFenetre(b, 100, 80));

  const double infini = std::numeric_limits<double>::infinity();
  TrajetPhoto loin;
  loin.x = {1e300, -1e300, 50, infini, std::nan(""), 60, 1e15, 55, 4e9};
  loin.y = {1e300, 1e300, 40, 40, 40, 40, -1e15, 45, 40};
  loin.rouge = etapesRouges(loin.x, loin.y);
  for (double zoom : {1.0, 1e-6, 1e6}) {
    const TraceFenetre c = traceFenetre(loin, zoom, 0.0, 0.0, 100, 80);
    EXPECT_TRUE(dansFenetre(c, 100, 80)) << zoom;
  }
  EXPECT_EQ(0u, traceFenetre(loin, std::nan(""), 0.0, 0.0, 100, 80).etapes());
  EXPECT_EQ(0u, traceFenetre(loin, 1.0, infini, 0.0, 100, 80).etapes());

  TrajetPhoto un;
  un.x = {30};
  un.y = {30};
  un.rouge = etapesRouges(un.x, un.y);
  const TraceFenetre d = traceFenetre(un, 1.0, 0.0, 0.0, 100, 80);
  EXPECT_EQ(0u, d.etapes());
  EXPECT_EQ(2u, d.croix[int(Teinte::Recente)].size());
}
