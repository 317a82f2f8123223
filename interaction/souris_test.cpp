#include "interaction/souris.h"

#include <gtest/gtest.h>

#include "etat/conversion.h"
#include "tests/etat_fixture.h"

namespace {

bool egal(const SDL_Rect& a, const SDL_Rect& b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; }

TEST(RectangleNormalise, SameRectangleFromAnyCorner) {
  const SDL_Rect attendu{40, 50, 60, 30};
  struct Cas { int xa, ya, x, y; };
  for (Cas c : {Cas{100, 50, 40, 80}, Cas{40, 80, 100, 50}, Cas{40, 50, 100, 80}, Cas{100, 80, 40, 50}}) {
    SCOPED_TRACE(testing::Message() << c.xa << "," << c.ya << " -> " << c.x << "," << c.y);
    EXPECT_TRUE(egal(attendu, rectangleNormalise(c.xa, c.ya, c.x, c.y)));
  }
  // extreme points do not wrap
  SDL_Rect r = rectangleNormalise(-(1 << 28), 0, 1 << 28, 0);
  EXPECT_EQ(-(1 << 28), r.x);
  EXPECT_EQ(1 << 29, r.w);
}

TEST(CoinsZone, ClampsKeepEveryCornerInsideThePhoto) {
  struct Cas {
    const char* nom;
    SDL_Rect r;
    int32_t w, h;
    CoinsZone attendu;
  };
  const Cas cas[] = {
      {"inside", {10, 20, 30, 5}, 100, 80, {10, 20, 40, 25}},
      {"starts left and above", {-15, -3, 30, 10}, 100, 80, {0, 0, 15, 7}},
      {"ends beyond", {90, 70, 50, 50}, 100, 80, {90, 70, 99, 79}},
      {"wholly left and above", {-50, -40, 20, 5}, 100, 80, {0, 0, 1, 1}},
      {"wholly right and below", {150, 90, 20, 5}, 100, 80, {97, 77, 99, 79}},
      {"one pixel photo", {-50, 3, 200, 0}, 1, 1, {0, 0, 0, 0}},
      {"two pixel photo, left", {-50, -9, 20, 2}, 2, 2, {0, 0, 1, 1}},
      {"two pixel photo, right", {5, 5, 3, 3}, 2, 2, {0, 0, 1, 1}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    CoinsZone z;
    ASSERT_TRUE(coinsZone(c.r, 1.0, 0.0, 0.0, c.w, c.h, z));
    EXPECT_EQ(c.attendu.x0, z.x0);
    EXPECT_EQ(c.attendu.y0, z.y0);
    EXPECT_EQ(c.attendu.x1, z.x1);
    EXPECT_EQ(c.attendu.y1, z.y1);
  }
  CoinsZone z;
  EXPECT_FALSE(coinsZone({0, 0, 5, 5}, 1.0, 0.0, 0.0, 0, 10, z)) << "no photo";
  EXPECT_FALSE(coinsZone({0, 0, 5, 5}, 0.0, 0.0, 0.0, 10, 10, z)) << "no zoom";
}

TEST(CoinsZone, ClickWithoutMovementAtZoomTwoIsOnePixelZone) {
  CoinsZone z;
  ASSERT_TRUE(coinsZone(rectangleNormalise(10, 10, 10, 10), 2.0, 0.0, 0.0, 100, 100, z));
  EXPECT_EQ(5, z.x0);
  EXPECT_EQ(5, z.x1);
  EXPECT_EQ(5, z.y0);
  EXPECT_EQ(5, z.y1);
  EXPECT_TRUE(egal(SDL_Rect{10, 10, 1, 1}, zoneFenetre(5, 5, 5, 5, 2.0, 0.0, 0.0).rect));
}

TEST(ZoneFenetre, WidthFollowsTheColumnEdges) {
  struct Cas { double zoom, d; int32_t attendu_w; };
  // columns 4..6 (three photo pixels)
  for (Cas c : {Cas{1.0, 0.0, 2}, Cas{2.0, 0.0, 5}, Cas{5.0, 0.0, 14}, Cas{50.0, 0.0, 149}, Cas{0.5, 0.0, 0},
                Cas{0.5, 0.5, 1}, Cas{0.125, 0.0, -1}, Cas{1.0, 0.25, 2}}) {
    SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " d " << c.d);
    ZoneFenetre z = zoneFenetre(4, 0, 6, 0, c.zoom, c.d, 0.0);
    EXPECT_EQ(c.attendu_w, z.rect.w);
    EXPECT_EQ(z.x1 - z.x0, z.rect.w);
  }
  // a zone one pixel wide at zoom 1 has width 0 whatever the offset
  EXPECT_EQ(0, zoneFenetre(7, 0, 7, 0, 1.0, -3.75, 0.0).rect.w);
}

TEST(CoteFog, NeverLargerThanTheWindow) {
  EXPECT_EQ(800, coteFog(10000, 800));
  EXPECT_EQ(37, coteFog(37, 800));
  EXPECT_EQ(1, coteFog(37, 0));
}

class SourisTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    Etat& e = *g_etat;
    e.m_zoom = 2.0;
    e.m_largeur_photo = 100;
    e.m_hauteur_photo = 80;
    e.m_largeur_fenetre = 64;
    e.m_hauteur_fenetre = 48;
  }
};

TEST_F(SourisTest, PressRecordsThePointOnlyForTheLeftButtonInColourMode) {
  Etat& e = *g_etat;
  appuiSouris(SDL_BUTTON_RIGHT, 30, 40);
  e.m_mode_couleurs_voisines = false;
  appuiSouris(SDL_BUTTON_LEFT, 30, 40);
  EXPECT_FALSE(e.m_afficher_croix_appui);
  EXPECT_EQ(0, e.m_x_appui);

  e.m_mode_couleurs_voisines = true;
  appuiSouris(SDL_BUTTON_LEFT, 30, 40);
  EXPECT_TRUE(e.m_afficher_croix_appui);
  EXPECT_EQ(30, e.m_x_appui);
  EXPECT_EQ(40, e.m_y_appui);
  EXPECT_TRUE(egal(SDL_Rect{20, 40, 20, 1}, e.m_croix_appui_h));
  EXPECT_TRUE(egal(SDL_Rect{30, 30, 1, 20}, e.m_croix_appui_v));

  // colour sub-mode: the click point, never the press cross
  e.m_choix_zone = false;
  e.m_ajout_couleurs = true;
  appuiSouris(SDL_BUTTON_LEFT, 7, 9);
  EXPECT_EQ(7, e.m_x_souris);
  EXPECT_EQ(9, e.m_y_souris);
  EXPECT_EQ(30, e.m_x_appui);

  // a press reported far off the window: the bars stop at the safe range
  e.m_ajout_couleurs = false;
  e.m_retrait_souris = true;
  appuiSouris(SDL_BUTTON_LEFT, INT32_MIN, INT32_MAX);
  EXPECT_EQ(INT32_MIN, e.m_x_appui);
  EXPECT_TRUE(egal(SDL_Rect{-kEntierSur, INT32_MAX, 20, 1}, e.m_croix_appui_h));
  EXPECT_TRUE(egal(SDL_Rect{INT32_MIN, kEntierSur, 1, 20}, e.m_croix_appui_v));
}

TEST_F(SourisTest, RefusedZoneKeepsThePressCrossAndHidesTheOverlay) {
  Etat& e = *g_etat;
  e.m_max_pixels = -1;  // every zone is over the limit
  e.m_afficher_zone = true;
  appuiSouris(SDL_BUTTON_LEFT, 10, 10);
  relacheSouris(SDL_BUTTON_LEFT, 30, 20);
  EXPECT_FALSE(e.m_afficher_zone);
  EXPECT_TRUE(e.m_afficher_croix_appui);
  EXPECT_EQ(30, e.m_x_fin_zone);
  EXPECT_EQ(0, e.m_fog_existe);
}

TEST_F(SourisTest, ZoneDragWithoutPhotoListsNothing) {
  Etat& e = *g_etat;
  e.m_largeur_photo = e.m_hauteur_photo = 0;
  appuiSouris(SDL_BUTTON_LEFT, 10, 10);
  relacheSouris(SDL_BUTTON_LEFT, 30, 20);
  EXPECT_EQ("", console_.lu());
  EXPECT_FALSE(e.m_afficher_zone);
  EXPECT_TRUE(e.m_afficher_croix_appui);
}

TEST_F(SourisTest, AddDragBoundsAreTheUnclampedPhotoPixels) {
  Etat& e = *g_etat;
  e.m_decalage_x = -7.0;
  e.m_decalage_y = 3.0;
  e.m_choix_zone = false;
  e.m_ajout_souris = true;
  appuiSouris(SDL_BUTTON_LEFT, 20, 9);
  EXPECT_TRUE(e.m_afficher_croix_appui);
  relacheSouris(SDL_BUTTON_LEFT, 2, 30);
  EXPECT_TRUE(egal(SDL_Rect{2, 9, 18, 21}, e.m_rect_marqueur));
  EXPECT_EQ(-3, e.m_modif_x0);  // floor((2 - 7) / 2)
  EXPECT_EQ(6, e.m_modif_x1);   // floor((20 - 7) / 2)
  EXPECT_EQ(6, e.m_modif_y0);
  EXPECT_EQ(16, e.m_modif_y1);
  EXPECT_EQ(2, e.m_x_souris);
  EXPECT_FALSE(e.m_afficher_croix_appui);
}

TEST_F(SourisTest, OverlayStaysWindowSizedAtZoomFifty) {
  Etat& e = *g_etat;
  SDL_Surface* ecran = SDL_CreateRGBSurfaceWithFormat(0, 64, 48, 32, SDL_PIXELFORMAT_RGB888);
  e.m_rendu = SDL_CreateSoftwareRenderer(ecran);
  e.m_zoom = 50.0;
  e.m_zone_x0 = 10;
  e.m_zone_y0 = 10;
  e.m_zone_x1 = 209;  // 200 x 200 photo pixels: 10000 x 10000 window pixels
  e.m_zone_y1 = 209;
  placerZone();
  EXPECT_EQ(9999, e.m_rect_zone.w);
  EXPECT_TRUE(egal(SDL_Rect{0, 0, 9999, 9999}, e.m_rect_source_fog));
  construireFog();
  ASSERT_NE(nullptr, e.Fog);
  EXPECT_EQ(64, e.Fog->w);
  EXPECT_EQ(48, e.Fog->h);
  EXPECT_EQ(1, e.m_fog_existe);
  EXPECT_EQ(1, e.m_gfog_existe);
  SDL_BlendMode mode;
  Uint8 alpha = 0;
  SDL_GetTextureBlendMode(e.gFog, &mode);
  SDL_GetTextureAlphaMod(e.gFog, &alpha);
  EXPECT_EQ(SDL_BLENDMODE_BLEND, mode);
  EXPECT_EQ(30, alpha);

  // a zone narrower than the window keeps its own size
  e.m_rect_zone = {5, 5, 20, 3};
  construireFog();
  EXPECT_EQ(20, e.Fog->w);
  EXPECT_EQ(3, e.Fog->h);
  libererFog();
  EXPECT_EQ(nullptr, e.Fog);
  EXPECT_EQ(0, e.m_fog_existe);
  EXPECT_EQ(0, e.m_gfog_existe);
  SDL_DestroyRenderer(e.m_rendu);
  SDL_FreeSurface(ecran);
}

TEST_F(SourisTest, OverlayThatCannotBeMadeWritesTheErrorWithoutLineEnd) {
  Etat& e = *g_etat;
  // no renderer: the surface is made, the texture is not
  e.m_rect_zone = {0, 0, 10, 10};
  construireFog();
  std::string texte = console_.lu();
  EXPECT_FALSE(texte.empty());
  EXPECT_EQ(std::string::npos, texte.find('\n'));
  EXPECT_EQ(1, e.m_fog_existe);
  EXPECT_EQ(1, e.m_gfog_existe);
  EXPECT_EQ(nullptr, e.gFog);

  // a surface too large to make: the fill and the texture are skipped
  e.m_largeur_fenetre = e.m_hauteur_fenetre = 1 << 30;
  e.m_rect_zone = {0, 0, 1 << 30, 1 << 30};
  construireFog();
  texte = console_.lu();
  EXPECT_FALSE(texte.empty());
  EXPECT_EQ(std::string::npos, texte.find('\n'));
  EXPECT_EQ(nullptr, e.Fog);
  EXPECT_EQ(1, e.m_fog_existe);
  EXPECT_EQ(0, e.m_gfog_existe);
}

}  // namespace
