#include "series/parametres.h"

#include <cctype>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "etat/etat.h"
#include "series/nom_photo.h"

namespace {

constexpr double kTableZoom[9] = {0.125, 0.25, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0};
constexpr int32_t kIndiceZoomMax = 8;

bool estBlanc(int c) { return c != EOF && std::isspace(static_cast<unsigned char>(c)); }
bool estChiffre(int c) { return c != EOF && std::isdigit(static_cast<unsigned char>(c)); }

// Reads the parameter file character by character, remembering what the
// current physical line has given so far, so that a line that cannot be used
// is echoed to the log whole.
class Lecteur {
 public:
  explicit Lecteur(std::istream& flux) : flux_(flux) {}

  bool fin() { return flux_.peek() == EOF; }

  // The rest of the current line, its line end consumed. One trailing CR is
  // dropped so a file with CR LF ends gives the same fields as with LF.
  std::string resteDeLigne() {
    std::string reste;
    for (int c = prendre(); c != EOF && c != '\n'; c = prendre()) reste += static_cast<char>(c);
    return sansRetourChariot(reste);
  }

  // The whole current line as in the file, its line end consumed.
  std::string ligneBrute() {
    std::string debut = deja_lu_;
    return sansRetourChariot(debut + resteDeLigne());
  }

  // Blanks and line ends, as a formatted read skips them.
  void sauterBlancs() {
    while (estBlanc(flux_.peek())) prendre();
  }

  // Characters up to the next blank.
  std::string mot() {
    std::string texte;
    while (flux_.peek() != EOF && !estBlanc(flux_.peek())) texte += static_cast<char>(prendre());
    return texte;
  }

  // Optional sign then decimal digits; nothing when there is no digit or the
  // value does not fit an int32.
  std::optional<int32_t> entier() {
    bool negatif = false;
    if (flux_.peek() == '+' || flux_.peek() == '-') negatif = prendre() == '-';
    if (!estChiffre(flux_.peek())) return std::nullopt;
    int64_t valeur = 0;
    const int64_t borne = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    while (estChiffre(flux_.peek())) {
      valeur = valeur * 10 + (prendre() - '0');
      if (valeur > borne) valeur = borne + 1;  // saturate: every digit is still consumed
    }
    if (negatif) valeur = -valeur;
    if (valeur < std::numeric_limits<int32_t>::min() ||
        valeur > std::numeric_limits<int32_t>::max())
      return std::nullopt;
    return static_cast<int32_t>(valeur);
  }

 private:
  int prendre() {
    const int c = flux_.get();
    if (c == '\n') {
      deja_lu_.clear();
    } else if (c != EOF) {
      deja_lu_ += static_cast<char>(c);
    }
    return c;
  }

  static std::string sansRetourChariot(std::string texte) {
    if (!texte.empty() && texte.back() == '\r') texte.pop_back();
    return texte;
  }

  std::istream& flux_;
  std::string deja_lu_;  // what the current physical line has given so far
};

enum class Issue { Lue, Mauvaise, Manquante };
enum class Echo { NombresEtReste, NombresSeuls };

// One pass over the 26 lines: reads each with its primitive, echoes it to the
// log, reports a line that cannot be used and keeps going in step.
class Lecture {
 public:
  Lecture(std::istream& donnees, std::ostream& log) : lecteur_(donnees), log_(log) {}

  bool sansErreur() const { return sans_erreur_; }

  // Whole line. Missing only at the end of the file.
  Issue ligne(int numero, std::string& texte) {
    if (lecteur_.fin()) return manquante(numero);
    texte = lecteur_.resteDeLigne();
    return Issue::Lue;
  }

  void echo(const std::string& texte) { log_ << texte << '\n'; }

  // A word, then the rest of the line as its comment; both are echoed.
  Issue mot(int numero, std::string& champ) {
    lecteur_.sauterBlancs();
    if (lecteur_.fin()) return manquante(numero);
    champ = lecteur_.mot();
    echo(champ + lecteur_.resteDeLigne());
    return Issue::Lue;
  }

  // One or more ints, then the rest of the line. The fields change only when
  // every number of the line was read.
  Issue entiers(int numero, std::initializer_list<int32_t*> champs,
                Echo genre = Echo::NombresEtReste) {
    std::vector<int32_t> valeurs;
    for (std::size_t k = 0; k < champs.size(); ++k) {
      lecteur_.sauterBlancs();
      if (lecteur_.fin()) return manquante(numero);
      const std::optional<int32_t> valeur = lecteur_.entier();
      if (!valeur) return mauvaise(numero);
      valeurs.push_back(*valeur);
    }
    const std::string reste = lecteur_.resteDeLigne();
    std::string texte;
    for (std::size_t k = 0; k < valeurs.size(); ++k) {
      if (k > 0) texte += " ";
      texte += std::to_string(valeurs[k]);
    }
    echo(genre == Echo::NombresEtReste ? texte + reste : texte);
    std::size_t k = 0;
    for (int32_t* champ : champs) *champ = valeurs[k++];
    return Issue::Lue;
  }

 private:
  // The raw line goes to the log so that it still holds one line per
  // parameter line; the next read starts on the next line.
  Issue mauvaise(int numero) {
    echo(lecteur_.ligneBrute());
    signaler(numero);
    return Issue::Mauvaise;
  }

  Issue manquante(int numero) {
    signaler(numero);
    return Issue::Manquante;
  }

  void signaler(int numero) {
    sans_erreur_ = false;
    std::cout << "Pb pour lire la ligne " << numero << " du fichier donnees/donnees.txt"
              << std::endl;
  }

  Lecteur lecteur_;
  std::ostream& log_;
  bool sans_erreur_ = true;
};

// Lines 1 to 26 in order; false as soon as the file ends early or the zoom
// index is rejected (the remaining lines are then not read).
bool lireLignes(Lecture& l) {
  Etat& e = *g_etat;
  std::string texte;

  if (l.ligne(1, texte) == Issue::Manquante) return false;
  l.echo(texte);
  if (l.mot(2, e.m_dossier_photos) == Issue::Manquante) return false;
  std::cout << "Dossier photos : " << e.m_dossier_photos << std::endl;
  if (l.entiers(3, {&e.m_mode_nom}) == Issue::Manquante) return false;
  if (l.ligne(4, texte) == Issue::Manquante) return false;
  l.echo(texte);
  analyserPremierNom(texte);
  if (l.entiers(5, {&e.m_pas_partie_basse}) == Issue::Manquante) return false;
  if (l.ligne(6, texte) == Issue::Manquante) return false;
  analyserDernierNom(texte);
  l.echo(texte);
  if (e.m_mode_nom == 1) composerNomPhoto();

  if (l.ligne(7, texte) == Issue::Manquante) return false;
  analyserPiece(texte, Piece::Prefixe);
  l.echo(texte);
  int32_t debut = 0;
  Issue issue = l.entiers(8, {&debut});
  if (issue == Issue::Manquante) return false;
  if (issue == Issue::Lue) e.m_numero_debut = e.m_numero = debut;
  if (l.entiers(9, {&e.m_chiffres_numero}) == Issue::Manquante) return false;
  if (l.ligne(10, texte) == Issue::Manquante) return false;
  analyserPiece(texte, Piece::Separateur);
  l.echo(texte);
  issue = l.entiers(11, {&debut});
  if (issue == Issue::Manquante) return false;
  if (issue == Issue::Lue) e.m_numero_debut_2 = e.m_numero_2 = debut;
  if (l.entiers(12, {&e.m_chiffres_numero_2}) == Issue::Manquante) return false;
  if (l.ligne(13, texte) == Issue::Manquante) return false;
  analyserPiece(texte, Piece::Suffixe);
  l.echo(texte);
  if (l.entiers(14, {&e.m_pas_numero}) == Issue::Manquante) return false;
  if (l.entiers(15, {&e.m_pas_numero_2}) == Issue::Manquante) return false;
  if (l.entiers(16, {&e.m_modulo_numero_2}) == Issue::Manquante) return false;
  if (l.entiers(17, {&e.m_numero_fin}) == Issue::Manquante) return false;
  if (l.entiers(18, {&e.m_numero_fin_2}) == Issue::Manquante) return false;
  if (e.m_mode_nom == 2 || e.m_mode_nom == 3) composerNomPhoto();

  if (l.entiers(19, {&e.m_largeur_fenetre}) == Issue::Manquante) return false;
  if (l.entiers(20, {&e.m_hauteur_fenetre}) == Issue::Manquante) return false;
  const int32_t demi_l = e.m_largeur_fenetre / 2, demi_h = e.m_hauteur_fenetre / 2;
  const int32_t d = e.m_demi_croix;
  e.m_croix_fenetre_h = SDL_Rect{demi_l - d, demi_h, 2 * d, 1};
  e.m_croix_fenetre_v = SDL_Rect{demi_l, demi_h - d, 1, 2 * d};
  e.m_afficher_croix_fenetre = true;

  int32_t indice = e.m_indice_zoom;
  issue = l.entiers(21, {&indice});
  if (issue == Issue::Manquante) return false;
  for (int k = 0; k <= kIndiceZoomMax; ++k) e.m_table_zoom[k] = kTableZoom[k];
  e.m_indice_zoom_max = kIndiceZoomMax;
  if (issue == Issue::Lue) {
    if (indice < 0 || indice > e.m_indice_zoom_max) {
      std::cout << "Valeur du zoom incorrecte : entre 0 et " << e.m_indice_zoom_max << std::endl;
      // the nearest valid index, so a later zoom step never leaves the table;
      // m_zoom stays unset and the view shows nothing until a zoom key
      e.m_indice_zoom = indice < 0 ? 0 : e.m_indice_zoom_max;
      return false;
    }
    e.m_indice_zoom = indice;
    e.m_zoom = e.m_table_zoom[indice];
  }
  // an unreadable zoom line leaves m_zoom unset, as a rejected index does

  if (l.entiers(22, {&e.m_pas_deplacement}) == Issue::Manquante) return false;
  if (l.entiers(23, {&e.m_tolerance_rouge, &e.m_tolerance_vert, &e.m_tolerance_bleu}) ==
      Issue::Manquante)
    return false;
  if (l.entiers(24, {&e.m_max_pixels}, Echo::NombresSeuls) == Issue::Manquante) return false;
  if (l.entiers(25, {&e.m_rouge_fog, &e.m_vert_fog, &e.m_bleu_fog, &e.m_alpha_fog}) ==
      Issue::Manquante)
    return false;
  if (l.entiers(26, {&e.m_rouge_pixel, &e.m_vert_pixel, &e.m_bleu_pixel, &e.m_alpha_pixel}) ==
      Issue::Manquante)
    return false;
  return l.sansErreur();
}

}  // namespace

bool readParameters() {
  std::ifstream donnees("donnees/donnees.txt", std::ios::binary);
  std::ofstream log("donnees/ficlog.txt", std::ios::binary | std::ios::trunc);
  if (!donnees.is_open()) {
    std::cout << "Pb pour ouvrir le fichier donnees/donnees.txt" << std::endl;
    return false;
  }
  std::cout << "Fichier de donnes ouvert" << std::endl;
  Lecture lecture(donnees, log);
  return lireLignes(lecture);
}
