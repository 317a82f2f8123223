#include "display/trace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/etat_fixture.h"

namespace {

// Each point within a pixel of a 100 x 80 window, the last polyline two
// points or more (debuts only grow).
bool dansFenetre(const TraceFenetre& t) {
  for (int k = 0; k < kTeintes; ++k) {
    if (!t.debuts[k].empty() && t.debuts[k].back() + 2 > t.points[k].size()) return false;
    for (const SDL_Point& p : t.points[k]) {
      if (p.x < -1 || p.y < -1 || p.x > 100 || p.y > 80) return false;
    }
  }
  return true;
}

class TraceTest : public EtatTest {};

}  // namespace

// A step is red past 3 x the median and 2 px; a centre that is not a number
// breaks the path without a red step.
TEST_F(TraceTest, RedSteps) {
  using R = std::vector<uint8_t>;
  EXPECT_EQ((R{0, 0, 0, 0, 1, 0, 0}), etapesRouges({0, 1, 2, 3, 13, 14, 15}, std::vector<double>(7, 5.0)));
  EXPECT_EQ(R(6, 0), etapesRouges({0, 1, 2, 3.9, 4.9, 5.9}, std::vector<double>(6, 0.0)));  // median 1
  EXPECT_EQ(R(5, 0), etapesRouges({0, 0.2, 0.4, 2.2, 2.4}, std::vector<double>(5, 0.0)));   // not > 2 px
  EXPECT_EQ(R(5, 0), etapesRouges({0, 1, std::nan(""), 3, 4}, std::vector<double>(5, 0.0)));
  EXPECT_EQ(R(1, 0), etapesRouges({7.0}, {7.0}));
  EXPECT_TRUE(etapesRouges({}, {}).empty());
}

// Through a 100 x 80 window: the last ten steps bright, the jump red over
// the rest, the others dim, as traced and on the screen; T off draws
// nothing. Steps far off, huge or not finite are clipped or left out; one
// centre gives its cross and no step.
TEST_F(TraceTest, TraceAndPixels) {
  Etat& e = *g_etat;
  TrajetPhoto t;
  for (int i = 0; i < 20; ++i) {
    t.x.push_back(10 + 2 * i + (i == 15 ? 30 : 0));  // a jump there and back
    t.y.push_back(20);
    Souvenir& s = e.m_historique.souvenirs.emplace_back();
    s.ecrit = true;
    s.selection.centre_x = t.x.back();
    s.selection.centre_y = 20;
  }
  t.rouge = etapesRouges(t.x, t.y);
  const TraceFenetre a = traceFenetre(t, 1.0, 0.0, 0.0, 100, 80);
  EXPECT_TRUE(dansFenetre(a));
  EXPECT_EQ(19u, a.etapes());
  EXPECT_EQ(2u, a.points[int(Teinte::Rouge)].size() - a.debuts[int(Teinte::Rouge)].size());
  // steps 1..10 dim, 11..19 bright but the two red ones
  EXPECT_EQ(10u, a.points[int(Teinte::Ordinaire)].size() - a.debuts[int(Teinte::Ordinaire)].size());
  EXPECT_EQ(2 * kCentresVifs, a.croix[int(Teinte::Recente)].size());

  SDL_Surface* ecran = SDL_CreateRGBSurfaceWithFormat(0, 100, 80, 32, SDL_PIXELFORMAT_RGB888);
  e.m_rendu = SDL_CreateSoftwareRenderer(ecran);
  e.m_zoom = 1.0;
  // the jump, a dim step, a dim cross, a bright cross, nothing
  const struct { int x, y; Uint32 rgb; } attendus[] = {
      {60, 20, 0xFF0000}, {20, 20, 0xA0A000}, {12, 18, 0xA0A000}, {44, 17, 0xFFFF00}, {60, 25, 0x1E1E1E}};
  for (bool montree : {true, false}) {
    SDL_FillRect(ecran, nullptr, 0x1E1E1E);
    e.m_afficher_trace = montree;
    dessinerTrace();
    SDL_RenderFlush(e.m_rendu);
    for (auto p : attendus) {
      const Uint32 lu = static_cast<Uint32*>(ecran->pixels)[p.y * ecran->pitch / 4 + p.x] & 0xFFFFFF;
      EXPECT_EQ(montree ? p.rgb : 0x1E1E1Eu, lu) << p.x << " " << p.y << " " << montree;
    }
  }
  SDL_DestroyRenderer(e.m_rendu);
  SDL_FreeSurface(ecran);

  EXPECT_TRUE(dansFenetre(traceFenetre(t, 1000.0, 20000.0, 19990.0, 100, 80)));  // mostly off, the rest clipped
  const double infini = std::numeric_limits<double>::infinity();
  TrajetPhoto loin{{1e300, -1e300, 50, infini, std::nan(""), 60, 1e15, 55, 4e9},
                   {1e300, 1e300, 40, 40, 40, 40, -1e15, 45, 40}, {}};
  loin.rouge = etapesRouges(loin.x, loin.y);
  for (double zoom : {1.0, 1e-6, 1e6}) EXPECT_TRUE(dansFenetre(traceFenetre(loin, zoom, 0.0, 0.0, 100, 80))) << zoom;
  EXPECT_EQ(0u, traceFenetre(loin, std::nan(""), 0.0, 0.0, 100, 80).etapes());
  EXPECT_EQ(0u, traceFenetre(loin, 1.0, infini, 0.0, 100, 80).etapes());
  const TraceFenetre un = traceFenetre(TrajetPhoto{{30}, {30}, {0}}, 1.0, 0.0, 0.0, 100, 80);
  EXPECT_EQ(0u, un.etapes());
  EXPECT_EQ(2u, un.croix[int(Teinte::Recente)].size());
}
