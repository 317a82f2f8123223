#include "tracking/suivi.h"

#include <SDL_image.h>


#include "app/etat.h"
#include "interaction/recette.h"
#include "interaction/selection.h"
#include "output/detail.h"
#include "output/resultats.h"
#include "output/vue_suivante.h"
#include "tests/etat_fixture.h"

namespace {

// A scheme 3 series P001.png .. P004.png, 40 x 20, a red 4 x 4 square moving
// 3 pixels a photo, drawn by a software renderer; the result files are the
// program's streams, in a working folder of the test's own.
class SuiviTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    Etat& e = *g_etat;
    for (int k = 1; k <= 4; ++k) photo(k, true);
    SDL_Surface* fin = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 24, SDL_PIXELFORMAT_RGB24);
    IMG_SavePNG(fin, (dossier_ + "/figure_fin.png").c_str());
    SDL_FreeSurface(fin);
    fenetre_ = SDL_CreateRGBSurfaceWithFormat(0, 40, 20, 32, SDL_PIXELFORMAT_ARGB8888);
    e.m_rendu = SDL_CreateSoftwareRenderer(fenetre_);
    e.m_largeur_fenetre = 40;
    e.m_hauteur_fenetre = 20;
    e.m_dossier_photos = dossier_;
    e.m_mode_nom = 3;
    e.m_prefixe_numero = "P";
    e.m_suffixe_numero = ".png";
    e.m_chiffres_numero = 3;
    e.m_numero = 1;
    e.m_pas_numero = 1;
    e.m_numero_fin = 4;
    e.m_zoom = 1.0;
    e.m_max_pixels = 1000;
    e.m_en_marche = true;
    e.m_etat_clavier = clavier_;
    e.m_tolerance_rouge = e.m_tolerance_vert = e.m_tolerance_bleu = 10;
    e.nom_photo_complet = dossier_ + "/P001.png";
    chargerPhotoCourante();
    for (FichierResultat* f : {&fichierPoint(), &fichierX(), &fichierY()}) f->remplacer("");
    fichierDetail().remplacer(enteteDetail());
    console_.lu();
  }
  void TearDown() override {
    Etat& e = *g_etat;
    arreterSuivi("fin du test");
    libererPhotoSansTraces();
    SDL_DestroyRenderer(e.m_rendu);
    SDL_FreeSurface(fenetre_);
    EtatTest::TearDown();
  }
  // Photo k: the square at column 3k + 2, row 8; not bonne: a damaged file.
  void photo(int k, bool bonne) {
    const std::string chemin = dossier_ + "/P00" + std::to_string(k) + ".png";
    if (!bonne) {
      ecrireFichier(chemin, "pas une image");
      return;
    }
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 40, 20, 24, SDL_PIXELFORMAT_RGB24);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 20, 20, 20));
    SDL_Rect r{3 * k + 2, 8, 4, 4};
    SDL_FillRect(s, &r, SDL_MapRGB(s->format, 200, 20, 20));
    IMG_SavePNG(s, chemin.c_str());
    SDL_FreeSurface(s);
  }
  // The first photo by hand: a zone drag, I, a click on the square, RETURN.
  void mesurerLaPremiere() {
    Etat& e = *g_etat;
    ASSERT_TRUE(definirZone(1, 4, 14, 15));
    noterZone();
    e.m_choix_zone = false;
    e.m_ajout_couleurs = true;
    ajouterCouleursSimilaires(6, 9);
    noterCouleur(0);
    ASSERT_TRUE(vueSuivante());
    console_.lu();
  }
  // Frames of the run until it stops (a bound keeps a fault from looping).
  void suivre() {
    basculerSuivi();
    EXPECT_TRUE(g_etat->m_suivi_en_cours);
    for (int i = 0; i < 10 && g_etat->m_suivi_en_cours; ++i) etapeSuivi();
  }
  std::string dossier_ = dossierTemporaire();
  DossierTravail travail_{dossier_};  // the result files of this run only
  SDL_Surface* fenetre_ = nullptr;
  Uint8 clavier_[SDL_NUM_SCANCODES] = {};
};

// After the first photo by hand, the run measures every photo with the
// proposal's origin, one photo a frame, and stops at the closing picture.
TEST_F(SuiviTest, MeasuresToTheClosingPicture) {
  basculerSuivi();
  EXPECT_EQ("Suivi impossible : aucune photo mesuree\n", console_.lu());
  EXPECT_FALSE(g_etat->m_suivi_en_cours);
  mesurerLaPremiere();
  suivre();
  const std::string lignes = console_.lu();
  EXPECT_EQ(0u, lignes.find("Suivi demarre\nTaille de is_select : 168\ncentre: x= 10 y= 10\nVue suivante\n"));
  EXPECT_EQ(lignes.size() - 31, lignes.find("Suivi arrete : fin de la serie\n"));
  EXPECT_FALSE(g_etat->m_suivi_en_cours);
  const std::vector<Souvenir>& s = g_etat->m_historique.souvenirs;
  ASSERT_EQ(4u, s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    EXPECT_TRUE(s[i].ecrit);
    EXPECT_EQ(std::to_string(7 + 3 * i) + ".0000000000", s[i].texte_x);
    EXPECT_EQ("10.0000000000", s[i].texte_y);
    EXPECT_EQ(i > 0, s[i].histoire.proposee);  // the detail row's origine
  }
}

// A damaged photo stops the run after its error line; a key press stops it
// before the next photo; SPACE again stops it and does not start it anew.
TEST_F(SuiviTest, StopsOnADamagedPhotoAndOnPresses) {
  photo(3, false);
  mesurerLaPremiere();
  suivre();
  std::string lignes = console_.lu();
  EXPECT_NE(std::string::npos, lignes.find("Erreur de chargement de la photo : "));
  EXPECT_EQ(lignes.size() - 33, lignes.find("Suivi arrete : photo non chargee\n"));
  EXPECT_EQ(3, g_etat->m_numero);  // on the damaged photo
  photo(3, true);

  ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_EVENTS));
  basculerSuivi();
  SDL_Event ev{};
  ev.type = SDL_KEYDOWN;
  ev.key.keysym.scancode = SDL_SCANCODE_LEFT;
  SDL_PushEvent(&ev);
  etapeSuivi();
  EXPECT_EQ("Suivi demarre\nSuivi arrete : touche appuyee\n", console_.lu());

  basculerSuivi();
  ev.key.keysym.scancode = SDL_SCANCODE_SPACE;
  SDL_PushEvent(&ev);
  clavier_[SDL_SCANCODE_SPACE] = 1;
  etapeSuivi();
  basculerSuivi();  // the same press, seen by the added keys' section next frame
  EXPECT_EQ("Suivi demarre\nSuivi arrete : touche espace\n", console_.lu());
  EXPECT_FALSE(g_etat->m_suivi_en_cours);
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

}  // namespace
