#include "parcours/vue_suivante.h"

#include <SDL_image.h>

#include <unistd.h>

#include <climits>

#include "display/placement.h"
#include "parcours/prechargement_photos.h"
#include "series/compteurs.h"
#include "series/nom_photo.h"
#include "series/prechargement.h"
#include "tests/etat_fixture.h"

namespace {

const char* const kLiberationVide =
    "Vue suivante\nPas Fog\napres 1\nPas pTempSurface_prairie\napres 2\nPas m_pTexture_prairie\n"
    "apres 3\napres 4\nPas gFog\napres 6\nMemoire liberee\n";
const char* const kLiberationPleine = "Vue suivante\napres 1\napres 2\napres 3\napres 4\napres 6\nMemoire liberee\n";

std::string rect(const SDL_Rect& r) {
  return std::to_string(r.x) + ", " + std::to_string(r.y) + ", " + std::to_string(r.w) + ", " + std::to_string(r.h);
}

void enregistrerPhoto(const std::string& chemin, int largeur, int hauteur, Uint8 gris) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, largeur, hauteur, 24, SDL_PIXELFORMAT_RGB24);
  SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, gris, gris, gris));
  IMG_SavePNG(s, chemin.c_str());
  SDL_FreeSurface(s);
}

// A scheme 3 series P001.png, P002.png, ... in a temporary folder, drawn by a
// software renderer into a 100 x 80 "window".
class VueSuivanteTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    Etat& e = *g_etat;
    fenetre_ = SDL_CreateRGBSurfaceWithFormat(0, 100, 80, 32, SDL_PIXELFORMAT_ARGB8888);
    e.m_rendu = SDL_CreateSoftwareRenderer(fenetre_);
    e.m_largeur_fenetre = 100;
    e.m_hauteur_fenetre = 80;
    e.m_dossier_photos = dossier_;
    e.m_mode_nom = 3;
    e.m_prefixe_numero = "P";
    e.m_suffixe_numero = ".png";
    e.m_chiffres_numero = 3;
    e.m_numero = 1;
    e.m_pas_numero = 1;
    e.m_numero_fin = 2;
    // The name composer prints the name it makes; learn whether it does here.
    composerNomPhoto();
    composeur_parle_ = !console_.lu().empty();
  }
  void TearDown() override {
    Etat& e = *g_etat;
    SDL_FreeSurface(e.pTempSurface_prairie);
    if (e.m_fog_existe != 0) SDL_FreeSurface(e.Fog);
    SDL_DestroyRenderer(e.m_rendu);  // the textures go with it
    SDL_FreeSurface(fenetre_);
    EtatTest::TearDown();
  }
  // The next photo's name, set beforehand as the composer makes it.
  std::string suivante(const std::string& nom) {
    g_etat->nom_photo_complet = dossier_ + "/" + nom;
    return composeur_parle_ ? "nom_photo_complet " + g_etat->nom_photo_complet + "\n" : "";
  }
  void chargerPremiere(const std::string& nom) {
    Etat& e = *g_etat;
    e.pTempSurface_prairie = IMG_Load((dossier_ + "/" + nom).c_str());
    e.m_pTexture_prairie = SDL_CreateTextureFromSurface(e.m_rendu, e.pTempSurface_prairie);
  }
  void tailleTexture(int& l, int& h) {
    l = h = -1;
    SDL_QueryTexture(g_etat->m_pTexture_prairie, nullptr, nullptr, &l, &h);
  }
  std::string dossier_ = dossierTemporaire();
  SDL_Surface* fenetre_ = nullptr;
  bool composeur_parle_ = false;
};

}  // namespace

TEST_F(VueSuivanteTest, UnknownSchemeStopsAfterTheRelease) {
  g_etat->m_mode_nom = 0;
  EXPECT_FALSE(vueSuivante());
  EXPECT_EQ(std::string(kLiberationVide) + "Ce cas n'est pas prevu : 0\n", console_.lu());
  EXPECT_EQ(1, g_etat->m_numero);  // the counters did not step
  g_etat->m_mode_nom = 7;
  EXPECT_FALSE(vueSuivante());
  EXPECT_EQ(std::string(kLiberationVide) + "Ce cas n'est pas prevu : 7\n", console_.lu());
}

TEST_F(VueSuivanteTest, WalksTheSeriesToTheClosingPicture) {
  enregistrerPhoto(dossier_ + "/P001.png", 40, 30, 10);
  enregistrerPhoto(dossier_ + "/P002.png", 60, 20, 20);
  enregistrerPhoto(dossier_ + "/figure_fin.png", 80, 40, 30);
  Etat& e = *g_etat;
  chargerPremiere("P001.png");
  e.m_largeur_photo = 40;
  e.m_hauteur_photo = 30;
  e.m_zoom = 2.0;
  e.m_indice_zoom = 4;
  e.m_translation_x = 3.0;
  e.m_translation_y = -2.0;
  // A zone, a selection and a centre on the first photo.
  e.Fog = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_ARGB8888);
  e.m_fog_existe = 1;
  e.gFog = SDL_CreateTextureFromSurface(e.m_rendu, e.Fog);
  e.m_gfog_existe = 1;
  e.m_choix_zone = false;
  e.m_ajout_couleurs = true;
  e.m_afficher_zone = e.m_afficher_selection = e.m_afficher_centre = e.m_afficher_croix_appui = true;

  // Into a photo of another size: its own size, placed again with zoom and pan kept.
  std::string nom = suivante("P002.png");
  ASSERT_TRUE(vueSuivante());
  EXPECT_EQ(kLiberationPleine + nom + "Image chargee\n", console_.lu());
  EXPECT_EQ(nullptr, e.Fog);
  EXPECT_EQ(0, e.m_fog_existe);
  EXPECT_EQ(nullptr, e.gFog);
  EXPECT_EQ(0, e.m_gfog_existe);
  EXPECT_TRUE(e.m_choix_zone);
  EXPECT_FALSE(e.m_ajout_couleurs);
  EXPECT_TRUE(e.m_vue_suivante_bloquee);
  EXPECT_FALSE(e.m_afficher_zone || e.m_afficher_selection || e.m_afficher_centre || e.m_afficher_croix_appui);
  EXPECT_TRUE(e.m_afficher_croix_fenetre);
  EXPECT_EQ(2, e.m_numero);
  EXPECT_EQ(60, e.m_largeur_photo);
  EXPECT_EQ(20, e.m_hauteur_photo);
  EXPECT_DOUBLE_EQ(4.0, e.m_decalage_x);    // (120 - 100) / 2 - 3 * 2
  EXPECT_DOUBLE_EQ(-16.0, e.m_decalage_y);  // (40 - 80) / 2 + 2 * 2
  EXPECT_EQ("0, 0, 60, 20", rect(e.m_rect_source));
  EXPECT_EQ("-4, 16, 120, 40", rect(e.m_rect_destination));
  EXPECT_DOUBLE_EQ(2.0, e.m_zoom);
  int l, h;
  tailleTexture(l, h);
  EXPECT_EQ(60, l);
  EXPECT_EQ(20, h);

  // Past the last photo: the closing picture at zoom 0.25, centred, pan ignored but kept.
  nom = suivante("P003.png");
  ASSERT_TRUE(vueSuivante());
  std::string attendu = "Vue suivante\nPas Fog\napres 1\napres 2\napres 3\napres 4\nPas gFog\napres 6\n"
                        "Memoire liberee\n" + nom + "Traitement termine\nnom_photo_complet " + dossier_ +
                        "/figure_fin.png\nImage chargee\n";
  EXPECT_EQ(attendu, console_.lu());
  EXPECT_EQ(3, e.m_numero);
  EXPECT_DOUBLE_EQ(0.25, e.m_zoom);
  EXPECT_EQ(4, e.m_indice_zoom);
  EXPECT_DOUBLE_EQ(3.0, e.m_translation_x);
  EXPECT_EQ(80, e.m_largeur_photo);
  EXPECT_EQ(40, e.m_hauteur_photo);
  EXPECT_DOUBLE_EQ(-40.0, e.m_decalage_x);
  EXPECT_DOUBLE_EQ(-35.0, e.m_decalage_y);
  EXPECT_EQ("0, 0, 320, 160", rect(e.m_rect_source));
  EXPECT_EQ("40, 35, 20, 10", rect(e.m_rect_destination));

  // Every later advance shows it again.
  suivante("P004.png");
  ASSERT_TRUE(vueSuivante());
  EXPECT_NE(std::string::npos, console_.lu().find("Traitement termine\n"));
  EXPECT_EQ(4, e.m_numero);
  EXPECT_NE(nullptr, e.m_pTexture_prairie);
}

TEST_F(VueSuivanteTest, FailedLoadKeepsTheOldSizeAndTheNextLoadIsPlaced) {
  enregistrerPhoto(dossier_ + "/P003.png", 50, 50, 10);
  Etat& e = *g_etat;
  e.m_numero_fin = 5;
  e.m_zoom = 1.0;
  e.m_translation_x = 5.0;
  // The first photo was missing: size 0 x 0.
  std::string nom = suivante("P002.png");
  ASSERT_TRUE(vueSuivante());
  std::string lu = console_.lu();
  std::string debut = std::string(kLiberationVide) + nom + "Erreur de chargement de la photo : ";
  EXPECT_EQ(debut, lu.substr(0, debut.size()));
  EXPECT_NE(std::string::npos, lu.find("\nImage chargee\n"));  // the reason is a line of its own
  EXPECT_EQ(nullptr, e.m_pTexture_prairie);
  EXPECT_EQ(0, e.m_largeur_photo);

  suivante("P003.png");
  ASSERT_TRUE(vueSuivante());
  EXPECT_EQ(50, e.m_largeur_photo);
  EXPECT_DOUBLE_EQ(-30.0, e.m_decalage_x);  // (50 - 100) / 2 - 5
  EXPECT_EQ("30, 15, 50, 50", rect(e.m_rect_destination));

  // Same size again: the placement, panned since, is left alone.
  e.m_decalage_x = 12.0;
  e.m_rect_destination.x = -12;
  suivante("P003.png");
  ASSERT_TRUE(vueSuivante());
  EXPECT_DOUBLE_EQ(12.0, e.m_decalage_x);
  EXPECT_EQ(-12, e.m_rect_destination.x);
}

TEST_F(VueSuivanteTest, StepThatOverflowsEndsTheSeries) {
  enregistrerPhoto(dossier_ + "/figure_fin.png", 8, 8, 30);
  Etat& e = *g_etat;
  e.m_numero = INT32_MAX - 1;
  e.m_pas_numero = 5;
  e.m_numero_fin = INT32_MAX;
  e.m_zoom = 1.0;
  suivante("P2147483647.png");
  ASSERT_TRUE(vueSuivante());
  EXPECT_EQ(INT32_MAX, e.m_numero);
  EXPECT_NE(std::string::npos, console_.lu().find("Traitement termine\n"));
  EXPECT_EQ(8, e.m_largeur_photo);
}

// Fog, gFog, the photo surface and its texture are made and released at every
// advance over a cycle of photos of different sizes: SDL's count of live
// allocations must come back to where it was. (LeakSanitizer in the
// sanitizer build checks the rest.)
TEST_F(VueSuivanteTest, ThousandAdvancesLeaveNothingBehind) {
  // Photos P0 ... P1008 are links to four pictures of three sizes.
  int tailles[4][2] = {{16, 12}, {16, 12}, {20, 10}, {9, 9}};
  for (int i = 0; i < 4; ++i)
    enregistrerPhoto(dossier_ + "/f" + std::to_string(i) + ".png", tailles[i][0], tailles[i][1], Uint8(i * 40));
  for (int n = 0; n <= 1008; ++n)
    ASSERT_EQ(0, symlink(("f" + std::to_string(n % 4) + ".png").c_str(),
                         (dossier_ + "/P" + std::to_string(n) + ".png").c_str()));
  Etat& e = *g_etat;
  e.m_chiffres_numero = 0;
  e.m_numero = 0;
  e.m_numero_fin = 1008;
  e.m_zoom = 1.0;
  chargerPremiere("P0.png");

  auto avancer = [&](int fois) {
    for (int i = 0; i < fois; ++i) {
      e.Fog = SDL_CreateRGBSurfaceWithFormat(0, 30, 30, 32, SDL_PIXELFORMAT_ARGB8888);
      e.m_fog_existe = 1;
      e.gFog = SDL_CreateTextureFromSurface(e.m_rendu, e.Fog);
      e.m_gfog_existe = 1;
      suivante("P" + std::to_string(e.m_numero + 1) + ".png");
      ASSERT_TRUE(vueSuivante());
      ASSERT_NE(nullptr, e.m_pTexture_prairie) << console_.lu();
      console_.lu();
    }
  };
  avancer(8);  // twice round the four first, so every size has been met
  int avant = SDL_GetNumAllocations();
  avancer(1000);
  EXPECT_EQ(1008, e.m_numero);
  EXPECT_EQ(avant, SDL_GetNumAllocations());
}

// The silent composition gives the very path the advance composes and
// loads, in all three schemes, and the closing picture past the end.
TEST_F(VueSuivanteTest, PathAheadIsTheOneTheAdvanceComposes) {
  Etat& e = *g_etat;
  e.m_prefixe = "img";
  e.m_suffixe = ".jpg";
  e.m_separateur = "_";
  e.m_chiffres_numero_2 = 2;
  e.m_modulo_numero_2 = 3;
  e.m_pas_numero_2 = 2;
  e.m_pas_partie_basse = 400;
  e.m_fin_partie_haute = 2;
  e.m_fin_partie_basse = 100;
  e.m_numero_fin_2 = 1;
  e.m_partie_haute = 1;
  e.m_partie_basse = 700;
  for (int32_t schema : {1, 2, 3}) {
    SCOPED_TRACE(schema);
    e.m_mode_nom = schema;
    e.m_numero = 1;
    e.m_numero_2 = 0;
    e.m_partie_basse = 700;
    for (int pas = 0; pas < 4; ++pas) {
      const CompteursSerie avant = compteursSerie();
      const std::string prevu = cheminApres(avant);
      CompteursSerie c = avant;
      const Increment increment = incrementerCompteurs(c);
      remettreCompteurs(c);
      composerNomPhoto();
      console_.lu();
      EXPECT_EQ(increment == Increment::DansLaSerie ? e.nom_photo_complet : dossier_ + "/figure_fin.png", prevu);
      EXPECT_EQ(nomPhotoPour(c), e.nom_photo_complet);
    }
  }
  e.m_mode_nom = 9;
  EXPECT_EQ("", cheminApres(compteursSerie()));
}

// The read ahead belongs to the record: asked for only while the program
// runs, it holds the photo the RETURN step will load, goes at
// arreterPrechargement, and a worker still reading goes with the record.
TEST_F(VueSuivanteTest, ReadAheadBelongsToTheRecord) {
  enregistrerPhoto(dossier_ + "/P001.png", 40, 30, 10);
  enregistrerPhoto(dossier_ + "/P002.png", 60, 20, 20);
  Etat& e = *g_etat;
  e.nom_photo_complet = dossier_ + "/P001.png";
  demanderPhotosSuivantes();
  EXPECT_EQ(nullptr, e.m_prechargeur);
  e.m_en_marche = true;
  demanderPhotosSuivantes();
  ASSERT_NE(nullptr, e.m_prechargeur);
  PhotoLue lue;
  ASSERT_TRUE(e.m_prechargeur->prendre(dossier_ + "/P002.png", lue));
  ASSERT_NE(nullptr, lue.surface);
  EXPECT_EQ(60, lue.surface->w);
  libererPhotoLue(lue);
  arreterPrechargement();
  EXPECT_EQ(nullptr, e.m_prechargeur);
  demanderPhotosSuivantes();  // left reading for the record's end
  EXPECT_NE(nullptr, e.m_prechargeur);
}
