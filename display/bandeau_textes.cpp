#include "display/bandeau_textes.h"

#include <algorithm>
#include <cstdio>

#include "etat/etat.h"

namespace {

// Below this many columns for a key's text, a help line is cut, not folded.
constexpr size_t kColonnesPliage = 12;

// Byte length of the first n code points (continuation bytes skipped).
size_t octetsDebut(const std::string& texte, size_t n) {
  size_t i = 0;
  for (size_t vus = 0; i < texte.size(); ++i) {
    if ((static_cast<unsigned char>(texte[i]) & 0xC0) == 0x80) continue;
    if (vus == n) break;
    ++vus;
  }
  return i;
}

size_t nombreCaracteres(const std::string& texte) {
  size_t n = 0;
  for (char c : texte) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::string nombreOuInconnu(int64_t n) { return n < 0 ? "?" : std::to_string(n); }

std::string reel(double x, const char* format) {
  char texte[64];
  std::snprintf(texte, sizeof texte, format, x);
  return texte;
}

const char* sousMode(const ValeursBandeau& v) {
  if (v.choix_zone) return "zone";
  if (v.ajout_souris) return "ajout";
  if (v.ajout_couleurs) return "couleur";
  if (v.retrait_souris) return "retrait";
  return "?";
}

// tete then texte folded at blanks into lines of at most `colonnes`, the
// later ones indented under texte; cut instead when too little is left.
void plier(const std::string& tete, const std::string& texte, size_t colonnes, std::vector<std::string>& lignes) {
  const size_t retrait = nombreCaracteres(tete);
  if (retrait + kColonnesPliage > colonnes) {
    lignes.push_back(couperFin(tete + texte, colonnes));
    return;
  }
  const size_t largeur = colonnes - retrait;
  std::string courante;
  size_t debut = 0;
  while (debut <= texte.size()) {
    size_t fin = texte.find(' ', debut);
    if (fin == std::string::npos) fin = texte.size();
    std::string mot = texte.substr(debut, fin - debut);
    debut = fin + 1;
    const size_t n = nombreCaracteres(courante);
    if (!courante.empty() && n + 1 + nombreCaracteres(mot) > largeur) {
      lignes.push_back(tete + courante);
      courante.clear();
    }
    courante += (courante.empty() ? "" : " ") + couperFin(mot, largeur);
  }
  lignes.push_back(tete + courante);
}

}  // namespace

std::string couperDebut(const std::string& texte, size_t colonnes) {
  const size_t n = nombreCaracteres(texte);
  if (n <= colonnes) return texte;
  if (colonnes <= 3) return std::string("...").substr(0, colonnes);
  return "..." + texte.substr(octetsDebut(texte, n - (colonnes - 3)));
}

std::string couperFin(const std::string& texte, size_t colonnes) {
  const size_t n = nombreCaracteres(texte);
  if (n <= colonnes) return texte;
  if (colonnes <= 3) return std::string("...").substr(0, colonnes);
  return texte.substr(0, octetsDebut(texte, colonnes - 3)) + "...";
}

ValeursBandeau valeursBandeau(const PlaceSerie& place) {
  const Etat& e = *g_etat;
  ValeursBandeau v;
  v.nom_photo = e.nom_photo_complet;
  v.place = place;
  v.couleurs_voisines = e.m_mode_couleurs_voisines;
  v.choix_zone = e.m_choix_zone;
  v.ajout_souris = e.m_ajout_souris;
  v.ajout_couleurs = e.m_ajout_couleurs;
  v.retrait_souris = e.m_retrait_souris;
  v.tolerance_rouge = e.m_tolerance_rouge;
  v.tolerance_vert = e.m_tolerance_vert;
  v.tolerance_bleu = e.m_tolerance_bleu;
  v.nombre_selectionnes = e.m_nombre_selectionnes;
  v.centre_x = e.m_centre_x;
  v.centre_y = e.m_centre_y;
  v.zoom = e.m_zoom;
  v.suivi_en_cours = e.m_suivi_en_cours;
  v.caches_passes = e.m_suivi.caches_passes;
  if (arretSuiviMontre()) v.arret_suivi = e.m_suivi.arret;
  // the closing picture records nothing, and RETURN on a past photo left
  // unchanged only shows the next one
  v.centre_repete = e.m_nombre_selectionnes > 0 && !e.m_histoire_selection.changee &&
                    e.nom_photo_complet != cheminImageFin() && e.m_historique.affichee < 0;
  v.entree_bloquee = e.m_vue_suivante_bloquee;
  return v;
}

bool arretSuiviMontre() {
  const Etat& e = *g_etat;
  return e.m_suivi.arret_montre && e.m_entrees.appuis_touches == e.m_suivi.touches_a_l_arret;
}

bool bandeauDuSuivi() { return g_etat->m_suivi_en_cours || arretSuiviMontre(); }

std::vector<std::string> textesBandeau(const ValeursBandeau& v, size_t colonnes) {
  const std::string rang = "  " + nombreOuInconnu(v.place.rang) + "/" + nombreOuInconnu(v.place.longueur);
  const size_t place_nom = colonnes > rang.size() ? colonnes - rang.size() : 0;
  std::vector<std::string> champs;
  champs.push_back(std::string(v.couleurs_voisines ? "couleurs voisines" : "cliquer-glisser") + " / " + sousMode(v));
  champs.push_back("tol " + std::to_string(v.tolerance_rouge) + " " + std::to_string(v.tolerance_vert) + " " +
                   std::to_string(v.tolerance_bleu));
  champs.push_back("sel " + std::to_string(v.nombre_selectionnes));
  champs.push_back("centre " + reel(v.centre_x, "%.1f") + " " + reel(v.centre_y, "%.1f"));
  champs.push_back("zoom " + reel(v.zoom, "%g"));
  if (v.suivi_en_cours) champs.push_back("suivi");
  if (v.caches_passes) champs.push_back("photos cachees passees");
  if (v.centre_repete) champs.push_back("centre de la photo precedente");
  if (v.entree_bloquee) champs.push_back("Entree bloquee : S, E, D, I ou A");

  // the fields on as few lines as the width allows, never one split
  std::vector<std::string> lignes{couperFin(couperDebut(v.nom_photo, place_nom) + rang, colonnes)};
  std::string courante;
  for (const std::string& champ : champs) {
    if (!courante.empty() && nombreCaracteres(courante) + 3 + nombreCaracteres(champ) > colonnes) {
      lignes.push_back(courante);
      courante.clear();
    }
    courante += (courante.empty() ? "" : " | ") + couperFin(champ, colonnes);
  }
  lignes.push_back(courante);
  if (!v.arret_suivi.empty()) lignes.push_back(couperFin("Suivi arrete : " + v.arret_suivi, colonnes));
  return lignes;
}

std::vector<std::string> textesAide(const SourceBandeau& source, size_t colonnes) {
  size_t largeur_touche = 0;
  for (const auto& a : source.aide) largeur_touche = std::max(largeur_touche, nombreCaracteres(a.first));
  std::vector<std::string> textes{couperFin("Touches (H : cacher)", colonnes)};
  const std::string blanc(largeur_touche + 2, ' ');
  for (const auto& a : source.aide) {
    std::vector<std::string> pli;
    plier(blanc, a.second, colonnes, pli);
    // the key's name in the first line's margin
    const std::string touche = a.first + std::string(largeur_touche + 2 - nombreCaracteres(a.first), ' ');
    if (pli[0].compare(0, blanc.size(), blanc) == 0) pli[0] = touche + pli[0].substr(blanc.size());
    else pli[0] = couperFin(touche + a.second, colonnes);
    textes.insert(textes.end(), pli.begin(), pli.end());
  }
  return textes;
}
