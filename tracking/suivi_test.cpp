#include "tracking/suivi.h"

#include <SDL_image.h>

#include "etat/etat.h"
#include "parcours/chargement.h"
#include "series/compteurs.h"
#include "interaction/passe_couleur.h"
#include "interaction/recette.h"
#include "interaction/selection.h"
#include "output/detail.h"
#include "output/resultats.h"
#include "parcours/vue_suivante.h"
#include "tests/etat_fixture.h"

namespace {

class SuiviTest : public EtatTest {
 protected:
  // Photo k of a scheme 3 series, 40 x 20: a red square of side `cote` at
  // column 3k + 2, row 8; a damaged file with side 0.
  void photo(int k, int cote = 4) {
    const std::string chemin = dossier_ + "/P00" + std::to_string(k) + ".png";
    if (cote == 0) return ecrireFichier(chemin, "pas une image");
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 40, 20, 24, SDL_PIXELFORMAT_RGB24);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 20, 20, 20));
    SDL_Rect r{3 * k + 2, 8, cote, cote};
    SDL_FillRect(s, &r, SDL_MapRGB(s->format, 200, 20, 20));
    IMG_SavePNG(s, chemin.c_str());
    SDL_FreeSurface(s);
  }
  // Frames of the run until it stops (a bound keeps a fault from looping).
  std::string suivre() {
    basculerSuivi();
    for (int i = 0; i < 10 && g_etat->m_suivi_en_cours; ++i) etapeSuivi();
    return console_.lu();
  }
  std::string dossier_ = dossierTemporaire();
  DossierTravail travail_{dossier_};  // the result files of this run only
  Uint8 clavier_[SDL_NUM_SCANCODES] = {};
};

// The run measures every photo with the proposal's origin, one a frame,
// gives a photo that does not load its "absente" row and goes on, and stops
// at the closing picture, a doubtful proposal, a key, a button, SPACE, each
// time with its reason.
TEST_F(SuiviTest, MeasuresUntilAReasonToStop) {
  Etat& e = *g_etat;
  for (int k = 1; k <= 5; ++k) photo(k, k == 3 ? 0 : k == 4 ? 9 : 4);
  SDL_Surface* fenetre = fenetreLogicielle(40, 20);
  IMG_SavePNG(fenetre, (dossier_ + "/figure_fin.png").c_str());
  serieNumerotee(dossier_, 5);
  e.m_zoom = 1.0;
  e.m_max_pixels = 1000, e.m_en_marche = true, e.m_etat_clavier = clavier_;
  e.m_tolerance_rouge = e.m_tolerance_vert = e.m_tolerance_bleu = 10;
  e.nom_photo_complet = dossier_ + "/P001.png";
  chargerPhotoCourante();
  for (FichierResultat* f : {&fichierPoint(), &fichierX(), &fichierY()}) f->remplacer("");
  fichierDetail().remplacer(enteteDetail());
  console_.lu();
  basculerSuivi();
  EXPECT_EQ("Suivi impossible : aucune photo mesuree\n", console_.lu());
  EXPECT_FALSE(e.m_suivi_en_cours);

  // the first photo by hand: a zone drag, I, a click on the square, RETURN
  ASSERT_TRUE(definirZone(1, 4, 14, 15));
  noterZone();
  e.m_choix_zone = false, e.m_ajout_couleurs = true;
  ajouterCouleursSimilaires(6, 9);
  noterCouleur(0);
  ASSERT_TRUE(vueSuivante());
  console_.lu();
  // photo 2 measured, photo 3 passed as missing, photo 4's square far
  // larger than the last one measured: a doubt
  std::string lignes = suivre();
  EXPECT_EQ(0u, lignes.find("Suivi demarre\nTaille de is_select : 168\ncentre: x= 10 y= 10\nVue suivante\n"));
  EXPECT_NE(std::string::npos, lignes.find("Erreur de chargement de la photo : "));
  EXPECT_NE(std::string::npos, lignes.find("Suivi douteux : "));
  EXPECT_EQ(lignes.size() - 36, lignes.find("Suivi arrete : proposition douteuse\n"));
  EXPECT_EQ(4, e.m_numero);
  EXPECT_TRUE(e.m_histoire_selection.doute);

  // a key press, a button press, SPACE, counted by the event step before
  // the next photo; presses from before the start do not stop the run
  Entrees& entrees = e.m_entrees;
  entrees.appuis[SDL_SCANCODE_LEFT] = entrees.appuis_touches = entrees.boutons_en_attente = 1;
  for (uint32_t* appuis :
       {&entrees.appuis[SDL_SCANCODE_LEFT], &entrees.boutons_pris, &entrees.appuis[SDL_SCANCODE_SPACE]}) {
    basculerSuivi();
    ++*appuis;
    if (appuis != &entrees.boutons_pris) ++entrees.appuis_touches;
    etapeSuivi();
  }
  EXPECT_EQ(
      "Suivi demarre\nSuivi arrete : touche appuyee\nSuivi demarre\nSuivi arrete : bouton de la souris\n"
      "Suivi demarre\nSuivi arrete : touche espace\n",
      console_.lu());
  EXPECT_FALSE(e.m_suivi_en_cours);

  // to the closing picture; each record at its centre, proposed but the first
  photo(4);
  libererPhotoSansTraces();
  chargerPhotoCourante();
  console_.lu();
  lignes = suivre();
  EXPECT_EQ(lignes.size() - 31, lignes.find("Suivi arrete : fin de la serie\n"));
  const std::vector<Souvenir>& s = e.m_historique.souvenirs;
  ASSERT_EQ(5u, s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(i != 2, s[i].ecrit);
    EXPECT_EQ(i == 2, s[i].absente);
    if (i == 2) continue;
    EXPECT_EQ(std::to_string(7 + 3 * i) + ".0000000000", s[i].texte_x);
    EXPECT_EQ("10.0000000000", s[i].texte_y);
    EXPECT_EQ(i > 0, s[i].selection.histoire.proposee);  // the detail row's origine
    EXPECT_EQ(i > 0, s[i].selection.histoire.par_le_suivi);
  }
  EXPECT_EQ("3;" + dossier_ + "/P003.png;0;;;0;0;0;4;13;15;;;;10;10;10;;;absente\r\n", s[2].ligne_detail);
  arreterSuivi("fin du test");
  libererPhotoSansTraces();
  rendreFenetre(fenetre);
}

}  // namespace
