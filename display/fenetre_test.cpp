#include "display/fenetre.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cmath>

#include "app/boucle.h"
#include "etat/etat.h"
#include "tests/etat_fixture.h"

namespace {

void rectEgal(const SDL_Rect& attendu, const SDL_Rect& r) {
  EXPECT_EQ(attendu.x, r.x);
  EXPECT_EQ(attendu.y, r.y);
  EXPECT_EQ(attendu.w, r.w);
  EXPECT_EQ(attendu.h, r.h);
}

}  // namespace

TEST_F(EtatTest, PlacementCentresThePhotoWithHalvesAwayFromZero) {
  struct Cas {
    int32_t w, h;
    double zoom;
    double dx, dy;
    SDL_Rect source, destination;
  };
  const Cas cas[] = {
      {1000, 800, 0.5, -150.0, -100.0, {0, 0, 2000, 1600}, {150, 100, 500, 400}},
      {1000, 800, 2.0, 600.0, 500.0, {0, 0, 1000, 800}, {-600, -500, 2000, 1600}},
      {998, 800, 0.5, -150.5, -100.0, {0, 0, 1996, 1600}, {151, 100, 499, 400}},
      {1000, 800, 1.0, 100.0, 100.0, {0, 0, 1000, 800}, {-100, -100, 1000, 800}},
  };
  Etat& e = *g_etat;
  e.m_largeur_fenetre = 800;
  e.m_hauteur_fenetre = 600;
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " at " << c.zoom);
    e.m_largeur_photo = c.w;
    e.m_hauteur_photo = c.h;
    e.m_zoom = c.zoom;
    e.m_translation_x = 37.0;  // the pan is not read
    e.m_translation_y = -12.0;
    placerPhoto();
    EXPECT_DOUBLE_EQ(c.dx, e.m_decalage_x);
    EXPECT_DOUBLE_EQ(c.dy, e.m_decalage_y);
    rectEgal(c.source, e.m_rect_source);
    rectEgal(c.destination, e.m_rect_destination);
    EXPECT_EQ(37.0, e.m_translation_x);
  }
}

TEST_F(EtatTest, PlacementWithoutValidZoomGivesEmptyRectangles) {
  Etat& e = *g_etat;
  e.m_largeur_fenetre = 800;
  e.m_hauteur_fenetre = 600;
  e.m_largeur_photo = 1000;
  e.m_hauteur_photo = 800;
  for (double zoom : {0.0, -1.0, std::nan("")}) {
    SCOPED_TRACE(zoom);
    e.m_zoom = zoom;
    e.m_rect_source = {1, 2, 3, 4};
    e.m_rect_destination = {5, 6, 7, 8};
    placerPhoto();
    rectEgal({0, 0, 0, 0}, e.m_rect_source);
    rectEgal({0, 0, 0, 0}, e.m_rect_destination);
  }
}

// init and clean against the dummy video driver: the whole transcript, then
// the release of everything (the renderer before its window).
class InitTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    dossier_ = dossierTemporaire();
    Etat& e = *g_etat;
    e.m_largeur_fenetre = 800;
    e.m_hauteur_fenetre = 600;
    e.m_zoom = 0.5;
  }
  void ecrirePhoto(const std::string& chemin, int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_NE(nullptr, s);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 10, 20, 30));
    ASSERT_EQ(0, IMG_SavePNG(s, chemin.c_str()));
    SDL_FreeSurface(s);
  }
  std::string dossier_;
};

TEST_F(InitTest, OpensWindowLoadsAndPlacesThePhoto) {
  Etat& e = *g_etat;
  e.nom_photo_complet = dossier_ + "/p.png";
  ecrirePhoto(e.nom_photo_complet, 1000, 800);
  e.m_choix_zone = false;
  ASSERT_TRUE(init());
  EXPECT_EQ(
      "SDL init success\nwindow creation success\nrenderer creation success\nImage chargee\n"
      "larg photo = 1000 haut photo = 800\nphoto : x_source = 0 larg = 2000 y = 0 haut = 1600\n"
      "init success\n",
      console_.lu());
  EXPECT_TRUE(e.m_en_marche);
  EXPECT_TRUE(e.m_choix_zone);
  EXPECT_TRUE(e.m_mode_couleurs_voisines);
  EXPECT_NE(nullptr, e.pTempSurface_prairie);
  EXPECT_NE(nullptr, e.m_pTexture_prairie);
  rectEgal({150, 100, 500, 400}, e.m_rect_destination);
  // the marker of the starting zoom, ready for the first colour pass
  EXPECT_EQ(1, e.m_taille_pixel);
  EXPECT_NE(nullptr, e.m_texture_pixel);
  rectEgal({0, 0, 1, 1}, e.m_rect_source_pixel);
  int x = 0, y = 0;
  SDL_GetWindowPosition(e.m_fenetre, &x, &y);
  EXPECT_EQ(100, x);
  EXPECT_EQ(20, y);
  EXPECT_EQ(std::string("Trelune"), SDL_GetWindowTitle(e.m_fenetre));

  clean();
  EXPECT_EQ("cleaning game\napres delete[]\n", console_.lu());
  EXPECT_EQ(nullptr, e.m_rendu);
  EXPECT_EQ(nullptr, e.m_fenetre);
  EXPECT_EQ(nullptr, e.pTempSurface_prairie);
}

TEST_F(InitTest, MissingOrBrokenPhotoStillStartsWithoutTexture) {
  Etat& e = *g_etat;
  ecrireFichier(dossier_ + "/pas_une_image.png", "texte");
  for (const std::string& nom : {dossier_ + "/absente.png", dossier_ + "/pas_une_image.png"}) {
    SCOPED_TRACE(nom);
    e.nom_photo_complet = nom;
    e.m_zoom = 0.0;  // no parameter file: nothing can be placed
    ASSERT_TRUE(init());
    const std::string lu = console_.lu();
    const std::string erreur = "renderer creation success\nErreur de chargement de la photo : ";
    ASSERT_NE(std::string::npos, lu.find(erreur));
    const std::string apres = lu.substr(lu.find(erreur) + erreur.size());
    // the reason, then the rest of the transcript as with a photo
    EXPECT_EQ(
        "\nImage chargee\nlarg photo = 0 haut photo = 0\n"
        "photo : x_source = 0 larg = 0 y = 0 haut = 0\ninit success\n",
        apres.substr(apres.find('\n')));
    EXPECT_GT(apres.find('\n'), 0u);
    EXPECT_EQ(nullptr, e.m_pTexture_prairie);
    EXPECT_TRUE(e.m_en_marche);
    clean();
    console_.lu();
  }
}
