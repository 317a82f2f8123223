#include "display/partie_visible.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "display/placement.h"

namespace {

// Cell the renderer shows at window pixel k for the whole copy (the source
// clipped to the photo, stretched over the whole destination, sampled at the
// pixel centre); -1 where the photo is not.
int64_t celluleReference(int64_t k, const Axe& axe, int32_t taille_photo) {
  const int64_t a = std::max<int64_t>(axe.source_pos, 0);
  const int64_t b = std::min<int64_t>(int64_t(axe.source_pos) + axe.source_taille, taille_photo);
  const int64_t d = axe.destination_pos, dt = axe.destination_taille;
  if (b <= a || dt <= 0 || k < d || k >= d + dt) return -1;
  return a + int64_t(std::floor((k - d + 0.5) * double(b - a) / double(dt)));
}

int64_t cellulePieces(int64_t k, const std::vector<Troncon>& pieces) {
  for (const Troncon& t : pieces) {
    if (k >= t.destination_pos && k < t.destination_pos + t.destination_taille) {
      return t.source_pos +
             int64_t(std::floor((k - t.destination_pos + 0.5) * t.source_taille / double(t.destination_taille)));
    }
  }
  return -1;
}

}  // namespace

// Every window pixel shows the same cell as the whole copy would: exactly
// when the scale is a whole ratio, within one cell otherwise. The pieces stay
// inside the window, in order, and bounded.
TEST(PartieVisible, ShowsTheSameCellsAsTheWholeCopy) {
  const double zooms[] = {0.125, 0.25, 0.5, 1, 2, 5, 10, 20, 50};
  const int32_t photos[] = {6000, 999, 1000, 7, 1};
  const int32_t fenetres[] = {800, 801, 37};
  const double pans[] = {0.0, 13.25, -401.0, 2999.5, -6000.0, 1e7};
  for (double zoom : zooms) {
    for (int32_t photo : photos) {
      for (int32_t fenetre : fenetres) {
        for (double pan : pans) {
          SCOPED_TRACE(testing::Message() << "zoom " << zoom << " photo " << photo << " window " << fenetre
                                          << " pan " << pan);
          const Axe axe = placerAxe(photo, zoom, decalageCentre(photo, zoom, fenetre, pan));
          const std::vector<Troncon> pieces = partieVisible(axe.source_pos, axe.source_taille,
                                                            axe.destination_pos, axe.destination_taille, photo,
                                                            fenetre);
          const int64_t cellules = std::min(axe.source_taille, photo);
          const bool exact = axe.destination_taille % cellules == 0 || cellules % axe.destination_taille == 0;
          int64_t fin_precedente = 0;
          for (const Troncon& t : pieces) {
            EXPECT_GE(t.destination_pos, fin_precedente);
            EXPECT_GT(t.destination_taille, 0);
            EXPECT_GT(t.source_taille, 0);
            EXPECT_GE(t.source_pos, 0);
            EXPECT_LE(t.source_pos + t.source_taille, photo);
            EXPECT_TRUE(t.source_taille == 1 || t.destination_taille <= std::max(kTronconMax, t.source_taille));
            fin_precedente = t.destination_pos + t.destination_taille;
          }
          EXPECT_LE(fin_precedente, fenetre);
          for (int64_t k = 0; k < fenetre; ++k) {
            const int64_t attendu = celluleReference(k, axe, photo);
            const int64_t vu = cellulePieces(k, pieces);
            ASSERT_EQ(attendu < 0, vu < 0) << "pixel " << k;
            if (exact) {
              ASSERT_EQ(attendu, vu) << "pixel " << k;
            } else {
              ASSERT_LE(std::llabs(attendu - vu), 1) << "pixel " << k;
            }
          }
        }
      }
    }
  }
}

TEST(PartieVisible, NothingShowsOutsideTheWindowOrWithoutPhoto) {
  EXPECT_TRUE(partieVisible(0, 100, 800, 100, 100, 800).empty());   // right of the window
  EXPECT_TRUE(partieVisible(0, 100, -100, 100, 100, 800).empty());  // left of it
  EXPECT_TRUE(partieVisible(0, 0, 0, 0, 100, 800).empty());         // no valid zoom
  EXPECT_TRUE(partieVisible(0, 100, 0, 100, 0, 800).empty());       // no photo
  EXPECT_TRUE(partieVisible(0, 100, 0, 100, 100, 0).empty());       // no window
  // a photo inside the window is copied as placed, the source clipped to it
  const std::vector<Troncon> entiere = partieVisible(0, 2000, 150, 500, 1000, 800);
  ASSERT_EQ(1u, entiere.size());
  EXPECT_EQ(1000, entiere[0].source_taille);
  EXPECT_EQ(150, entiere[0].destination_pos);
  EXPECT_EQ(500, entiere[0].destination_taille);
}

// The window less the bands, pixel by pixel: every pixel outside the holes
// in exactly one part, none inside them; holes that overlap, stick out of the
// window or miss it, and a hole over everything.
TEST(PartieVisible, OutsideTheHolesEveryPixelOnce) {
  const SDL_Rect tout{0, 0, 40, 30};
  const std::vector<std::vector<SDL_Rect>> cas = {
      {}, {{3, 3, 20, 10}, {0, 24, 40, 6}}, {{30, -5, 20, 50}, {25, 10, 10, 10}}, {{50, 50, 5, 5}}, {{-1, -1, 99, 99}}};
  for (const auto& trous : cas) {
    SCOPED_TRACE(trous.size());
    const std::vector<SDL_Rect> parts = horsDe(tout, trous);
    for (int y = 0; y < tout.h; ++y) {
      for (int x = 0; x < tout.w; ++x) {
        const SDL_Point p{x, y};
        int vus = 0, dans_trou = 0;
        for (const SDL_Rect& r : parts) vus += SDL_PointInRect(&p, &r) ? 1 : 0;
        for (const SDL_Rect& r : trous) dans_trou += SDL_PointInRect(&p, &r) ? 1 : 0;
        ASSERT_EQ(dans_trou > 0 ? 0 : 1, vus) << x << " " << y;
      }
    }
  }
}
