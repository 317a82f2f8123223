#include "series/parametres.h"

#include <unistd.h>

#include <filesystem>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

#include "tests/etat_fixture.h"

namespace {

// Runs a test inside a fresh folder holding donnees/, since the reader takes
// the relative path; goes back and removes the folder afterwards.
class DossierDeTravail {
 public:
  DossierDeTravail() : ancien_(std::filesystem::current_path()), dossier_(dossierTemporaire()) {
    std::filesystem::create_directories(dossier_ + "/donnees");
    if (chdir(dossier_.c_str()) != 0) ADD_FAILURE() << "chdir " << dossier_;
  }
  ~DossierDeTravail() {
    if (chdir(ancien_.c_str()) != 0) ADD_FAILURE() << "chdir " << ancien_;
    std::error_code ignore;
    std::filesystem::remove_all(dossier_, ignore);
  }

 private:
  std::filesystem::path ancien_;
  std::string dossier_;
};

std::vector<std::string> exemple() {
  return {"Parametres de la serie A",
          "photos dossier des photos",
          "2 mode de nommage",
          "ABCDEFGHIJKLMNOPQR.01.005.jpeg premier fichier",
          "5 pas",
          "ABCDEFGHIJKLMNOPQR.02.100.jpeg dernier fichier",
          "img_;prefixe",
          "1 premier numero",
          "4 chiffres du numero",
          "_;separateur",
          "0 premier second numero",
          "3 chiffres du second numero",
          ".png;suffixe",
          "1 pas du numero",
          "10 pas du second numero",
          "100 modulo du second numero",
          "20 dernier numero",
          "50 dernier second numero",
          "800 largeur de la fenetre",
          "600 hauteur de la fenetre",
          "3 indice du zoom",
          "20 pas de deplacement",
          "30 30 30 tolerances rouge vert bleu",
          "5000 nombre maximal de pixels",
          "255 0 0 30 couleur de la zone",
          "255 255 255 30 couleur des pixels"};
}

std::string joindre(const std::vector<std::string>& lignes, const std::string& fin = "\n") {
  std::string texte;
  for (const std::string& l : lignes) texte += l + fin;
  return texte;
}

const char* const kTranscriptExemple =
    "Fichier de donnes ouvert\n"
    "Dossier photos : photos\n"
    "m_prefixe ABCDEFGHIJKLMNOPQR m_suffixe.jpeg\n"
    "fichier init :ABCDEFGHIJKLMNOPQR1.5.jpeg\n"
    "fichier fin :ABCDEFGHIJKLMNOPQR2.100.jpeg\n"
    "indice prefixe = 4 prefixe = img_\n"
    "indice separateur = 1 separateur = _\n"
    "indice suffixe = 4 suffixe = .png\n"
    "nom_photo_complet photos/img_0001_000.png\n";

class Parametres : public EtatTest {
 protected:
  // Writes the parameter file, reads it; the log is kept in log_.
  bool lire(const std::string& contenu) {
    ecrireFichier("donnees/donnees.txt", contenu);
    const bool ok = readParameters();
    log_ = lireFichier("donnees/ficlog.txt");
    return ok;
  }
  DossierDeTravail dossier_;
  std::string log_;
};

TEST_F(Parametres, ExampleFileGivesTranscriptLogAndFields) {
  ASSERT_TRUE(lire(joindre(exemple())));
  EXPECT_EQ(kTranscriptExemple, console_.lu());
  std::vector<std::string> attendu = exemple();
  attendu[23] = "5000";
  EXPECT_EQ(joindre(attendu), log_);

  const Etat& e = *g_etat;
  EXPECT_EQ(1, e.m_numero);  // the current numbers start at the first ones
  EXPECT_EQ(0, e.m_numero_2);
  EXPECT_EQ(100, e.m_modulo_numero_2);
  EXPECT_EQ(50, e.m_numero_fin_2);
  EXPECT_EQ(8, e.m_indice_zoom_max);
  EXPECT_EQ(1.0, e.m_zoom);
  EXPECT_EQ(5000, e.m_max_pixels);
  EXPECT_EQ(255, e.m_bleu_pixel);
}

TEST_F(Parametres, MissingFileIsReportedAndLeavesAnEmptyLog) {
  EXPECT_FALSE(readParameters());
  EXPECT_EQ("Pb pour ouvrir le fichier donnees/donnees.txt\n", console_.lu());
  EXPECT_TRUE(std::filesystem::exists("donnees/ficlog.txt"));
  EXPECT_EQ("", lireFichier("donnees/ficlog.txt"));
  EXPECT_EQ(0, g_etat->m_largeur_fenetre);
  EXPECT_EQ(0.0, g_etat->m_zoom);
  EXPECT_EQ(30, g_etat->m_alpha_fog);
}

TEST_F(Parametres, EchoesFollowTheReadingOfEachLine) {
  std::vector<std::string> lignes = exemple();
  lignes[1] = "mes photos/serie1 dossier des photos";
  lignes[2] = "  003 mode";
  lignes[18] = "801 largeur";
  lignes[19] = "601";
  lignes[22] = "10  20 30 tolerances";
  ASSERT_TRUE(lire(joindre(lignes)));
  const Etat& e = *g_etat;
  EXPECT_EQ("mes", e.m_dossier_photos);
  EXPECT_EQ(3, e.m_mode_nom);
  EXPECT_EQ(10, e.m_tolerance_rouge);
  EXPECT_EQ(20, e.m_tolerance_vert);
  EXPECT_EQ(30, e.m_tolerance_bleu);
  std::vector<std::string> attendu = exemple();
  attendu[1] = lignes[1];
  attendu[2] = "3 mode";
  attendu[18] = "801 largeur";
  attendu[19] = "601";
  attendu[22] = "10 20 30 tolerances";
  attendu[23] = "5000";
  EXPECT_EQ(joindre(attendu), log_);
  // window-centre cross from halves taken toward zero
  const SDL_Rect h{390, 300, 20, 1}, v{400, 290, 1, 20};
  EXPECT_TRUE(SDL_RectEquals(&h, &e.m_croix_fenetre_h));
  EXPECT_TRUE(SDL_RectEquals(&v, &e.m_croix_fenetre_v));
}

TEST_F(Parametres, ZoomIndexWithinTheTableOrRejected) {
  struct Cas {
    const char* ligne;
    bool ok;
    double zoom;
    int indice;
  };
  for (Cas c : {Cas{"0", true, 0.125, 0}, Cas{"3", true, 1.0, 3}, Cas{"8", true, 50.0, 8},
                Cas{"9", false, 0.0, 8}, Cas{"-1", false, 0.0, 0},
                Cas{"2000000000", false, 0.0, 8}}) {
    SCOPED_TRACE(c.ligne);
    detruireEtat();
    creerEtat();
    console_.lu();
    std::vector<std::string> lignes = exemple();
    lignes[20] = std::string(c.ligne) + " indice du zoom";
    EXPECT_EQ(c.ok, lire(joindre(lignes)));
    EXPECT_EQ(c.zoom, g_etat->m_zoom);
    EXPECT_EQ(c.indice, g_etat->m_indice_zoom);
    if (c.ok) continue;
    EXPECT_EQ(std::string(kTranscriptExemple) + "Valeur du zoom incorrecte : entre 0 et 8\n",
              console_.lu());
    // lines 22 to 26 unread, the log ends with the zoom line
    lignes.resize(21);
    EXPECT_EQ(joindre(lignes), log_);
    EXPECT_EQ(0, g_etat->m_pas_deplacement);
    EXPECT_EQ(0, g_etat->m_max_pixels);
    EXPECT_EQ(30, g_etat->m_alpha_fog);
    EXPECT_EQ(800, g_etat->m_largeur_fenetre);
  }
}

TEST_F(Parametres, BlankLineIsSkippedByANumberRead) {
  std::vector<std::string> lignes = exemple();
  lignes.insert(lignes.begin() + 21, "");  // before line 22
  EXPECT_TRUE(lire(joindre(lignes)));
  EXPECT_EQ(20, g_etat->m_pas_deplacement);
  EXPECT_EQ(30, g_etat->m_alpha_pixel);
}

TEST_F(Parametres, CrLfFileGivesTheSameFieldsAsLf) {
  ASSERT_TRUE(lire(joindre(exemple(), "\r\n")));
  EXPECT_EQ(kTranscriptExemple, console_.lu());
  std::vector<std::string> attendu = exemple();
  attendu[23] = "5000";
  EXPECT_EQ(joindre(attendu), log_);
  EXPECT_EQ(".png", g_etat->m_suffixe_numero);
  EXPECT_EQ(".jpeg", g_etat->m_suffixe);
}

TEST_F(Parametres, BadLinesKeepTheirFieldsAndTheRestStaysInStep) {
  std::vector<std::string> lignes = exemple();
  lignes[2] = "deux mode de nommage";
  lignes[7] = "- premier numero";
  lignes[18] = "2147483648 largeur";
  lignes[19] = "-2147483648 hauteur";
  lignes[22] = "30 trente 30 tolerances";
  lignes[24] = "255 0 0 99999999999999999999 couleur";
  g_etat->m_mode_nom = 3;
  g_etat->m_numero = 7;
  g_etat->m_largeur_fenetre = 640;
  EXPECT_FALSE(lire(joindre(lignes)));
  EXPECT_EQ(
      "Fichier de donnes ouvert\n"
      "Dossier photos : photos\n"
      "Pb pour lire la ligne 3 du fichier donnees/donnees.txt\n"
      "m_prefixe ABCDEFGHIJKLMNOPQR m_suffixe.jpeg\n"
      "fichier init :ABCDEFGHIJKLMNOPQR1.5.jpeg\n"
      "fichier fin :ABCDEFGHIJKLMNOPQR2.100.jpeg\n"
      "indice prefixe = 4 prefixe = img_\n"
      "Pb pour lire la ligne 8 du fichier donnees/donnees.txt\n"
      "indice separateur = 1 separateur = _\n"
      "indice suffixe = 4 suffixe = .png\n"
      "nom_photo_complet photos/img_0007.png\n"
      "Pb pour lire la ligne 19 du fichier donnees/donnees.txt\n"
      "Pb pour lire la ligne 23 du fichier donnees/donnees.txt\n"
      "Pb pour lire la ligne 25 du fichier donnees/donnees.txt\n",
      console_.lu());
  const Etat& e = *g_etat;
  EXPECT_EQ(3, e.m_mode_nom);
  EXPECT_EQ(0, e.m_numero_debut);
  EXPECT_EQ(7, e.m_numero);
  EXPECT_EQ(640, e.m_largeur_fenetre);
  EXPECT_EQ(std::numeric_limits<int32_t>::min(), e.m_hauteur_fenetre);
  EXPECT_EQ(1.0, e.m_zoom);
  EXPECT_EQ(0, e.m_tolerance_rouge);  // a line takes effect whole or not at all
  EXPECT_EQ(5000, e.m_max_pixels);
  EXPECT_EQ(30, e.m_alpha_fog);
  EXPECT_EQ(255, e.m_vert_pixel);
  // the log keeps one line per parameter line: bad lines are echoed raw
  std::vector<std::string> attendu = exemple();
  attendu[2] = lignes[2];
  attendu[7] = lignes[7];
  attendu[18] = lignes[18];
  attendu[19] = lignes[19];
  attendu[22] = lignes[22];
  attendu[23] = "5000";
  attendu[24] = lignes[24];
  EXPECT_EQ(joindre(attendu), log_);
}

TEST_F(Parametres, ShortFileReportsTheFirstMissingLineAndStops) {
  struct Cas {
    std::size_t lignes;
    const char* fin;
  };
  for (Cas c : {Cas{0, ""}, Cas{15, "\n"}, Cas{25, ""}, Cas{22, "\n  \n\n"}}) {
    SCOPED_TRACE(c.lignes);
    detruireEtat();
    creerEtat();
    console_.lu();
    std::vector<std::string> lignes = exemple();
    lignes.resize(c.lignes);
    std::string texte = joindre(lignes);
    if (!texte.empty()) texte.pop_back();
    texte += c.fin;
    EXPECT_FALSE(lire(texte));
    const std::string sortie = console_.lu();
    const std::string attendu =
        "Pb pour lire la ligne " + std::to_string(c.lignes + 1) + " du fichier donnees/donnees.txt\n";
    ASSERT_GE(sortie.size(), attendu.size());
    EXPECT_EQ(attendu, sortie.substr(sortie.size() - attendu.size()));
    if (lignes.size() > 23) lignes[23] = "5000";
    EXPECT_EQ(joindre(lignes), log_);
  }
  // what was read took effect
  EXPECT_EQ(20, g_etat->m_pas_deplacement);
  EXPECT_EQ(0, g_etat->m_tolerance_rouge);
}

TEST_F(Parametres, ShortNameLinesGiveZerosWithoutFailing) {
  std::vector<std::string> lignes = exemple();
  lignes[3] = "abc";
  lignes[5] = "";
  EXPECT_TRUE(lire(joindre(lignes)));
  const Etat& e = *g_etat;
  EXPECT_EQ("abc", e.m_prefixe);
  EXPECT_EQ("", e.m_suffixe);
  EXPECT_EQ(0, e.m_debut_partie_haute);
  EXPECT_EQ(0, e.m_fin_partie_basse);
  EXPECT_NE(std::string::npos, console_.lu().find("m_prefixe abc m_suffixe\nfichier init :abc0.0\n"
                                                  "fichier fin :abc0.0\n"));
}

// Each line of the console that reports a line names one of the 26.
std::vector<int> lignesSignalees(const std::string& sortie) {
  const std::string marque = "Pb pour lire la ligne ";
  std::vector<int> lignes;
  std::istringstream flux(sortie);
  for (std::string l; std::getline(flux, l);) {
    if (l.compare(0, marque.size(), marque) == 0) lignes.push_back(std::stoi(l.substr(marque.size())));
  }
  return lignes;
}

std::size_t nombreDeLignes(const std::string& texte) {
  std::size_t n = 0;
  for (char c : texte) n += c == '\n';
  return n;
}

TEST_F(Parametres, RandomBytesAreReportedByLineAndTheReaderReturns) {
  std::mt19937 hasard(7);
  for (std::size_t taille : {1u, 64u, 4096u, 200000u}) {
    SCOPED_TRACE(taille);
    detruireEtat();
    creerEtat();
    console_.lu();
    std::string octets(taille, '\0');
    for (char& c : octets) c = static_cast<char>(hasard());
    EXPECT_FALSE(lire(octets));
    const std::string sortie = console_.lu();
    EXPECT_EQ(0u, sortie.find("Fichier de donnes ouvert\n"));
    const std::vector<int> lignes = lignesSignalees(sortie);
    ASSERT_FALSE(lignes.empty());
    for (int l : lignes) EXPECT_TRUE(l >= 1 && l <= 26) << l;
    EXPECT_LE(nombreDeLignes(log_), 26u);
  }
}

TEST_F(Parametres, TenThousandLinesAreReadUpToTheTwentySixth) {
  struct Cas {
    const char* nom;
    std::vector<std::string> lignes;
    bool ok;
    std::vector<int> signalees;
    std::size_t lignes_log;
  };
  std::vector<std::string> longue = exemple();
  longue.resize(10000, "5 ligne de trop");
  const std::vector<int> numeriques = {3,  5,  8,  9,  11, 12, 14, 15, 16, 17,
                                       18, 19, 20, 21, 22, 23, 24, 25, 26};
  for (const Cas& c : {Cas{"example then more", longue, true, {}, 26},
                       Cas{"blank lines", std::vector<std::string>(10000, ""), false, {2}, 1},
                       Cas{"no number anywhere", std::vector<std::string>(10000, "abc"), false,
                           numeriques, 26}}) {
    SCOPED_TRACE(c.nom);
    detruireEtat();
    creerEtat();
    console_.lu();
    EXPECT_EQ(c.ok, lire(joindre(c.lignes)));
    EXPECT_EQ(c.signalees, lignesSignalees(console_.lu()));
    EXPECT_EQ(c.lignes_log, nombreDeLignes(log_));
    if (!c.ok) continue;
    std::vector<std::string> attendu = exemple();
    attendu[23] = "5000";
    EXPECT_EQ(joindre(attendu), log_);  // lines past the 26th change nothing
  }
}

}  // namespace
