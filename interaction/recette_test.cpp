#include "interaction/recette.h"

#include <gtest/gtest.h>

#include "app/etat.h"
#include "interaction/selection.h"
#include "interaction/souris.h"
#include "tests/etat_fixture.h"

namespace {

// A 40 x 30 photo of three colour bands (red, a close red, blue) drawn at
// zoom 1 by a software renderer, so window and photo pixels agree.
class RecetteTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    Etat& e = *g_etat;
    fenetre_ = fenetreLogicielle(40, 30);
    photo_ = SDL_CreateRGBSurfaceWithFormat(0, 40, 30, 24, SDL_PIXELFORMAT_RGB24);
    for (int c = 0; c < 40; ++c) {
      SDL_Rect bande{c, 0, 1, 30};
      const Uint8 rouge = c < 15 ? 200 : c < 25 ? 185 : 20;
      SDL_FillRect(photo_, &bande, SDL_MapRGB(photo_->format, rouge, 10, c < 25 ? 10 : 200));
    }
    e.pTempSurface_prairie = photo_;
    e.m_zoom = 1.0;
    e.m_largeur_photo = 40;
    e.m_hauteur_photo = 30;
    e.m_max_pixels = 100000;
    e.m_tolerance_rouge = e.m_tolerance_vert = e.m_tolerance_bleu = 5;
  }
  void TearDown() override {
    libererFog();
    rendreFenetre(fenetre_);
    SDL_FreeSurface(photo_);
    g_etat->pTempSurface_prairie = nullptr;
    EtatTest::TearDown();
  }
  void sousMode(bool Etat::*mode) {
    Etat& e = *g_etat;
    e.m_choix_zone = e.m_ajout_souris = e.m_ajout_couleurs = e.m_retrait_souris = false;
    e.*mode = true;
  }
  void glisser(bool Etat::*mode, int x0, int y0, int x1, int y1) {
    sousMode(mode);
    appuiSouris(SDL_BUTTON_LEFT, x0, y0);
    relacheSouris(SDL_BUTTON_LEFT, x1, y1);
  }
  void cliquer(int x, int y) {
    sousMode(&Etat::m_ajout_couleurs);
    appuiSouris(SDL_BUTTON_LEFT, x, y);
  }
  SDL_Surface* fenetre_ = nullptr;
  SDL_Surface* photo_ = nullptr;
};

}  // namespace

// Zone, two colour clicks with other tolerances, an add and a remove drag,
// an advance and one more click: replaying each photo's recipe gives the
// live bits, count and centre, and the records' state follows.
TEST_F(RecetteTest, ReplayGivesTheLiveSelection) {
  Etat& e = *g_etat;
  glisser(&Etat::m_choix_zone, 2, 3, 35, 25);
  EXPECT_TRUE(e.m_recette.zone);
  EXPECT_FALSE(e.m_histoire_selection.changee);
  cliquer(5, 5);  // the red band only: the close red is 15 away
  EXPECT_TRUE(e.m_histoire_selection.couleur);
  EXPECT_EQ(200, e.m_histoire_selection.rouge);
  e.m_tolerance_rouge = 20;
  cliquer(30, 10);  // blue, now with a wider red tolerance
  glisser(&Etat::m_ajout_souris, 16, 4, 18, 6);
  glisser(&Etat::m_retrait_souris, 3, 3, 6, 25);
  EXPECT_EQ(4u, e.m_recette.passes.size());
  EXPECT_TRUE(e.m_histoire_selection.changee);

  const std::vector<bool> bits = e.is_select;
  const int32_t nombre = e.m_nombre_selectionnes;
  const double cx = e.m_centre_x, cy = e.m_centre_y;
  ASSERT_TRUE(rejouerRecette(e.m_recette));
  calculerCentre();
  EXPECT_EQ(bits, e.is_select);
  EXPECT_EQ(nombre, e.m_nombre_selectionnes);
  EXPECT_EQ(cx, e.m_centre_x);
  EXPECT_EQ(cy, e.m_centre_y);

  // The next photo starts from these bits; a click on the close red adds it.
  noterPhotoSuivante();
  EXPECT_FALSE(e.m_histoire_selection.changee);
  EXPECT_TRUE(e.m_recette.passes.empty());
  cliquer(20, 20);
  const std::vector<bool> bits2 = e.is_select;
  const int32_t nombre2 = e.m_nombre_selectionnes;
  ASSERT_TRUE(rejouerRecette(e.m_recette));
  EXPECT_EQ(bits2, e.is_select);
  EXPECT_EQ(nombre2, e.m_nombre_selectionnes);

  // A click that adds nothing changes the selection's history but not the
  // colour of the last pass that changed it.
  cliquer(20, 20);
  EXPECT_EQ(185, e.m_histoire_selection.rouge);
  const Uint8 avant = e.m_histoire_selection.rouge;
  cliquer(21, 20);
  EXPECT_EQ(avant, e.m_histoire_selection.rouge);

  // Without a photo surface the colour pass cannot be replayed.
  e.pTempSurface_prairie = nullptr;
  EXPECT_FALSE(rejouerRecette(e.m_recette));
}
