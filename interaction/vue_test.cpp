#include "interaction/vue.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <utility>

#include "display/marqueur_pixel.h"
#include "display/placement.h"
#include "interaction/souris.h"
#include "tests/etat_fixture.h"

namespace {

const double kTable[9] = {0.125, 0.25, 0.5, 1, 2, 5, 10, 20, 50};

class VueTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    ecran_ = SDL_CreateRGBSurfaceWithFormat(0, 80, 60, 32, SDL_PIXELFORMAT_RGB888);
    Etat& e = *g_etat;
    e.m_rendu = SDL_CreateSoftwareRenderer(ecran_);
    for (int i = 0; i < 9; ++i) e.m_table_zoom[i] = kTable[i];
    e.m_indice_zoom_max = 8;
    e.m_largeur_photo = 1000;
    e.m_hauteur_photo = 800;
    e.m_largeur_fenetre = 800;
    e.m_hauteur_fenetre = 600;
    e.m_pas_deplacement = 20;
  }
  void TearDown() override {
    libererFog();
    libererMarqueurPixel();
    SDL_DestroyRenderer(g_etat->m_rendu);
    SDL_FreeSurface(ecran_);
    EtatTest::TearDown();
  }
  // The view at table index i, centred as the first placement does it.
  void vueA(int i) {
    Etat& e = *g_etat;
    e.m_indice_zoom = i;
    e.m_zoom = kTable[i];
    e.m_decalage_x = decalageCentre(e.m_largeur_photo, e.m_zoom, e.m_largeur_fenetre, 0.0);
    e.m_decalage_y = decalageCentre(e.m_hauteur_photo, e.m_zoom, e.m_hauteur_fenetre, 0.0);
    appliquerAxeX();
    appliquerAxeY();
  }
  SDL_Surface* ecran_ = nullptr;
};

TEST_F(VueTest, PanStepMovesThePhotoByTheStepAtAnyZoom) {
  Etat& e = *g_etat;
  struct Cas { int indice; double translation; };
  for (Cas c : {Cas{4, 10.0}, Cas{2, 40.0}}) {
    SCOPED_TRACE(kTable[c.indice]);
    e.m_translation_x = e.m_translation_y = 0.0;
    vueA(c.indice);
    const SDL_Rect avant = e.m_rect_destination;
    deplacerVue(Direction::Droite);
    EXPECT_DOUBLE_EQ(c.translation, e.m_translation_x);
    EXPECT_EQ(avant.x + 20, e.m_rect_destination.x);
    EXPECT_EQ(avant.y, e.m_rect_destination.y);
    deplacerVue(Direction::Bas);
    EXPECT_DOUBLE_EQ(c.translation, e.m_translation_y);
    EXPECT_EQ(avant.y + 20, e.m_rect_destination.y);
    deplacerVue(Direction::Gauche);
    deplacerVue(Direction::Haut);
    EXPECT_EQ(avant.x, e.m_rect_destination.x);
    EXPECT_EQ(avant.y, e.m_rect_destination.y);
  }
}

TEST_F(VueTest, PanStepChangesOnlyItsOwnAxis) {
  Etat& e = *g_etat;
  vueA(3);
  changerZoom(+1);
  const double dx = e.m_decalage_x;
  const SDL_Rect source = e.m_rect_source, destination = e.m_rect_destination;
  deplacerVue(Direction::Haut);
  EXPECT_EQ(dx, e.m_decalage_x);
  EXPECT_EQ(source.x, e.m_rect_source.x);
  EXPECT_EQ(source.w, e.m_rect_source.w);
  EXPECT_EQ(destination.x, e.m_rect_destination.x);
  EXPECT_EQ(destination.w, e.m_rect_destination.w);
  EXPECT_EQ(destination.y - 20, e.m_rect_destination.y);
}

TEST_F(VueTest, HugePanStepsStayInRange) {
  Etat& e = *g_etat;
  vueA(0);
  e.m_pas_deplacement = INT_MAX;
  for (int i = 0; i < 50; ++i) deplacerVue(Direction::Gauche);
  EXPECT_LT(e.m_rect_destination.x, -(1 << 28));
  EXPECT_GT(e.m_rect_destination.w, 0);
}

TEST(ZoomAutourDuCentre, KeepsThePhotoPointUnderTheHalfWindowColumn) {
  for (int32_t fenetre : {800, 801}) {
    for (double d : {-150.0, 37.25}) {
      SCOPED_TRACE(testing::Message() << "window " << fenetre << " offset " << d);
      const int32_t c = fenetre / 2;
      const double apres = decalageApresZoom(d, fenetre, 1.0, 2.0);
      EXPECT_DOUBLE_EQ((c + d) / 1.0, (c + apres) / 2.0);
    }
  }
  // even width: the zoom keeps the offset the pan rule gives, odd width
  // shifts it by (r - 1) / 2 window pixels
  const double pair = decalageCentre(1000, 1.0, 800, 12.0);
  EXPECT_DOUBLE_EQ(decalageCentre(1000, 2.0, 800, 12.0), decalageApresZoom(pair, 800, 1.0, 2.0));
  const double impair = decalageCentre(1000, 1.0, 801, 12.0);
  EXPECT_DOUBLE_EQ(decalageCentre(1000, 2.0, 801, 12.0) - 0.5, decalageApresZoom(impair, 801, 1.0, 2.0));
}

TEST_F(VueTest, ZoomStepBuildsTheMarkerAndPrintsItsLine) {
  Etat& e = *g_etat;
  vueA(3);
  changerZoom(+1);
  EXPECT_EQ("dans P\n", console_.lu());
  EXPECT_EQ(4, e.m_indice_zoom);
  EXPECT_EQ(2.0, e.m_zoom);
  EXPECT_EQ(1.0, e.m_zoom_precedent);
  EXPECT_EQ(2, e.m_taille_pixel);
  ASSERT_NE(nullptr, e.m_surface_pixel);
  EXPECT_EQ(2, e.m_surface_pixel->w);
  EXPECT_EQ(1, e.m_surface_pixel_existe);
  EXPECT_EQ(1, e.m_texture_pixel_existe);
  EXPECT_EQ(decalageCentre(1000, 2.0, 800, 0.0), e.m_decalage_x);
  changerZoom(-1);
  EXPECT_EQ("dans L\n", console_.lu());
  EXPECT_EQ(1, e.m_taille_pixel);
  EXPECT_EQ(1, e.m_surface_pixel->w);
}

TEST_F(VueTest, MarkerSidePerZoomIndex) {
  Etat& e = *g_etat;
  const int32_t taille[9] = {1, 1, 1, 1, 2, 5, 10, 20, 50};
  const int32_t cote[9] = {1, 1, 1, 1, 2, 3, 8, 18, 48};
  vueA(0);
  for (int i = 1; i < 9; ++i) changerZoom(+1);
  for (int i = 8; i >= 0; --i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(taille[i], taillePixel(kTable[i]));
    EXPECT_EQ(cote[i], coteMarqueur(taille[i]));
    ASSERT_EQ(i, e.m_indice_zoom);
    EXPECT_EQ(taille[i], e.m_taille_pixel);
    EXPECT_EQ(cote[i], e.m_surface_pixel->w);
    // the markers take the new size at once, not at the next colour pass
    EXPECT_EQ(cote[i], e.m_rect_source_pixel.w);
    EXPECT_EQ(cote[i], e.m_rect_source_pixel.h);
    changerZoom(-1);
  }
}

TEST_F(VueTest, ZoomAtEitherEndChangesNothing) {
  Etat& e = *g_etat;
  for (int i : {0, 8}) {
    SCOPED_TRACE(i);
    vueA(i);
    e.m_zoom_precedent = 99.0;
    const double dx = e.m_decalage_x;
    changerZoom(i == 0 ? -1 : +1);
    EXPECT_EQ("", console_.lu());
    EXPECT_EQ(i, e.m_indice_zoom);
    EXPECT_EQ(kTable[i], e.m_zoom);
    EXPECT_EQ(kTable[i], e.m_zoom_precedent);
    EXPECT_EQ(dx, e.m_decalage_x);
    EXPECT_EQ(0, e.m_surface_pixel_existe);
  }
}

// The wheel keeps the photo point under the pointer through each step, in
// either direction and from the closing picture's zoom, the next pan step
// going on from that view; at either end of the table nothing changes.
TEST_F(VueTest, WheelKeepsThePointUnderThePointer) {
  Etat& e = *g_etat;
  vueA(3);
  e.m_zoom = 0.25;  // the closing picture's zoom, index 3 kept
  auto point = [&e](int wx, int wy) {
    return std::make_pair((wx + e.m_decalage_x) / e.m_zoom, (wy + e.m_decalage_y) / e.m_zoom);
  };
  const auto avant = point(123, 456);
  zoomerMolette(+1, 123, 456);
  zoomerMolette(-1, 123, 456);
  zoomerMolette(-1, 123, 456);
  EXPECT_EQ("Molette : zoom 2\nMolette : zoom 1\nMolette : zoom 0.5\n", console_.lu());
  EXPECT_EQ(2, e.m_indice_zoom);
  EXPECT_EQ(1.0, e.m_zoom_precedent);
  EXPECT_DOUBLE_EQ(avant.first, point(123, 456).first);
  EXPECT_DOUBLE_EQ(avant.second, point(123, 456).second);
  EXPECT_EQ(1, e.m_rect_source_pixel.w);
  const double dx = e.m_decalage_x;  // one pan step on from this view, not from the old pan
  deplacerVue(Direction::Droite);
  EXPECT_DOUBLE_EQ(dx - 20.0, e.m_decalage_x);

  for (int i : {0, 8}) {
    SCOPED_TRACE(i);
    vueA(i);
    const double d = e.m_decalage_x;
    zoomerMolette(i == 0 ? -1 : +1, 10, 10);
    EXPECT_EQ("", console_.lu());
    EXPECT_EQ(i, e.m_indice_zoom);
    EXPECT_EQ(d, e.m_decalage_x);
  }
}

// Key 0: the largest factor at which the placed photo fits, else the
// smallest; centred with the pan cleared.
TEST_F(VueTest, WholePhotoTakesTheLargestZoomThatFits) {
  struct Cas { int32_t w, h, attendu; };
  for (Cas c : {Cas{1000, 800, 2}, Cas{800, 600, 3}, Cas{801, 10, 2}, Cas{4000, 3000, 0}, Cas{100000, 1, 0}}) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
    EXPECT_EQ(c.attendu, indicePhotoEntiere(kTable, 8, c.w, c.h, 800, 600));
  }
  EXPECT_EQ(4, indicePhotoEntiere(kTable, 4, 10, 10, 800, 600));
  const double vide[9] = {};
  EXPECT_EQ(-1, indicePhotoEntiere(vide, 8, 10, 10, 800, 600));

  Etat& e = *g_etat;
  vueA(6);
  e.m_translation_x = 37.0;
  montrerPhotoEntiere();
  EXPECT_EQ("Photo entiere : zoom 0.5\n", console_.lu());
  EXPECT_EQ(2, e.m_indice_zoom);
  EXPECT_EQ(0.0, e.m_translation_x);
  EXPECT_EQ(150, e.m_rect_destination.x);
  EXPECT_EQ(100, e.m_rect_destination.y);
  e.m_largeur_photo = 0;
  montrerPhotoEntiere();
  EXPECT_EQ("Photo entiere : pas de photo\n", console_.lu());
  EXPECT_EQ(2, e.m_indice_zoom);
}

TEST_F(VueTest, PreviousFactorComesFromTheTable) {
  Etat& e = *g_etat;
  // the closing picture shows at 0.25 while the index stays at 3
  vueA(3);
  e.m_zoom = 0.25;
  e.m_decalage_x = 100.0;
  changerZoom(+1);
  EXPECT_EQ(1.0, e.m_zoom_precedent);
  EXPECT_EQ(2.0, e.m_zoom);
  EXPECT_DOUBLE_EQ((400 + 100.0) * 2.0 - 400, e.m_decalage_x);
}

TEST_F(VueTest, InvalidIndexOrZoomIsIgnored) {
  Etat& e = *g_etat;
  for (int indice : {-1, 9, INT_MAX}) {
    SCOPED_TRACE(indice);
    vueA(3);
    e.m_indice_zoom = indice;
    e.m_zoom_precedent = 7.0;
    changerZoom(+1);
    changerZoom(-1);
    EXPECT_EQ(indice, e.m_indice_zoom);
    EXPECT_EQ(1.0, e.m_zoom);
    EXPECT_EQ(7.0, e.m_zoom_precedent);
  }
  // no parameter file: zoom 0 and an empty table
  vueA(3);
  e.m_zoom = 0.0;
  e.m_translation_x = 0.0;
  changerZoom(+1);
  deplacerVue(Direction::Droite);
  EXPECT_EQ(3, e.m_indice_zoom);
  EXPECT_EQ(0.0, e.m_translation_x);
  EXPECT_EQ("", console_.lu());
  e.m_zoom = 1.0;
  for (double& z : e.m_table_zoom) z = 0.0;
  changerZoom(+1);
  EXPECT_EQ(3, e.m_indice_zoom);
  EXPECT_EQ("", console_.lu());
}

TEST_F(VueTest, TailRebuildsTheOverlayOnlyForAPositiveSizeAndShowsTheCentre) {
  Etat& e = *g_etat;
  vueA(0);
  e.m_zone_x0 = e.m_zone_x1 = 100;
  e.m_zone_y0 = 10;
  e.m_zone_y1 = 40;
  e.m_nombre_selectionnes = 3;
  deplacerVue(Direction::Droite);
  // one photo pixel wide at zoom 0.125: width 0 or -1, no overlay
  EXPECT_LE(e.m_rect_zone.w, 0);
  EXPECT_EQ(0, e.m_fog_existe);
  EXPECT_TRUE(e.m_afficher_centre);
  EXPECT_TRUE(e.m_afficher_zone);

  e.m_zone_x1 = 300;
  deplacerVue(Direction::Droite);
  ASSERT_EQ(1, e.m_fog_existe);
  SDL_Surface* fog = e.Fog;
  EXPECT_EQ(e.m_rect_zone.w, fog->w);
  e.m_zone_x1 = 100;
  deplacerVue(Direction::Droite);
  EXPECT_EQ(fog, e.Fog) << "the overlay in place stays";

  // no centre: the flags are left as they are
  e.m_nombre_selectionnes = 0;
  e.m_afficher_centre = e.m_afficher_zone = false;
  deplacerVue(Direction::Droite);
  EXPECT_FALSE(e.m_afficher_centre);
  EXPECT_FALSE(e.m_afficher_zone);
}

TEST_F(VueTest, MarkerThatCannotBeMadeWritesTheErrorWithoutLineEnd) {
  Etat& e = *g_etat;
  SDL_DestroyRenderer(e.m_rendu);
  e.m_rendu = nullptr;
  vueA(3);
  changerZoom(+1);
  const std::string texte = console_.lu();
  ASSERT_EQ(0u, texte.rfind("dans P\n", 0));
  EXPECT_GT(texte.size(), 7u);
  EXPECT_EQ(std::string::npos, texte.find('\n', 7));
  EXPECT_EQ(nullptr, e.m_texture_pixel);
  EXPECT_EQ(1, e.m_texture_pixel_existe);
  EXPECT_EQ(1, e.m_surface_pixel_existe);
}

}  // namespace
