#include "display/bandeau.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "app/etat.h"

const char* const kPoliceBandeau = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

namespace {

constexpr int kTaillePolice = 13;
constexpr int kMarge = 6;       // between the window edge and a band
constexpr int kRetrait = 4;     // between a band's edge and its text
constexpr Uint8 kOpaciteFond = 170;  // the band darkens the photo, never hides it
// Below this many columns for a key's text, a help line is cut, not folded.
constexpr size_t kColonnesPliage = 12;

// One line of text and its texture, made again only when the text changes.
struct LigneTexte {
  std::string texte;
  bool faite = false;  // tried for this text, even when it gave no texture
  SDL_Texture* texture = nullptr;
  int largeur = 0, hauteur = 0;
};

}  // namespace

struct Bandeau {
  bool police_cherchee = false;
  bool ttf_initialise = false;
  TTF_Font* police = nullptr;
  int largeur_caractere = 0, hauteur_ligne = 0;
  SourceBandeau source;
  // The line textures belong to this renderer: another one means they went
  // with the old one, or are not ours to free.
  SDL_Renderer* rendu = nullptr;
  std::vector<LigneTexte> bande, aide;  // the lines of the strip, of the help
  uint64_t faites = 0;
  // The last place asked for, by the counters it was asked for.
  bool place_valide = false;
  CompteursSerie compteurs;
  PlaceSerie place;
};

namespace {

bool memesCompteurs(const CompteursSerie& a, const CompteursSerie& b) {
  return a.partie_haute == b.partie_haute && a.partie_basse == b.partie_basse && a.numero == b.numero &&
         a.numero_2 == b.numero_2;
}

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

// The text's first characters before "...", at most `colonnes` in all.
std::string couperFin(const std::string& texte, size_t colonnes) {
  const size_t n = nombreCaracteres(texte);
  if (n <= colonnes) return texte;
  if (colonnes <= 3) return std::string("...").substr(0, colonnes);
  return texte.substr(0, octetsDebut(texte, colonnes - 3)) + "...";
}

std::string nombreOuInconnu(int64_t n) { return n < 0 ? "?" : std::to_string(n); }

std::string reel(double x, const char* format) {
  char texte[64];
  std::snprintf(texte, sizeof texte, format, x);
  return texte;
}

const char* sousMode(const Etat& e) {
  if (e.m_choix_zone) return "zone";
  if (e.m_ajout_souris) return "ajout";
  if (e.m_ajout_couleurs) return "couleur";
  if (e.m_retrait_souris) return "retrait";
  return "?";
}

void tailleSortie(const Etat& e, int& largeur, int& hauteur) {
  if (SDL_GetRendererOutputSize(e.m_rendu, &largeur, &hauteur) != 0) {
    largeur = e.m_largeur_fenetre;
    hauteur = e.m_hauteur_fenetre;
  }
}

void oublierTextures(Bandeau& b, bool detruire) {
  for (std::vector<LigneTexte>* lignes : {&b.bande, &b.aide}) {
    for (LigneTexte& l : *lignes) {
      if (detruire && l.texture != nullptr) SDL_DestroyTexture(l.texture);
    }
    lignes->clear();
  }
}

// The texture of line `indice`, made again only when its text changed. Null
// for an empty text or when it cannot be made (nothing drawn then).
const LigneTexte& ligne(Bandeau& b, std::vector<LigneTexte>& lignes, size_t indice, const std::string& texte) {
  if (lignes.size() <= indice) lignes.resize(indice + 1);
  LigneTexte& l = lignes[indice];
  if (l.faite && l.texte == texte) return l;
  if (l.texture != nullptr) SDL_DestroyTexture(l.texture);
  l = LigneTexte{};
  l.texte = texte;
  l.faite = true;
  if (texte.empty()) return l;
  SDL_Surface* surface = TTF_RenderUTF8_Blended(b.police, texte.c_str(), SDL_Color{255, 255, 255, 255});
  if (surface == nullptr) return l;
  l.texture = SDL_CreateTextureFromSurface(b.rendu, surface);
  SDL_FreeSurface(surface);
  if (l.texture == nullptr) return l;
  SDL_SetTextureBlendMode(l.texture, SDL_BLENDMODE_BLEND);
  SDL_QueryTexture(l.texture, nullptr, nullptr, &l.largeur, &l.hauteur);
  ++b.faites;
  return l;
}

// Copies a line at (x, y), cut at largeur_max pixels: nothing spills out of
// its band.
void copierLigne(SDL_Renderer* rendu, const LigneTexte& l, int x, int y, int largeur_max) {
  if (l.texture == nullptr || largeur_max <= 0) return;
  const int w = std::min(l.largeur, largeur_max);
  const SDL_Rect source{0, 0, w, l.hauteur};
  const SDL_Rect destination{x, y, w, l.hauteur};
  SDL_RenderCopy(rendu, l.texture, &source, &destination);
}

void fond(SDL_Renderer* rendu, const SDL_Rect& r) {
  SDL_SetRenderDrawColor(rendu, 0, 0, 0, kOpaciteFond);
  SDL_RenderFillRect(rendu, &r);
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

// The help's lines: a title, then each key padded to the longest name.
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

PlaceSerie placeCourante(Bandeau& b) {
  if (b.source.mesurer == nullptr) return PlaceSerie{};
  const CompteursSerie c = compteursSerie();
  if (!b.place_valide || !memesCompteurs(c, b.compteurs)) {
    b.place = b.source.mesurer(c);
    b.compteurs = c;
    b.place_valide = true;
  }
  return b.place;
}

}  // namespace

std::string couperDebut(const std::string& texte, size_t colonnes) {
  const size_t n = nombreCaracteres(texte);
  if (n <= colonnes) return texte;
  if (colonnes <= 3) return std::string("...").substr(0, colonnes);
  return "..." + texte.substr(octetsDebut(texte, n - (colonnes - 3)));
}

std::vector<std::string> textesBandeau(const PlaceSerie& place, size_t colonnes) {
  const Etat& e = *g_etat;
  const std::string rang = "  " + nombreOuInconnu(place.rang) + "/" + nombreOuInconnu(place.longueur);
  const size_t place_nom = colonnes > rang.size() ? colonnes - rang.size() : 0;
  std::vector<std::string> champs;
  champs.push_back(std::string(e.m_mode_couleurs_voisines ? "couleurs voisines" : "cliquer-glisser") + " / " +
                   sousMode(e));
  champs.push_back("tol " + std::to_string(e.m_tolerance_rouge) + " " + std::to_string(e.m_tolerance_vert) + " " +
                   std::to_string(e.m_tolerance_bleu));
  champs.push_back("sel " + std::to_string(e.m_nombre_selectionnes));
  champs.push_back("centre " + reel(e.m_centre_x, "%.1f") + " " + reel(e.m_centre_y, "%.1f"));
  champs.push_back("zoom " + reel(e.m_zoom, "%g"));
  if (e.m_suivi_en_cours) champs.push_back("suivi");

  // the fields on as few lines as the width allows, never one split
  std::vector<std::string> lignes{couperFin(couperDebut(e.nom_photo_complet, place_nom) + rang, colonnes)};
  std::string courante;
  for (const std::string& champ : champs) {
    if (!courante.empty() && nombreCaracteres(courante) + 3 + nombreCaracteres(champ) > colonnes) {
      lignes.push_back(courante);
      courante.clear();
    }
    courante += (courante.empty() ? "" : " | ") + couperFin(champ, colonnes);
  }
  lignes.push_back(courante);
  return lignes;
}

void basculerBandeau(const SourceBandeau& source, const char* chemin_police) {
  Etat& e = *g_etat;
  if (e.m_bandeau == nullptr) e.m_bandeau = new Bandeau;
  Bandeau& b = *e.m_bandeau;
  if (!b.police_cherchee) {
    b.police_cherchee = true;
    b.ttf_initialise = TTF_Init() == 0;
    if (b.ttf_initialise) b.police = TTF_OpenFont(chemin_police, kTaillePolice);
    int avance = 0;
    if (b.police != nullptr && TTF_GlyphMetrics(b.police, 'M', nullptr, nullptr, nullptr, nullptr, &avance) == 0 &&
        avance > 0) {
      b.largeur_caractere = avance;
      b.hauteur_ligne = TTF_FontLineSkip(b.police);
    } else {
      std::cout << "Police introuvable : " << chemin_police << std::endl;
      if (b.police != nullptr) TTF_CloseFont(b.police);
      b.police = nullptr;
    }
  }
  if (b.police == nullptr) return;
  b.source = source;
  e.m_bandeau_affiche = !e.m_bandeau_affiche;
}

void dessinerBandeau() {
  Etat& e = *g_etat;
  if (!e.m_bandeau_affiche || e.m_bandeau == nullptr || e.m_bandeau->police == nullptr) return;
  Bandeau& b = *e.m_bandeau;
  SDL_Renderer* rendu = e.m_rendu;
  if (b.rendu != rendu) {
    oublierTextures(b, false);
    b.rendu = rendu;
  }
  int largeur = 0, hauteur = 0;
  tailleSortie(e, largeur, hauteur);
  const int interieur = largeur - 2 * kMarge;
  if (interieur <= 0 || hauteur <= 0) return;
  const size_t colonnes = size_t(interieur / b.largeur_caractere);

  SDL_BlendMode melange = SDL_BLENDMODE_NONE;
  SDL_GetRenderDrawBlendMode(rendu, &melange);
  SDL_SetRenderDrawBlendMode(rendu, SDL_BLENDMODE_BLEND);

  const std::vector<std::string> bande = textesBandeau(placeCourante(b), colonnes);
  const int hauteur_bande = int(bande.size()) * b.hauteur_ligne + 2 * kRetrait;
  const int y_bande = hauteur - hauteur_bande;
  fond(rendu, SDL_Rect{0, y_bande, largeur, hauteur_bande});
  for (size_t i = 0; i < bande.size(); ++i) {
    copierLigne(rendu, ligne(b, b.bande, i, bande[i]), kMarge, y_bande + kRetrait + int(i) * b.hauteur_ligne,
                interieur);
  }

  // The help above the strip, as many lines as fit, the last one "..." when
  // some are left out; none over the strip.
  const int colonnes_aide = std::max(0, interieur - 2 * kRetrait) / b.largeur_caractere;
  std::vector<std::string> aide = textesAide(b.source, size_t(colonnes_aide));
  const int place_lignes = (y_bande - 2 * kMarge - 2 * kRetrait) / b.hauteur_ligne;
  const int n = std::min(int(aide.size()), place_lignes);
  if (n < int(aide.size()) && n > 0) aide[size_t(n - 1)] = couperFin("...", size_t(colonnes_aide));
  if (n > 0 && colonnes_aide > 0) {
    int largeur_aide = 0;
    for (int i = 0; i < n; ++i) {
      largeur_aide = std::max(largeur_aide, ligne(b, b.aide, size_t(i), aide[size_t(i)]).largeur);
    }
    largeur_aide = std::min(largeur_aide, interieur - 2 * kRetrait);
    fond(rendu, SDL_Rect{kMarge, kMarge, largeur_aide + 2 * kRetrait, n * b.hauteur_ligne + 2 * kRetrait});
    for (int i = 0; i < n; ++i) {
      copierLigne(rendu, b.aide[size_t(i)], kMarge + kRetrait, kMarge + kRetrait + i * b.hauteur_ligne,
                  largeur_aide);
    }
  }
  SDL_SetRenderDrawBlendMode(rendu, melange);
}

void libererBandeau() {
  Etat& e = *g_etat;
  e.m_bandeau_affiche = false;
  if (e.m_bandeau == nullptr) return;
  Bandeau& b = *e.m_bandeau;
  oublierTextures(b, b.rendu == e.m_rendu && b.rendu != nullptr);
  if (b.police != nullptr) TTF_CloseFont(b.police);
  if (b.ttf_initialise) TTF_Quit();
  delete e.m_bandeau;
  e.m_bandeau = nullptr;
}

uint64_t texturesBandeauFaites() { return g_etat->m_bandeau == nullptr ? 0 : g_etat->m_bandeau->faites; }
