#include "parcours/retour.h"

#include <SDL_image.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "etat/etat.h"
#include "parcours/chargement.h"
#include "series/compteurs.h"
#include "interaction/passe_couleur.h"
#include "interaction/recette.h"
#include "interaction/selection.h"
#include "output/detail.h"
#include "output/concordance.h"
#include "parcours/correction.h"
#include "parcours/saut.h"
#include "parcours/navigation.h"
#include "parcours/reprise.h"
#include "output/resultats.h"
#include "parcours/vue_suivante.h"
#include "tests/etat_fixture.h"

namespace {

// A scheme 3 series P001.png .. P003.png (P002.png missing) drawn by a
// software renderer; the four files are the program's streams, in a
// working folder of the test's own.
class RetourTest : public EtatTest {
 protected:
  void SetUp() override {
    EtatTest::SetUp();
    Etat& e = *g_etat;
    for (const char* nom : {"P001.png", "P003.png", "figure_fin.png"}) {
      SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 20, 10, 24, SDL_PIXELFORMAT_RGB24);
      SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 200, 20, 20));
      IMG_SavePNG(s, (dossier_ + "/" + nom).c_str());
      SDL_FreeSurface(s);
    }
    fenetre_ = fenetreLogicielle(40, 20);
    serieNumerotee(dossier_, 3);
    e.m_zoom = 1.0;
    e.m_table_zoom[3] = 1.0;
    e.m_indice_zoom = 3;
    e.m_max_pixels = 1000;
    e.m_tolerance_rouge = e.m_tolerance_vert = e.m_tolerance_bleu = 10;
    e.nom_photo_complet = dossier_ + "/P001.png";
    chargerPhotoCourante();
    e.m_largeur_photo = 20;
    e.m_hauteur_photo = 10;
    for (FichierResultat* f : {&fichierPoint(), &fichierX(), &fichierY()}) f->remplacer("");
    fichierDetail().remplacer(enteteDetail());
    console_.lu();
  }
  void TearDown() override {
    libererPhotoSansTraces();
    rendreFenetre(fenetre_);
    EtatTest::TearDown();
  }
  std::string fichiers() {
    std::string tout;
    for (const char* f : {"donnees/resu_point.txt", "donnees/resu_point_orbelan_x.txt",
                          "donnees/resu_point_orbelan_y.txt", "donnees/resu_detail.csv"})
      tout += lireFichier(f) + "|";
    return tout;
  }
  std::string dossier_ = dossierTemporaire();
  DossierTravail travail_{dossier_};
  SDL_Surface* fenetre_ = nullptr;
};

}  // namespace

// Measured, advanced over a missing photo to the closing picture, then back:
// each step back restores the files, the counters, the photo and the
// selection; RETURN held refuses it; the first photo has nothing before it.
TEST_F(RetourTest, StepBackRestoresFilesPhotoAndSelection) {
  Etat& e = *g_etat;
  Uint8 clavier[SDL_NUM_SCANCODES] = {};
  e.m_etat_clavier = clavier;
  reculerPhoto();
  EXPECT_EQ("Pas de photo precedente\n", console_.lu());

  const std::string vides = fichiers();
  ASSERT_TRUE(definirZone(2, 2, 9, 5));
  e.m_choix_zone = false;
  e.m_ajout_couleurs = true;
  ajouterCouleursSimilaires(3, 3);
  const int32_t nombre = e.m_nombre_selectionnes;
  const std::vector<bool> bits = e.is_select;
  vueSuivante();  // to the missing P002.png
  const std::string apres1 = fichiers();
  vueSuivante();  // the selection kept: written again
  vueSuivante();  // closing picture
  EXPECT_DOUBLE_EQ(0.25, e.m_zoom);
  console_.lu();

  clavier[SDL_SCANCODE_RETURN] = 1;
  reculerPhoto();
  EXPECT_EQ("Retour impossible : touche Entree enfoncee\n", console_.lu());
  clavier[SDL_SCANCODE_RETURN] = 0;

  reculerPhoto();  // from the closing picture
  EXPECT_EQ("Retour a la photo precedente\nnom_photo_complet " + dossier_ + "/P003.png\nImage chargee\n",
            console_.lu());
  EXPECT_DOUBLE_EQ(1.0, e.m_zoom);
  EXPECT_EQ(3, e.m_numero);
  reculerPhoto();  // over the photo that failed to load
  EXPECT_NE(std::string::npos, console_.lu().find("Erreur de chargement de la photo : "));
  EXPECT_EQ(apres1, fichiers());
  reculerPhoto();
  EXPECT_EQ(vides, fichiers());
  EXPECT_EQ(1, e.m_numero);
  EXPECT_EQ(bits, e.is_select);
  EXPECT_EQ(nombre, e.m_nombre_selectionnes);
  EXPECT_TRUE(e.m_ajout_couleurs && e.m_afficher_zone && e.m_afficher_centre);
  EXPECT_FALSE(e.m_vue_suivante_bloquee);
  vueSuivante();  // recorded again, byte for byte
  EXPECT_EQ(apres1, fichiers());
}

// A copy of another series, a damaged one or a missing one is refused with
// nothing changed; after a RETURN the resume is refused.
TEST_F(RetourTest, ResumeRefusesWhatIsNotThisSeries) {
  Etat& e = *g_etat;
  const std::string copie = "donnees/resu_detail.csv.bak";
  const std::string ligne = "1;autre/P001.png;0;;;0;1;0;0;0;0;;;;10;10;10;;;aucun\r\n";
  struct Cas { const char* contenu; const char* raison; };
  const std::string autre = enteteDetail() + ligne;
  const std::string coupee = enteteDetail() + ligne.substr(0, 20);
  for (const auto& [contenu, debut] : {std::pair<std::string, std::string>{autre, "ligne 1 : autre/P001.png"},
                                       {coupee, "derniere ligne incomplete"},
                                       {enteteDetail(), "aucune photo"}}) {
    SCOPED_TRACE(debut);
    ecrireFichier(copie, contenu);
    const std::string avant = fichiers();
    reprendreSerie();
    EXPECT_EQ(0u, console_.lu().find("Reprise impossible : " + debut));
    EXPECT_EQ(avant, fichiers());
    EXPECT_EQ(1, e.m_numero);
  }
  ::unlink(copie.c_str());
  reprendreSerie();
  EXPECT_EQ("Reprise impossible : fichier " + copie + " absent\n", console_.lu());

  // A row of this series is taken back, then the run has advanced.
  ecrireFichier(copie, enteteDetail() + "1;" + dossier_ + "/P001.png;0;;;0;1;0;0;0;0;;;;10;10;10;;;aucun\r\n");
  reprendreSerie();
  EXPECT_EQ(0u, console_.lu().find("Reprise de 1 photos\nnom_photo_complet " + dossier_ + "/P002.png\n"));
  EXPECT_EQ(lireFichier(copie), lireFichier("donnees/resu_detail.csv"));
  reprendreSerie();
  EXPECT_EQ("Reprise impossible : la serie a deja avance\n", console_.lu());
}

// Two recorded rows resumed, then one RETURN of this run: each step back
// cuts from the four files the very bytes the rebuild or the append wrote,
// whatever the lengths of the texts.
TEST_F(RetourTest, StepBackCutsWhatTheResumeAndTheAppendWrote) {
  Etat& e = *g_etat;
  LigneDetail l1, l2;
  for (LigneDetail* l : {&l1, &l2}) {
    l->ecrit = true;
    l->pixels = 3;
    l->zone_x1 = l->zone_y1 = 1;
    l->tol_rouge = l->tol_vert = l->tol_bleu = 10;
    l->origine = "manuel";
  }
  l1.rang = 1;
  l1.photo = dossier_ + "/P001.png";
  l1.x = "1.5000000000";
  l1.y = "-2.2500000000";
  l2.rang = 2;
  l2.photo = dossier_ + "/P002.png";
  l2.x = "-1234.1250000000";
  l2.y = "7.0000000000";
  ecrireFichier("donnees/resu_detail.csv.bak", enteteDetail() + texteLigneDetail(l1) + texteLigneDetail(l2));
  reprendreSerie();
  ASSERT_EQ(3, e.m_numero) << console_.lu();
  const std::string reprise = fichiers();

  ASSERT_TRUE(definirZone(2, 2, 9, 5));
  e.m_choix_zone = false;
  e.m_ajout_couleurs = true;
  ajouterCouleursSimilaires(3, 3);
  vueSuivante();
  ASSERT_NE(reprise, fichiers());
  reculerPhoto();
  EXPECT_EQ(reprise, fichiers());

  // the first row alone, as the append writes it
  const TextesRecord premier = textesRecord(l1.x, l1.y);
  reculerPhoto();
  EXPECT_EQ(premier.point + "|" + premier.x + "|" + premier.y + "|" + enteteDetail() + texteLigneDetail(l1) + "|",
            fichiers());
  reculerPhoto();
  EXPECT_EQ("|||" + enteteDetail() + "|", fichiers());
}

// The run's photos shown again and corrected in place: the ends say so, a
// past photo whose file is gone still loses its record to N, the step back
// waits for the last photo, and the files always hold what the rows say.
TEST_F(RetourTest, PastPhotosAreShownAndTheirRecordsReplaced) {
  Etat& e = *g_etat;
  Uint8 clavier[SDL_NUM_SCANCODES] = {};
  e.m_etat_clavier = clavier;
  const std::string p1 = dossier_ + "/P001.png", p2 = dossier_ + "/P002.png", p3 = dossier_ + "/P003.png";
  ASSERT_TRUE(definirZone(2, 2, 9, 5));
  e.m_choix_zone = false;
  e.m_ajout_couleurs = true;
  ajouterCouleursSimilaires(3, 3);
  vueSuivante();  // to the missing P002.png
  passerPhoto();  // N on the last photo: the advance, nothing recorded
  console_.lu();
  const auto fichiersSontLesRangs = [&] {
    std::vector<LigneDetail> lignes;
    std::vector<std::string> bruts;
    std::string raison;
    EXPECT_TRUE(lireFichierDetail("donnees/resu_detail.csv", lignes, bruts, raison)) << raison;
    const ContenusRun attendus = contenusDe(e.m_historique.souvenirs);
    EXPECT_EQ(attendus.detail + "|" + attendus.point + "|" + attendus.x + "|" + attendus.y,
              lireFichier("donnees/resu_detail.csv") + "|" + lireFichier("donnees/resu_point.txt") + "|" +
                  lireFichier("donnees/resu_point_orbelan_x.txt") + "|" +
                  lireFichier("donnees/resu_point_orbelan_y.txt"));
    return lignes;
  };
  EXPECT_EQ("saute", fichiersSontLesRangs().at(1).origine);

  photoSuivante();
  EXPECT_EQ("Pas de photo suivante mesuree\n", console_.lu());
  clavier[SDL_SCANCODE_RETURN] = 1;
  photoPrecedente();
  EXPECT_EQ("Navigation impossible : touche Entree enfoncee\n", console_.lu());
  clavier[SDL_SCANCODE_RETURN] = 0;
  photoPrecedente();
  const std::string vu = console_.lu();
  EXPECT_EQ(0u, vu.find("Photo 2/3 : " + p2 + "\nErreur de chargement de la photo : ")) << vu;
  reculerPhoto();
  EXPECT_EQ("Retour impossible : photo passee affichee (Fin : derniere photo)\n", console_.lu());
  premierePhoto();
  EXPECT_EQ("Photo 1/3 : " + p1 + "\nImage chargee\n", console_.lu());
  EXPECT_TRUE(e.m_afficher_centre && e.m_nombre_selectionnes > 0);
  photoPrecedente();
  EXPECT_EQ("Pas de photo precedente\n", console_.lu());
  vueSuivante();  // RETURN without a change: only the next photo
  EXPECT_EQ("Photo 2/3 : " + p2, console_.lu().substr(0, 12 + p2.size()));
  EXPECT_TRUE(e.m_vue_suivante_bloquee);
  photoPrecedente();
  console_.lu();
  passerPhoto();  // N on photo 1: its record goes
  EXPECT_EQ(0u, console_.lu().find("Photo 1 passee sans mesure\nPhoto 2/3 : "));
  const std::vector<LigneDetail> lignes = fichiersSontLesRangs();
  EXPECT_EQ("saute", lignes.at(0).origine);
  EXPECT_EQ("", lireFichier("donnees/resu_point.txt"));
  dernierePhoto();
  EXPECT_EQ("Photo 3/3 : " + p3 + "\nImage chargee\n", console_.lu());
  reculerPhoto();  // on the last photo the step back works again, cutting the rewritten files
  EXPECT_EQ(0u, console_.lu().find("Retour a la photo precedente\n"));
  EXPECT_EQ(1u, e.m_historique.souvenirs.size());
  fichiersSontLesRangs();

  // a result file that cannot be replaced is named; the others take the rows
  const std::string x = "donnees/resu_point_orbelan_x.txt";
  ASSERT_EQ(0, std::remove(x.c_str()));
  ASSERT_EQ(0, mkdir(x.c_str(), 0755));
  premierePhoto();
  ASSERT_TRUE(definirZone(2, 2, 9, 5));
  noterZone();
  e.m_choix_zone = false;
  e.m_ajout_couleurs = true;
  ajouterCouleursSimilaires(3, 3);
  noterCouleur(0);
  console_.lu();
  vueSuivante();
  const std::string corrige = console_.lu();
  EXPECT_EQ(0u, corrige.find("Photo 1 corrigee : ")) << corrige;
  EXPECT_NE(std::string::npos, corrige.find("Pb pour ecrire dans le fichier " + x + "\n"));
  const ContenusRun attendus = contenusDe(e.m_historique.souvenirs);
  EXPECT_EQ(attendus.point, lireFichier("donnees/resu_point.txt"));
  EXPECT_EQ(attendus.detail, lireFichier("donnees/resu_detail.csv"));
  rmdir(x.c_str());
}
